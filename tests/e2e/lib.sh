# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Shared helpers of the end-to-end tests: a private Xvfb, the real binary copied into a fresh
# directory (so its data file lands there), real X input through xdotool, pixels from xwd.
set -euo pipefail
unset ZIMBLY_DATA_FILE

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
GAME_SOURCE_BINARY="$1"
WORK=$(mktemp -d /tmp/zimbly-e2e.XXXXXX)
# The player's remembered choices (full screen) stay out of the tests, and theirs out of home.
export XDG_CONFIG_HOME="$WORK/config"
# The sounds go nowhere, whatever the machine has: no test plays aloud, and every machine says
# the same on stderr (nothing). The sound tests choose their own driver.
export SDL_AUDIODRIVER=dummy
# The game and the snapshot tool speak Chinese whatever the tester's desktop speaks: the screens
# are compared in Chinese, and C.UTF-8 is on every machine.
unset LANGUAGE LC_MESSAGES
export LC_ALL=C.UTF-8
XVFB_PID=""
GAME_PID=""

cleanup() {
    [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    wait 2>/dev/null || true
    if [ "${E2E_KEEP:-0}" = 1 ]; then echo "kept $WORK"; else rm -rf "$WORK"; fi
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# start_xvfb WIDTHxHEIGHT: a private X server on a free display. Two servers starting at the
# same moment can race for one display number; the loser exits, and is started again.
start_xvfb() {
    local size="${1:-1280x1024}" display="" attempt
    for attempt in 1 2 3 4 5; do
        rm -f "$WORK/display"
        Xvfb -displayfd 5 -screen 0 "${size}x24" -nolisten tcp -noreset \
            5>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
        XVFB_PID=$!
        for _ in $(seq 1 200); do
            display=$(head -n 1 "$WORK/display" 2>/dev/null || true)
            [ -n "$display" ] && break
            kill -0 "$XVFB_PID" 2>/dev/null || break
            sleep 0.05
        done
        [ -n "$display" ] && break
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=""
        echo "Xvfb attempt $attempt failed: $(tail -n 3 "$WORK/xvfb.log")" >&2
    done
    [ -n "$display" ] || fail "Xvfb did not start"
    export DISPLAY=":$display"
    for _ in $(seq 1 100); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    fail "Xvfb did not answer"
}

# start_openbox: a window manager on the display, once it answers.
start_openbox() {
    openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
    for _ in $(seq 1 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.05
    done
    xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || fail "openbox did not start"
}

# start_game: the binary copied into $WORK/bin, started there (through GAME_RUNNER, a command
# prefix such as one that drops root, when set).
# GAME_ARGS are its command-line arguments.
GAME_RUNNER=()
GAME_ARGS=()
start_game() {
    mkdir -p "$WORK/bin"
    [ -f "$WORK/bin/zimbly" ] || cp "$GAME_SOURCE_BINARY" "$WORK/bin/zimbly"
    (cd "$WORK" && exec "${GAME_RUNNER[@]}" "$WORK/bin/zimbly" "${GAME_ARGS[@]}" >"$WORK/game.log" 2>&1) &
    GAME_PID=$!
    WINDOW=""
    for _ in $(seq 1 200); do
        WINDOW=$(xdotool search --name 'Zimbly' 2>/dev/null | head -n 1 || true)
        if [ -n "$WINDOW" ] && xwininfo -id "$WINDOW" 2>/dev/null | grep -q 'Map State: IsViewable'; then
            break
        fi
        WINDOW=""
        sleep 0.05
    done
    [ -n "$WINDOW" ] || fail "the game window did not appear ($(cat "$WORK/game.log"))"
    window_origin
}

window_origin() {
    WIN_X=$(xwininfo -id "$WINDOW" | sed -n 's/.*Absolute upper-left X: *//p')
    WIN_Y=$(xwininfo -id "$WINDOW" | sed -n 's/.*Absolute upper-left Y: *//p')
}

# stop_game SIGNAL: sends the signal and waits; sets GAME_EXIT.
stop_game() {
    kill -"${1:-TERM}" "$GAME_PID"
    wait_game_exit
}

wait_game_exit() {
    local i
    for i in $(seq 1 200); do
        kill -0 "$GAME_PID" 2>/dev/null || break
        sleep 0.05
    done
    kill -0 "$GAME_PID" 2>/dev/null && fail "the game did not end"
    set +e
    wait "$GAME_PID"
    GAME_EXIT=$?
    set -e
    GAME_PID=""
}

# geometry: WIDTH HEIGHT X Y of the game's window.
geometry() {
    xwininfo -id "$WINDOW" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
        /Width:/{w=$2} /Height:/{h=$2} END{print w, h, x, y}'
}

wait_geometry() {
    for _ in $(seq 1 100); do
        [ "$(geometry)" = "$1" ] && return 0
        sleep 0.05
    done
    fail "the window is $(geometry), not $1"
}

# fit W H: sets LEFT TOP WIDE HIGH, where the picture lies in a full-screen window (or one
# resized by another program) of W x H.
fit() {
    local w=$1 h=$2 s
    if [ "$w" -ge 1024 ] && [ "$h" -ge 768 ]; then
        s=$((w / 1024 < h / 768 ? w / 1024 : h / 768))
        [ "$s" -gt 8 ] && s=8
        WIDE=$((1024 * s))
        HIGH=$((768 * s))
    elif [ $((w * 768)) -le $((h * 1024)) ]; then
        WIDE=$w
        HIGH=$((w * 768 / 1024))
    else
        HIGH=$h
        WIDE=$((h * 1024 / 768))
    fi
    LEFT=$(((w - WIDE) / 2))
    TOP=$(((h - HIGH) / 2))
}

# Client coordinates to screen and back.
move() { xdotool mousemove $((WIN_X + $1)) $((WIN_Y + $2)); }
click() {
    move "$1" "$2"
    xdotool click 1
}

# screenshot NAME: the whole screen as $WORK/NAME.xwd
screenshot() { xwd -root -silent >"$WORK/$1.xwd"; }

# pixel NAME X Y: RRGGBB of client pixel (X, Y) in screenshot NAME
pixel() { python3 "$E2E_DIR/xwdpixel.py" "$WORK/$1.xwd" $((WIN_X + $2)) $((WIN_Y + $3)); }

# wait_pixel X Y RRGGBB: until the client pixel shows that colour (or fail)
wait_pixel() {
    for _ in $(seq 1 100); do
        screenshot wait
        [ "$(pixel wait "$1" "$2")" = "$3" ] && return 0
        sleep 0.05
    done
    fail "pixel ($1, $2) never became $3 (last $(pixel wait "$1" "$2"))"
}

# wait_change X Y OLD: until the client pixel differs from OLD (or fail); prints the new colour.
wait_change() {
    local now
    for _ in $(seq 1 100); do
        screenshot wait
        now=$(pixel wait "$1" "$2")
        if [ "$now" != "$3" ]; then
            echo "$now"
            return 0
        fi
        sleep 0.05
    done
    fail "pixel ($1, $2) stayed $3"
}

# keep_png NAME: screenshot NAME as $WORK/NAME.png, the client area only (kept with E2E_KEEP=1).
keep_png() {
    python3 "$E2E_DIR/xwdpng.py" "$WORK/$1.xwd" "$WORK/$1.png" "$WIN_X" "$WIN_Y" 1024 768
}

# type_text TEXT: real key events for each character (xdotool maps keysyms it lacks).
type_text() { xdotool type --delay 60 "$1"; }

# The snapshot tool built beside the game renders any state headless: the reference pictures.
SNAPSHOT="$(dirname "$GAME_SOURCE_BINARY")/snapshot"

# looks_like NAME [X0,Y0,X1,Y1 ...]: whether screenshot NAME shows what $WORK/NAME.snap.png
# shows at every point of a grid (the rectangles given left out); prints the count.
looks_like() {
    local name="$1" same total
    shift
    read -r same total < <(python3 "$E2E_DIR/likeness.py" "$WORK/$name.xwd" "$WIN_X" "$WIN_Y" \
        "$WORK/$name.snap.png" "$@")
    echo "$name: $same of $total points as expected"
    [ "$same" = "$total" ]
}

# snap NAME ACTIONS...: the snapshot tool's picture of those actions, as $WORK/NAME.snap.png.
snap() {
    local name="$1"
    shift
    "$SNAPSHOT" "$WORK/$name.snap.png" "$@" >/dev/null || fail "snapshot of $name: $*"
}

# expect_like NAME [--skip X0,Y0,X1,Y1]... -- ACTIONS...: waits until the window looks like
# the snapshot tool's picture of those actions (every point of a grid alike).
expect_like() {
    local name="$1" skips=() report
    shift
    while [ "$1" != "--" ]; do
        skips+=("$2")
        shift 2
    done
    shift
    snap "$name" "$@"
    # Up to 10 s and more: a loaded machine under the sanitizers may take seconds over typing.
    for _ in $(seq 1 200); do
        screenshot "$name"
        report=$(looks_like "$name" "${skips[@]}") && {
            echo "$report"
            return 0
        }
        sleep 0.05
    done
    keep_png "$name"
    fail "$report (see $name.png and $name.snap.png with E2E_KEEP=1)"
}

# settled_screenshot NAME: screenshot NAME once two shots 100 ms apart are the same, so the
# game has handled the input sent before (for screens with nothing moving on their own).
settled_screenshot() {
    screenshot "$1"
    for _ in $(seq 1 50); do
        sleep 0.1
        screenshot settle
        cmp -s "$WORK/settle.xwd" "$WORK/$1.xwd" && return 0
        mv "$WORK/settle.xwd" "$WORK/$1.xwd"
    done
    fail "the screen never settled for $1"
}

# Input that is sent to the game and also recorded in ACTIONS, so that the snapshot tool can
# replay the same steps (with the same seed) for the reference picture.
ACTIONS=()
act_move() {
    move "$1" "$2"
    ACTIONS+=(move "$1" "$2")
}
act_click() {
    click "$1" "$2"
    ACTIONS+=(move "$1" "$2" click "$1" "$2")
}
# act_key XDOTOOL_KEY VK
act_key() {
    xdotool key "$1"
    ACTIONS+=(key "$2")
}
