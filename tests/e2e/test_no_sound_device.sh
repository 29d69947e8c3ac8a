# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# With no audio device at all the game starts, shows the title, plays a page and leaves as
# always, saying so in one line on stderr at most.
source "$(dirname "$0")/run_lib.sh"

start_xvfb 1280x1024
export SDL_AUDIODRIVER=nonexistent
open_first_page_as_tom
type_answer "${page[0]}"
act_key m 77
ball_answer "${page[1]}"
expect_like answered "${MOVING[@]}" --skip 966,10,1014,58 -- "${ACTIONS[@]}"
act_key Home 36
expect_like certificate --skip 966,10,1014,58 -- "${ACTIONS[@]}"
act_click 500 400
act_move 610 700
expect_like title_again --skip 966,10,1014,58 -- "${ACTIONS[@]}"
click 100 530
wait_game_exit
[ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT"
lines=$(grep -c . "$WORK/game.log" || true)
cat "$WORK/game.log"
[ "$lines" -le 1 ] || fail "more than one line on stderr"
grep -q "plays silently" "$WORK/game.log" || fail "no word of the missing sound"
echo "no audio device: the page was played and the game said so in $lines line"
