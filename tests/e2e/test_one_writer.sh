# One writer per data file: a second start on the same file opens no window of its own, brings
# the running game's window to the front and exits 0; the first copy's results are untouched.
# A copy that was killed leaves nothing that stops the next start.
source "$(dirname "$0")/lib.sh"

start_xvfb 1280x1024
start_game
FIRST_PID=$GAME_PID
settled_screenshot before
SPOT=(300 300)
shown=$(pixel before "${SPOT[@]}")

# Another program's window covers the game.
xlogo -geometry 400x400+$((WIN_X + 200))+$((WIN_Y + 200)) &
COVER_PID=$!
wait_change "${SPOT[@]}" "$shown" >/dev/null

set +e
timeout 20 "$WORK/bin/zimbly" >"$WORK/second.log" 2>&1
second_exit=$?
set -e
[ "$second_exit" = 0 ] || fail "the second start exited $second_exit: $(cat "$WORK/second.log")"
grep -q "already running" "$WORK/second.log" || fail "no word from the second start"
[ "$(xdotool search --name 'Zimbly' | wc -l)" = 1 ] || fail "a second window appeared"
wait_pixel "${SPOT[@]}" "$shown"
kill -0 "$FIRST_PID" || fail "the first copy ended"
echo "second start: exit 0, '$(cat "$WORK/second.log")', the first window came to the front"
kill "$COVER_PID"
wait "$COVER_PID" 2>/dev/null || true

stop_game TERM
[ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT"
python3 "$E2E_DIR/datafile.py" defaults "$WORK/defaults.cfg"
cmp "$WORK/bin/Sumora.cfg" "$WORK/defaults.cfg" || fail "the first copy's file is not as it left it"

# A copy killed outright: its lock goes with it, and the next start is the writer.
start_game
kill -KILL "$GAME_PID"
wait_game_exit
start_game
stop_game TERM
[ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT after a killed copy"
cmp "$WORK/bin/Sumora.cfg" "$WORK/defaults.cfg" || fail "the start after a killed copy did not save"
echo "after a killed copy the next start opened its window and saved"
