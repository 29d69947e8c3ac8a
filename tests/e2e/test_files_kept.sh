# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Nothing a family keeps is lost, whatever the data file has become: one without read permission,
# a FIFO, a start without a display, temporary files of killed saves, two damaged files in a row,
# one wrong header byte, a symbolic link, a read-only install holding the family's file, a file
# another program replaced while the game ran, and a folder two accounts share; and a link another
# account planted makes the game write nothing.
source "$(dirname "$0")/lib.sh"

LEAVE=(100 530)
NOTICE_EDGE=(512 733) # the notice label's outline and its paper
NOTICE_PAPER=(300 746)
DATA="$WORK/bin/Sumora.cfg"
chmod 755 "$WORK"
mkdir -p "$WORK/bin"
cp "$GAME_SOURCE_BINARY" "$WORK/bin/zimbly"
python3 "$E2E_DIR/datafile.py" build "$WORK/family.cfg" 0 Tom:80,90 Amy:70
python3 "$E2E_DIR/datafile.py" defaults "$WORK/defaults.cfg"

# Permission bits do not stop root: those cases run the game as an unprivileged player.
if [ "$(id -u)" = 0 ]; then
    PLAYER=(setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$WORK/home")
    mkdir -p "$WORK/home"
    chown 65534:65534 "$WORK/home"
else
    PLAYER=(env HOME="$WORK/home")
    mkdir -p "$WORK/home"
fi

# others: the names in bin/ besides the game, the data file and its lock.
others() { ls -A "$WORK/bin" | grep -v '^zimbly$\|^Sumora\.cfg$\|^Sumora\.cfg\.lock$' || true; }

expect_notice() {
    wait_pixel "${NOTICE_EDGE[@]}" 5b3a1e
    wait_pixel "${NOTICE_PAPER[@]}" fffdf5
}

start_xvfb 1280x1024

# 1. A file the player may not read: the game starts, says so, and leaves the file as it is.
cp "$WORK/family.cfg" "$DATA"
chmod 000 "$DATA"
chmod 777 "$WORK/bin"
GAME_RUNNER=("${PLAYER[@]}")
start_game
expect_notice
screenshot unreadable
keep_png unreadable
click "${LEAVE[@]}"
wait_game_exit
[ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT"
grep -q "cannot be read" "$WORK/game.log" || fail "nothing said on stderr: $(cat "$WORK/game.log")"
[ "$(stat -c %a "$DATA")" = 0 ] || fail "the mode changed to $(stat -c %a "$DATA")"
cmp "$DATA" "$WORK/family.cfg" || fail "the unreadable file was written"
[ -z "$(others)" ] || fail "left behind: $(others)"
echo "mode 000: notice shown, '$(head -n 1 "$WORK/game.log")', file untouched"
rm -f "$DATA" "$WORK/bin/Sumora.cfg.lock"
chmod 755 "$WORK/bin"
GAME_RUNNER=()

# 2. A FIFO by that name: no hang at start, the notice, and it stays a FIFO.
mkfifo "$DATA"
start_game
expect_notice
stop_game TERM
[ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT"
[ -p "$DATA" ] || fail "the FIFO was replaced"
[ -z "$(others)" ] || fail "left behind: $(others)"
echo "FIFO: started at once with the notice, still a FIFO"
rm -f "$DATA"

# 3. No display: a damaged file is neither copied nor touched, and nothing is created.
head -c 200 "$WORK/family.cfg" >"$DATA"
cp "$DATA" "$WORK/cut.cfg"
rm -f "$WORK/bin/Sumora.cfg.lock"
set +e
(cd "$WORK" && DISPLAY=:9999 WAYLAND_DISPLAY= "$WORK/bin/zimbly" >"$WORK/nodisplay.log" 2>&1)
nodisplay_exit=$?
set -e
[ "$nodisplay_exit" = 1 ] || fail "exit code $nodisplay_exit without a display"
cmp "$DATA" "$WORK/cut.cfg" || fail "the start without a display wrote the file"
[ -z "$(ls -A "$WORK/bin" | grep -v '^zimbly$\|^Sumora\.cfg$')" ] ||
    fail "the start without a display created $(ls -A "$WORK/bin")"
echo "no display: exit 1, '$(cat "$WORK/nodisplay.log")', nothing written"

# 4. Two damaged files in a row (the first one above), then one wrong header byte: each is
# kept under a name of its own with its mode, before the defaults are written.
chmod 640 "$DATA"
start_game
stop_game TERM
head -c 900 "$WORK/family.cfg" >"$WORK/cut2.cfg"
cp "$WORK/cut2.cfg" "$DATA"
start_game
stop_game TERM
cp "$WORK/family.cfg" "$WORK/header.cfg"
printf 's' | dd of="$WORK/header.cfg" bs=1 count=1 conv=notrunc status=none
cp "$WORK/header.cfg" "$DATA"
start_game
stop_game TERM
cmp "$DATA.bad" "$WORK/cut.cfg" || fail ".bad is not the first damaged file"
cmp "$DATA.bad.1" "$WORK/cut2.cfg" || fail ".bad.1 is not the second damaged file"
cmp "$DATA.bad.2" "$WORK/header.cfg" || fail ".bad.2 is not the file with the wrong header"
[ "$(stat -c %a "$DATA.bad")" = 640 ] || fail "the rescue copy's mode is $(stat -c %a "$DATA.bad")"
python3 "$E2E_DIR/datafile.py" show "$DATA" | grep -q '^current 0$' || fail "no valid new file"
echo "damaged, damaged, wrong header: kept as .bad, .bad.1, .bad.2; the new file is valid"

# 5. Temporary files of saves killed in earlier sessions, named for the pids coming next (as in
# a PID namespace): gone at the next start, and the saves work.
rm -f "$DATA" "$DATA".bad*
next=$(($(cat /proc/sys/kernel/ns_last_pid) + 1))
for pid in $(seq "$next" $((next + 30))); do
    for n in 0 1; do echo stale >"$DATA.tmp-$pid-$n"; done
done
echo stale >"$DATA.tmp-0123456789abcdef"
start_game
stop_game TERM
[ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT"
cmp "$DATA" "$WORK/defaults.cfg" || fail "the save after stale temporary files failed"
[ -z "$(others)" ] || fail "left behind: $(others)"
echo "63 stale temporary files removed at start; the save went through"

# 6. A symbolic link stays a link; the file it points to is replaced.
mkdir -p "$WORK/shared"
python3 "$E2E_DIR/datafile.py" build "$WORK/shared/family.cfg" 5 Tom:80,90 Amy:70
rm -f "$DATA"
ln -s ../shared/family.cfg "$DATA"
start_game
stop_game TERM
[ -L "$DATA" ] || fail "the link was replaced by a file"
cmp "$WORK/shared/family.cfg" "$WORK/family.cfg" || fail "the link's target was not saved"
echo "symbolic link kept; its target saved (current user 5 held to 0)"
rm -f "$DATA" "$WORK/bin/Sumora.cfg.lock"

# 7. A read-only install holding the family's file: it is loaded, and saves go to the player's
# data folder.
cp "$WORK/family.cfg" "$DATA"
chmod 644 "$DATA"
chmod 555 "$WORK/bin"
GAME_RUNNER=("${PLAYER[@]}")
start_game
move 500 555
click 500 555
screenshot readonly_users
keep_png readonly_users
stop_game TERM
[ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT"
chmod 755 "$WORK/bin"
cmp "$WORK/home/.local/share/zimbly/Sumora.cfg" "$WORK/family.cfg" ||
    fail "the family's users did not reach the player's data folder"
cmp "$DATA" "$WORK/family.cfg" || fail "the read-only file changed"
echo "read-only install: the family's file was read and saved to ~/.local/share/zimbly"

# 8. Another program replaces the file while the game runs: the save keeps its file first.
rm -f "$DATA" "$DATA".bad* "$WORK/bin/Sumora.cfg.lock"
cp "$WORK/family.cfg" "$DATA"
GAME_RUNNER=()
start_game
python3 "$E2E_DIR/datafile.py" build "$WORK/theirs.cfg" 0 Ann:50
cp "$WORK/theirs.cfg" "$DATA.new"
mv "$DATA.new" "$DATA"
stop_game TERM
[ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT"
cmp "$DATA.bad" "$WORK/theirs.cfg" || fail "the other program's file was not kept"
cmp "$DATA" "$WORK/family.cfg" || fail "the game's own results were not saved"
grep -q "changed by another program.*kept as .*Sumora.cfg.bad" "$WORK/game.log" ||
    fail "nothing said: $(cat "$WORK/game.log")"
echo "replaced mid-session: $(cat "$WORK/game.log")"

[ "$(id -u)" = 0 ] || exit 0 # the rest takes other accounts

# 9. Another account's link in a folder anyone may write in, to a file of the player's: not
# followed, so nothing is written through it; the notice says the results are not kept.
rm -f "$DATA" "$DATA".bad* "$WORK/bin/Sumora.cfg.lock"
cp "$WORK/family.cfg" "$WORK/victim.cfg"
chmod 1777 "$WORK/bin"
setpriv --reuid=65534 --regid=65534 --clear-groups ln -s "$WORK/victim.cfg" "$DATA"
start_game
expect_notice
stop_game TERM
grep -q "symbolic link that another account could have made" "$WORK/game.log" ||
    fail "nothing said: $(cat "$WORK/game.log")"
[ -L "$DATA" ] || fail "the link was replaced"
cmp "$WORK/victim.cfg" "$WORK/family.cfg" || fail "the file behind the planted link was written"
echo "planted link: notice shown, its target untouched"
rm -f "$DATA" "$WORK/bin/Sumora.cfg.lock"

# 10. A family's shared folder (its group may write there, no set-group-ID), two accounts of that
# group, each with umask 077: the file the first one makes and the lock stay open to the group,
# so the second reads and replaces it, and both keep their results. The second finds something to
# change (a current user past the list, which the load sets right): a close with nothing new
# leaves the file as it is.
FAMILY=4242
chgrp "$FAMILY" "$WORK/bin"
chmod 770 "$WORK/bin"
python3 "$E2E_DIR/datafile.py" build "$WORK/past-the-list.cfg" 5
python3 "$E2E_DIR/datafile.py" build "$WORK/set-right.cfg" -1
for account in 4001 4002; do
    GAME_RUNNER=(setpriv --reuid="$account" --regid="$account" --groups="$FAMILY"
                 env HOME="$WORK/home" sh -c 'umask 077; exec "$@"' sh)
    [ "$account" = 4001 ] || cat "$WORK/past-the-list.cfg" >"$DATA" # its owner and mode stay
    start_game
    stop_game TERM
    [ "$GAME_EXIT" = 0 ] || fail "account $account: exit $GAME_EXIT: $(cat "$WORK/game.log")"
    [ ! -s "$WORK/game.log" ] || fail "account $account: $(cat "$WORK/game.log")"
    [ "$(stat -c %u "$DATA")" = "$account" ] || fail "account $account did not save"
    for file in "$DATA" "$DATA.lock"; do
        [ "$(stat -c %a:%g "$file")" = "660:$FAMILY" ] ||
            fail "$file is $(stat -c %a:%g "$file") after account $account"
    done
done
cmp "$DATA" "$WORK/set-right.cfg" || fail "the shared file is not the game's"
echo "shared folder: accounts 4001 and 4002 (umask 077) each saved; file and lock 660, group $FAMILY"
