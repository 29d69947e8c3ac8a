# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The whole game with the keyboard alone, not one mouse event: a child named by typing, set 3
# started from the title, a page answered with one wrong try and the magnifier, a new page, the
# finish, the certificate, the chart and back, a limit lowered by a held Left, the child deleted,
# and the leave sign. The data file holds the bytes the same session with the mouse writes.
source "$(dirname "$0")/run_lib.sh"


keys() { # keys KEYSYM VK ...: each pressed and let go, and recorded for the snapshot tool
    while [ $# -gt 0 ]; do
        act_key "$1" "$2"
        shift 2
    done
}
act_type() { type_text "$1" && ACTIONS+=(type "$1"); }
# set7_limit FILE: set 7's number limit in a data file
set7_limit() { python3 "$E2E_DIR/datafile.py" show "$1" | sed -n 's/^sets \([^ ]* \)\{7\}\([0-9]*\)\/.*/\2/p'; }

start_xvfb 1280x1024
# The pointer rests outside where the window will be: the game sees no pointer at all.
xdotool mousemove 0 0

# --- the keyboard ---------------------------------------------------------------------------
start_game
# Round to the information plank, then new user: the eight rows and the first button.
keys shift+Tab 0x10009 shift+Tab 0x10009 shift+Tab 0x10009 Return 13
for _ in $(seq 1 8); do keys Tab 9; done
keys Return 13
act_type Kim
expect_like name_typed -- "${ACTIONS[@]}"
keys Return 13 Escape 27

read -r -a page < <(answers_after "${ACTIONS[@]}" key 0x33)
keys 3 0x33
expect_like page_by_keys "${MOVING[@]}" -- "${ACTIONS[@]}"
echo "page of ${#page[@]}: ${page[*]}"
type_answer $(((page[0] + 1) % 10))
keys Delete 46
type_answer "${page[0]}"
keys h 0x48
for i in $(seq 2 $((${#page[@]} - 1))); do type_answer "${page[$i]}"; done
keys Next 34
expect_like new_page_by_keys "${MOVING[@]}" -- "${ACTIONS[@]}"
keys ctrl+Return 0x2000D
expect_like certificate_by_keys -- "${ACTIONS[@]}"
# One wrong try in the page: the score the mouse's run gets (the magnifier counts as right).
python3 "$E2E_DIR/datafile.py" build "$WORK/expected.cfg" 0 "Kim:$(((${#page[@]} - 1) * 100 / ${#page[@]}))"
cmp "$WORK/bin/Sumora.cfg" "$WORK/expected.cfg" || fail "Kim's run is not recorded as the mouse's"
keys Return 13
expect_like title_after_run_by_keys -- "${ACTIONS[@]}"

# The chart: down to the information plank, then round to view scores.
for _ in $(seq 1 6); do keys Down 40; done
keys Return 13
for _ in $(seq 1 10); do keys Tab 9; done
keys Return 13
expect_like chart_by_keys -- "${ACTIONS[@]}"
keys Escape 27

# Down to set 7's row, Right opens its panel, a held Left lowers its limit to the end.
for _ in $(seq 1 7); do keys Down 40; done
keys Right 39
xdotool keydown Left
ACTIONS+=(key 37)
expect_like held_left -- "${ACTIONS[@]}" set 7 3 35
xdotool keyup Left
ACTIONS+=(keyup 37 set 7 3 35)
for _ in $(seq 1 100); do
    [ "$(set7_limit "$WORK/bin/Sumora.cfg" 2>/dev/null)" = 3 ] && break
    sleep 0.05
done
[ "$(set7_limit "$WORK/bin/Sumora.cfg")" = 3 ] || fail "the held Left's limit is not in the data file"
echo "set 7's limit is 3 in the data file after the held Left"

# Escape closes the panel onto its row; two Tabs reach delete user; Enter deletes Kim.
keys Escape 27 Tab 9 Tab 9 Return 13
keys Return 13
expect_like deleted_by_keys -- "${ACTIONS[@]}"
keys Escape 27 Escape 27
for _ in $(seq 1 12); do keys Down 40; done
expect_like leave_lit_by_keys -- "${ACTIONS[@]}"
keys Return 13
wait_game_exit
[ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT after the leave sign by keys"
python3 "$E2E_DIR/datafile.py" build "$WORK/expected.cfg" -1
python3 "$E2E_DIR/datafile.py" with-range "$WORK/expected.cfg" "$WORK/expected.cfg" 7 3
cmp "$WORK/bin/Sumora.cfg" "$WORK/expected.cfg" || {
    python3 "$E2E_DIR/datafile.py" show "$WORK/bin/Sumora.cfg"
    fail "the keyboard's data file is not the mouse's: set 7 at 3, no child"
}
echo "the keyboard's session wrote the mouse's bytes"
