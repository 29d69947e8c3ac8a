# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A window drag whose button is let go while a page fades in ends with the release: the page
# comes, and the pointer moving afterwards moves the hand, not the window.
source "$(dirname "$0")/run_lib.sh"

FREE=(500 50) # above the page: no control, so a press there drags the window

start_xvfb 1280x1024
start_game
act_move "${PLANK1[@]}"
act_click "${PLANK1[@]}"
expect_like page_open "${MOVING[@]}" -- "${ACTIONS[@]}"

# The hand there shows that the slide is over (a press during it would be dropped); the drag is
# under way once the window follows the pointer.
act_move "${FREE[@]}"
expect_like ready "${MOVING[@]}" -- "${ACTIONS[@]}"
xdotool mousedown 1
xdotool mousemove_relative -- -30 -20
until_x=$((WIN_X - 30))
until_y=$((WIN_Y - 20))
deadline=$((SECONDS + 10))
until window_origin && [ "$WIN_X" = "$until_x" ] && [ "$WIN_Y" = "$until_y" ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the window did not follow the drag: at ($WIN_X, $WIN_Y)"
    sleep 0.05
done

# Page Down starts the fade; the button comes up while it plays.
xdotool key Next mouseup 1
ACTIONS+=(key 34)
act_move 300 600
expect_like page_two "${MOVING[@]}" -- "${ACTIONS[@]}"
window_origin
[ "$WIN_X" = "$until_x" ] && [ "$WIN_Y" = "$until_y" ] ||
    fail "the window moved after the release: at ($WIN_X, $WIN_Y), not ($until_x, $until_y)"
echo "released during the fade: the drag ended at ($WIN_X, $WIN_Y); the hand follows the pointer"
stop_game TERM
[ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT"
