# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A start while the running game closes opens the game: sent SIGTERM while busy with a burst of
# keys and started again at once, the second start must not take the closing copy for a running
# one (that copy would not come forward, and no game would run); it waits for it and opens its
# own window.
source "$(dirname "$0")/lib.sh"

start_xvfb 1280x1024
for round in 1 2 3; do
    start_game
    FIRST_PID=$GAME_PID
    click 400 250 # a run: each key below is drawn
    xdotool key --delay 0 $(for _ in $(seq 1 150); do printf '1 Return '; done)
    kill -TERM "$FIRST_PID"
    (cd "$WORK" && exec "$WORK/bin/zimbly" >"$WORK/second.log" 2>&1) &
    GAME_PID=$!
    set +e
    wait "$FIRST_PID"
    first_exit=$?
    set -e
    [ "$first_exit" = 0 ] || fail "round $round: the first copy exited $first_exit"
    WINDOW=""
    for _ in $(seq 1 400); do
        kill -0 "$GAME_PID" 2>/dev/null ||
            fail "round $round: the second start ended: $(cat "$WORK/second.log")"
        WINDOW=$(xdotool search --onlyvisible --name 'Zimbly' 2>/dev/null | head -n 1 || true)
        [ -n "$WINDOW" ] && break
        sleep 0.05
    done
    [ -n "$WINDOW" ] || fail "round $round: no window ($(cat "$WORK/second.log"))"
    stop_game TERM
    [ "$GAME_EXIT" = 0 ] || fail "round $round: the second copy exited $GAME_EXIT"
    echo "round $round: the first copy closed, the second start opened the game" \
        "('$(cat "$WORK/second.log")')"
done
