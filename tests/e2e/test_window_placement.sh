# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The pointer held still through F11, both ways, with and without a window manager: the screen
# then is what a fresh start shows with the pointer on that spot (the hand there, plank 1 lifted
# with its balloon), as the snapshot tool draws it. A window another program resizes (no window
# manager) shows the picture reduced to fit or centred on the border, the pointer mapped to it.
source "$(dirname "$0")/run_lib.sh"

# point_at X Y: the pointer on window pixel (X, Y), a screen point kept as SPOT.
point_at() {
    SPOT="$((WIN_X + $1)) $((WIN_Y + $2))"
    xdotool mousemove $SPOT
}

# window_shows NAME: waits until the window alone shows the title with the hand on SPOT, the
# picture placed in it as the game places it; the pointer must still be there.
window_shows() {
    local name=$1 w h x y spot_x spot_y
    read -r w h x y < <(geometry)
    read -r spot_x spot_y <<<"$SPOT"
    fit "$w" "$h"
    snap "$name" seed "$ZIMBLY_SEED" \
        move $(((spot_x - x - LEFT) * 1024 / WIDE)) $(((spot_y - y - TOP) * 768 / HIGH))
    for _ in $(seq 1 60); do
        xwd -id "$WINDOW" -silent >"$WORK/$name.xwd"
        python3 "$E2E_DIR/xwdfit.py" "$WORK/$name.xwd" "$WORK/$name.snap.png" "$LEFT" "$TOP" \
            "$WIDE" "$HIGH" >"$WORK/fit.log" && {
            echo "$name: ${w}x$h, picture ${WIDE}x$HIGH+$LEFT+$TOP, hand on $spot_x,$spot_y"
            break
        }
        sleep 0.1
    done
    grep -q 'points as expected' "$WORK/fit.log" || fail "$name: $(cat "$WORK/fit.log")"
    xdotool getmouselocation | grep -q "^x:$spot_x y:$spot_y " ||
        fail "$name: the pointer moved to $(xdotool getmouselocation)"
}

for run in "1280x1024 none" "1366x768 openbox"; do
    read -r SIZE MANAGER <<<"$run"
    W=${SIZE%x*}
    H=${SIZE#*x}
    export XDG_CONFIG_HOME="$WORK/config-$SIZE"
    start_xvfb "$SIZE"
    [ "$MANAGER" = openbox ] && start_openbox
    start_game
    windowed="1024 768 $(((W - 1024) / 2)) $(((H - 768) / 2))"
    wait_geometry "$windowed"
    [ "$MANAGER" = openbox ] && xdotool windowactivate --sync "$WINDOW"
    window_origin
    point_at "${PLANK1[@]}"
    window_shows "window-$SIZE-$MANAGER"
    xdotool key F11
    wait_geometry "$W $H 0 0"
    window_shows "full-$SIZE-$MANAGER"
    xdotool key F11
    wait_geometry "$windowed"
    window_shows "back-$SIZE-$MANAGER"

    if [ "$MANAGER" = none ]; then
        # Smaller than the picture, then larger: the pointer put on plank 1 where it is shown.
        xdotool windowsize "$WINDOW" 640 480
        wait_geometry "640 480 $WIN_X $WIN_Y"
        point_at $((400 * 640 / 1024)) $((250 * 480 / 768))
        window_shows "smaller-$SIZE"
        xdotool windowsize "$WINDOW" 1100 850
        wait_geometry "1100 850 $WIN_X $WIN_Y"
        point_at $(((1100 - 1024) / 2 + 400)) $(((850 - 768) / 2 + 250))
        window_shows "larger-$SIZE"
    fi
    stop_game TERM
    [ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT on $SIZE"
    kill "$XVFB_PID"
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
    rm -f "$WORK/bin/Sumora.cfg"
done
