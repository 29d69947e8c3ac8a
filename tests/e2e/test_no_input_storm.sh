# Input that piles up while a page fades in is not replayed as a storm of fades afterwards:
# after Page Down held for a second, or the page corner clicked fifteen times in a row, the page
# rests within a fade or two of the last input.
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

# rests_after_input: 1.5 s after the input ended (one fade and room to spare), the page shows
# the rested picture in every sample for another 1.5 s; a storm of fades would show in them.
rests_after_input() {
    local rested="$1" until now
    sleep 1.5
    until=$((SECONDS + 2))
    while [ "$SECONDS" -lt "$until" ]; do
        now=$(page_sample)
        [ "$now" = "$rested" ] || fail "the page was still fading after the input ended: $now"
    done
}

start_xvfb 1280x1024
start_game
act_move "${PLANK1[@]}"
act_click "${PLANK1[@]}"
expect_like page_open "${MOVING[@]}" -- "${ACTIONS[@]}"
rested=$(page_sample)

xdotool keydown Next
sleep 1
xdotool keyup Next
rests_after_input "$rested"
echo "Page Down held for 1 s: the page rests again"

move "${CORNER[@]}"
xdotool click --repeat 15 --delay 40 1
rests_after_input "$rested"
echo "15 clicks on the page corner: the page rests again"
kill -0 "$GAME_PID" || fail "the game ended"
stop_game TERM
[ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT"
