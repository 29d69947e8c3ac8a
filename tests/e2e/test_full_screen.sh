# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Full screen on screens of every size: a netbook's 1024x600 starts full screen by itself with
# the picture reduced to fit, and stays so (F11 and Escape do nothing there, nothing is
# remembered); 1366x768, 1280x1024 and 2560x1600 start in a window and F11 takes them to full
# screen at the largest whole scale, the whole picture shown at once with the hand and the lifted
# plank where the pointer, held still, now is (on the border outside the old window too). In full
# screen a press on free space released on a plank starts nothing, a click on the scaled plank 1
# starts its run and a click on a scaled keypad ball types its digit; the picture matches the
# snapshot tool's, scaled the same way. F11 (or Escape) goes back; the choice is remembered,
# --window and --fullscreen override it for one start. The title is right in WM_NAME too.
source "$(dirname "$0")/run_lib.sh"

# at CX CY: the screen point of client point (CX, CY) in full screen; CLIENT_X CLIENT_Y are the
# client point that screen pixel maps back to (what the snapshot tool is told).
at() {
    SCREEN_X=$((LEFT + ($1 * WIDE + WIDE / 2048) / 1024))
    SCREEN_Y=$((TOP + ($2 * HIGH + HIGH / 1536) / 768))
    CLIENT_X=$(((SCREEN_X - LEFT) * 1024 / WIDE))
    CLIENT_Y=$(((SCREEN_Y - TOP) * 768 / HIGH))
}

# looks_fitted NAME [Y0:Y1 ...] -- ACTIONS: waits until the screen shows the snapshot of ACTIONS
# placed as full screen places it.
looks_fitted() {
    local name="$1" ranges=()
    shift
    while [ "$1" != "--" ]; do
        ranges+=("$1")
        shift
    done
    shift
    snap "$name" "$@"
    for _ in $(seq 1 60); do
        screenshot "$name"
        python3 "$E2E_DIR/xwdfit.py" "$WORK/$name.xwd" "$WORK/$name.snap.png" "$LEFT" "$TOP" \
            "$WIDE" "$HIGH" "${ranges[@]}" >"$WORK/fit.log" && return 0
        sleep 0.1
    done
    fail "$name on $SIZE: $(cat "$WORK/fit.log")"
}

# wait_setting VALUE: until the remembered choice is fullscreen=VALUE (written just after the
# window changes).
wait_setting() {
    for _ in $(seq 1 100); do
        grep -qx "fullscreen=$1" "$XDG_CONFIG_HOME/zimbly/settings" 2>/dev/null && return 0
        sleep 0.05
    done
    fail "the choice fullscreen=$1 was not remembered"
}

PAGE_ROWS=100:480 # the page's lines: nothing moves there by itself

# Where the pointer rests while F11 is pressed, as a client point of full screen: on plank 1,
# where the old window's coordinates would put it beside the plank; or outside the old window.
declare -A RESTING=([1024x600]="600 700" [1366x768]="450 250" [1280x1024]="-100 300"
    [2560x1600]="450 250")

for SIZE in 1024x600 1366x768 1280x1024 2560x1600; do
    W=${SIZE%x*}
    H=${SIZE#*x}
    export XDG_CONFIG_HOME="$WORK/config-$SIZE"
    start_xvfb "$SIZE"
    start_game
    fit "$W" "$H"
    ACTIONS=(seed "$ZIMBLY_SEED")
    at ${RESTING[$SIZE]}
    xdotool mousemove "$SCREEN_X" "$SCREEN_Y"
    if [ "$W" -lt 1024 ] || [ "$H" -lt 768 ]; then
        wait_geometry "$W $H 0 0" # too small for the window: full screen from the start
    else
        scale=1
        [ "$W" -ge 2048 ] && [ "$H" -ge 1536 ] && scale=2
        wait_geometry "$((1024 * scale)) $((768 * scale)) $(((W - 1024 * scale) / 2)) $(((H - 768 * scale) / 2))"
        xdotool key F11
        wait_geometry "$W $H 0 0"
        wait_setting 1
    fi
    # The pointer has not moved since F11.
    looks_fitted "title-$SIZE" -- "${ACTIONS[@]}" move "$CLIENT_X" "$CLIENT_Y"

    # Pressed on free space (the tree), released on plank 0: no run starts, only the hand lets go.
    at 200 100
    xdotool mousemove "$SCREEN_X" "$SCREEN_Y" mousedown 1
    at 400 200
    xdotool mousemove "$SCREEN_X" "$SCREEN_Y" mouseup 1
    looks_fitted "no-click-$SIZE" -- "${ACTIONS[@]}" move "$CLIENT_X" "$CLIENT_Y"

    # Plank 1, then the first answer's first digit on its ball, clicked where they are drawn.
    at 400 250
    xdotool mousemove "$SCREEN_X" "$SCREEN_Y" click 1
    ACTIONS+=(move "$CLIENT_X" "$CLIENT_Y" click "$CLIENT_X" "$CLIENT_Y")
    looks_fitted "run-$SIZE" "$PAGE_ROWS" -- "${ACTIONS[@]}"
    read -r -a page < <(answers_after "${ACTIONS[@]}")
    digit=${page[0]:0:1}
    at "$(ball_x "$digit")" "$BALL_Y"
    xdotool mousemove "$SCREEN_X" "$SCREEN_Y" click 1
    ACTIONS+=(move "$CLIENT_X" "$CLIENT_Y" click "$CLIENT_X" "$CLIENT_Y")
    looks_fitted "typed-$SIZE" "$PAGE_ROWS" -- "${ACTIONS[@]}"
    echo "$SIZE: full screen at ${WIDE}x${HIGH}+$LEFT+$TOP; plank 1 started a run, ball $digit typed"

    if [ "$W" -ge 1024 ] && [ "$H" -ge 768 ]; then
        xdotool key F11
        wait_geometry "$((1024 * scale)) $((768 * scale)) $(((W - 1024 * scale) / 2)) $(((H - 768 * scale) / 2))"
        wait_setting 0
    else
        # A window would not fit: F11 and Escape leave the screen full. The digit typed after
        # them shows once they have been handled.
        xdotool key F11 Escape
        act_key 1 $((0x31))
        looks_fitted "kept-$SIZE" "$PAGE_ROWS" -- "${ACTIONS[@]}"
        [ "$(geometry)" = "$W $H 0 0" ] || fail "F11 and Escape left full screen on $SIZE: $(geometry)"
        [ ! -e "$XDG_CONFIG_HOME/zimbly/settings" ] || fail "the choice changed on $SIZE"
        echo "$SIZE: F11 and Escape kept full screen; nothing remembered"
    fi
    stop_game TERM
    [ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT on $SIZE"
    kill "$XVFB_PID"
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
    rm -f "$WORK/bin/Sumora.cfg"
done

# The remembered choice, overridden for one start; Escape leaves full screen; the title.
export XDG_CONFIG_HOME="$WORK/config-choice"
mkdir -p "$XDG_CONFIG_HOME/zimbly"
echo 'fullscreen=1' >"$XDG_CONFIG_HOME/zimbly/settings"
start_xvfb 1280x1024
start_game
wait_geometry "1280 1024 0 0"
xdotool key Escape
wait_geometry "1024 768 128 128"
names=$(xprop -id "$WINDOW" WM_NAME _NET_WM_NAME)
echo "$names" | grep -q '^WM_NAME(UTF8_STRING) = ' || fail "WM_NAME is not UTF-8: $names"
[ "$(echo "$names" | sed -n 's/^WM_NAME(UTF8_STRING) = //p')" = \
  "$(echo "$names" | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = //p')" ] || fail "titles differ: $names"
stop_game TERM
GAME_ARGS=(--fullscreen)
echo 'fullscreen=0' >"$XDG_CONFIG_HOME/zimbly/settings"
start_game
wait_geometry "1280 1024 0 0"
stop_game TERM
echo "remembered full screen started full screen; Escape left it; --fullscreen overrode a window"
echo "titles: $names"
