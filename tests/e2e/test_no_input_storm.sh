# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Input that piles up while a page fades in is not replayed as a storm of fades afterwards:
# after Page Down held for a second, or the page corner clicked fifteen times in a row, the page
# rests within two fades of the last input. And a pointer that leaves the window with a click on
# the desktop leaves for good, not in and out of the window a frame at a time.
source "$(dirname "$0")/run_lib.sh"

CORNER=(900 640)
# page_sample: the colours of points of plain paper on the page (only a fade changes them).
page_sample() {
    screenshot sample
    python3 "$E2E_DIR/xwdpixel.py" "$WORK/sample.xwd" \
        $((WIN_X + 300)) $((WIN_Y + 200)) $((WIN_X + 500)) $((WIN_Y + 330)) \
        $((WIN_X + 700)) $((WIN_Y + 450)) $((WIN_X + 400)) $((WIN_Y + 560)) \
        $((WIN_X + 620)) $((WIN_Y + 260)) | tr '\n' ' '
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# wait_for_rest LIMIT_MS: until the page shows the rested picture again.
wait_for_rest() {
    local start
    start=$(now_ms)
    until [ "$(page_sample)" = "$rested" ]; do
        [ $(($(now_ms) - start)) -lt "$1" ] ||
            fail "the page was still fading $1 ms after the input ended: $(page_sample)"
    done
}

# rests_after_input: within two fades (and room to spare) of the input's end the page rests,
# and stays so for 2 s; a storm of fades would show in the samples.
rests_after_input() {
    local until now
    wait_for_rest $((2 * fade_ms + 1000))
    until=$((SECONDS + 2))
    while [ "$SECONDS" -lt "$until" ]; do
        now=$(page_sample)
        [ "$now" = "$rested" ] || fail "the page was still fading after the input ended: $now"
    done
}

start_xvfb 1280x1024
export SDL_EVENT_LOGGING=1 # SDL's own log of each event but the moves, to count the crossings
start_game
# Three times (letting the capture go raced with the crossing): from the title out to the
# desktop in one jump, a click there; once the crossings of the jump and the click are over, the
# window stays left (going in and out, it crossed some sixty times a second).
for attempt in 1 2 3; do
    move 600 650
    sleep 0.3
    xdotool mousemove $((WIN_X - 88)) $((WIN_Y + 572)) click 1
    sleep 1
    before=$(grep -c SDL_WINDOWEVENT_ENTER "$WORK/game.log" || true)
    sleep 1
    crossings=$(($(grep -c SDL_WINDOWEVENT_ENTER "$WORK/game.log" || true) - before))
    [ "$crossings" -le 2 ] || fail "the pointer outside was seen entering $crossings times in 1 s"
done
echo "a click on the desktop: the pointer stays out"
act_move "${PLANK1[@]}"
act_click "${PLANK1[@]}"
expect_like page_open "${MOVING[@]}" -- "${ACTIONS[@]}"
rested=$(page_sample)
# One fade's length on this machine (a loaded one fades more slowly) sets the limits below:
# from a Page Down, seen fading, until the page rests.
start=$(now_ms)
xdotool key Next
seen=""
for _ in $(seq 1 100); do [ "$(page_sample)" != "$rested" ] && seen=1 && break; done
[ -n "$seen" ] || fail "Page Down brought no fade"
wait_for_rest 10000
fade_ms=$(($(now_ms) - start))
echo "one fade: $fade_ms ms"

xdotool keydown Next
sleep 1
xdotool keyup Next
rests_after_input
echo "Page Down held for 1 s: the page rests again"

move "${CORNER[@]}"
xdotool click --repeat 15 --delay 40 1
rests_after_input
echo "15 clicks on the page corner: the page rests again"
kill -0 "$GAME_PID" || fail "the game ended"
stop_game TERM
[ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT"
