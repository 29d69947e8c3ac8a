# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A minimized window under a window manager: keys still reach the game while nobody can see it
# (and it composes nothing then); a second start brings the window back, and it shows the whole
# frame of the new state at once, as the snapshot tool draws it, with no pointer move to help.
source "$(dirname "$0")/run_lib.sh"

start_xvfb 1280x1024
start_openbox

open_first_page_as_tom
type_answer "${page[0]}"
expect_like answered "${MOVING[@]}" -- "${ACTIONS[@]}"

# The pointer waits outside the window, so that nothing but the window coming back repaints it.
act_move -60 -60
expect_like outside "${MOVING[@]}" -- "${ACTIONS[@]}"
xdotool windowminimize --sync "$WINDOW"
for _ in $(seq 1 100); do
    xwininfo -id "$WINDOW" | grep -q 'Map State: IsUnMapped' && break
    sleep 0.05
done
xwininfo -id "$WINDOW" | grep -q 'Map State: IsUnMapped' || fail "the window was not minimized"
# An answer and then Home typed into the minimized window (sent to it, as nothing has the focus):
# the run ends on the certificate, where no butterfly flies to repaint anything.
for digit in $(echo "${page[1]}" | grep -o .); do
    xdotool key --window "$WINDOW" "$digit"
    ACTIONS+=(key $((0x30 + digit)))
done
xdotool key --window "$WINDOW" Return Home
ACTIONS+=(key 13 key 36)
sleep 0.5

set +e
timeout 20 "$WORK/bin/zimbly" >"$WORK/second.log" 2>&1
second_exit=$?
set -e
[ "$second_exit" = 0 ] || fail "the second start exited $second_exit: $(cat "$WORK/second.log")"
for _ in $(seq 1 100); do
    xwininfo -id "$WINDOW" | grep -q 'Map State: IsViewable' && break
    sleep 0.05
done
xwininfo -id "$WINDOW" | grep -q 'Map State: IsViewable' || fail "the window did not come back"
window_origin
expect_like restored -- "${ACTIONS[@]}"

act_click 500 400
act_move 610 700
expect_like title -- "${ACTIONS[@]}"
stop_game TERM
[ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT"
