# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# One writer per data file: a second start on the same file opens no window of its own, brings
# the running game's window to the front and exits 0; the first copy's results are untouched.
# A copy that was killed leaves nothing that stops the next start. A program that is not the game
# holding the lock is named (in a message window too) and never ended; a copy whose folder was
# moved away writes nothing afterwards, neither there nor in a folder put in its place.
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

# A program that is not the game holds the lock file.
python3 -c 'import fcntl, sys, time
f = open(sys.argv[1], "a+")
fcntl.lockf(f, fcntl.LOCK_EX)
open(sys.argv[2], "w").close()
time.sleep(120)' "$WORK/bin/Sumora.cfg.lock" "$WORK/held" &
HOLDER_PID=$!
trap 'kill "$HOLDER_PID" 2>/dev/null || true; cleanup' EXIT
for _ in $(seq 1 100); do [ -e "$WORK/held" ] && break; sleep 0.05; done
(cd "$WORK" && exec "$WORK/bin/zimbly" >"$WORK/other.log" 2>&1) &
SECOND_PID=$!
MESSAGE=""
for _ in $(seq 1 100); do
    # Its title is in a form xdotool does not search.
    MESSAGE=$(xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) "Zimbly.*/\1/p' | head -n 1)
    [ -n "$MESSAGE" ] && xwininfo -id "$MESSAGE" | grep -q 'IsViewable' && break
    MESSAGE=""
    sleep 0.05
done
[ -n "$MESSAGE" ] || fail "no message window ($(cat "$WORK/other.log"))"
height=$(xwininfo -id "$MESSAGE" | sed -n 's/.*Height: *//p')
[ "$height" -lt 768 ] || fail "a game window opened instead of the message ($height high)"
screenshot message
python3 "$E2E_DIR/xwdpng.py" "$WORK/message.xwd" "$WORK/message.png" 0 0 1280 1024
xdotool windowfocus --sync "$MESSAGE" key Return
set +e
wait "$SECOND_PID"
second_exit=$?
set -e
[ "$second_exit" = 1 ] || fail "exit $second_exit with another program holding the lock"
grep -q "another program (process $HOLDER_PID, not this game)" "$WORK/other.log" ||
    fail "the holder was not named: $(cat "$WORK/other.log")"
kill -0 "$HOLDER_PID" || fail "the program holding the lock was ended"
kill "$HOLDER_PID"
wait "$HOLDER_PID" 2>/dev/null || true
echo "a program holding the lock: $(cat "$WORK/other.log"); it lives on"

# The game's folder moved away while it runs, and an empty one put in its place.
start_game
mv "$WORK/bin" "$WORK/moved"
mkdir "$WORK/bin"
stop_game TERM
[ "$GAME_EXIT" = 1 ] || fail "exit code $GAME_EXIT after the folder moved"
grep -q "was moved or replaced" "$WORK/game.log" || fail "nothing said: $(cat "$WORK/game.log")"
[ -z "$(ls -A "$WORK/bin")" ] || fail "written into the folder put in its place: $(ls "$WORK/bin")"
cmp "$WORK/moved/Sumora.cfg" "$WORK/defaults.cfg" || fail "the moved folder's file changed"
echo "folder moved: '$(tail -n 1 "$WORK/game.log")'; nothing written"
