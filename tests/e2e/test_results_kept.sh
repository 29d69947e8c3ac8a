# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Results reach the data file as they are made and survive the session ending under the game:
# a finished run is on disk before anything else happens and stays after the X server is
# killed (a logout), its answer in the answer record too; a held arrow whose steps were not yet
# written is saved on the way out when the X server goes; SIGHUP and SIGQUIT end the game through
# its normal shut-down.
source "$(dirname "$0")/run_lib.sh"

# wait_file_like EXPECTED: until the data file holds exactly those bytes (or fail).
wait_file_like() {
    for _ in $(seq 1 100); do
        cmp -s "$WORK/bin/Sumora.cfg" "$1" && return 0
        sleep 0.05
    done
    [ -f "$WORK/bin/Sumora.cfg" ] && python3 "$E2E_DIR/datafile.py" show "$WORK/bin/Sumora.cfg"
    fail "the data file never became $(basename "$1")"
}

# kill_x: the X server goes away as at logout; the game must end by itself.
kill_x() {
    kill -KILL "$XVFB_PID"
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
    wait_game_exit
}

# A run of one right answer: Tom's 100 is on disk at once, and still there after the logout.
start_xvfb 1280x1024
open_first_page_as_tom
type_answer "${page[0]}"
act_click "${FINISH_BOOK[@]}"
expect_like certificate -- "${ACTIONS[@]}"
python3 "$E2E_DIR/datafile.py" build "$WORK/expected.cfg" 0 Tom:100
wait_file_like "$WORK/expected.cfg"
echo "the finished run was on disk while the certificate showed"
kill_x
cmp "$WORK/bin/Sumora.cfg" "$WORK/expected.cfg" || fail "the logout changed the file"
[ -z "$(ls "$WORK/bin" | grep -v '^zimbly$\|^Sumora.cfg$\|^Sumora.cfg.lock$\|^zimbly-history.sqlite$')" ] ||
    fail "left behind: $(ls "$WORK/bin")"
recorded=$(python3 -c 'import sqlite3, sys
print(*sqlite3.connect(sys.argv[1]).execute("SELECT count(*), max(score) FROM answers, runs").fetchone())' \
    "$WORK/bin/zimbly-history.sqlite")
[ "$recorded" = "1 100" ] || fail "the answer record after the logout: $recorded"
echo "the X server killed: the game ended (exit $GAME_EXIT) and Tom's 100 stayed, in the record too"

# A limit raised by a held arrow is written at the release; with the X server gone while the
# arrow is still held, the way out writes it.
start_xvfb 1280x1024
start_game
move 500 555
click 500 555
move 500 302 # the row of set 3; its panel hangs below it from (250, 320)
move 389 345 # ">>"
settled_screenshot panel
xdotool mousedown 1
sleep 1.2
kill_x
python3 "$E2E_DIR/datafile.py" show "$WORK/bin/Sumora.cfg" >"$WORK/after_x.txt"
read -r _ _ _ _ set3 _ <"$WORK/after_x.txt"
range=${set3%%/*}
[ "$range" -gt 12 ] || fail "set 3's limit $range was not saved on the way out"
echo "held arrow: the limit of set 3 reached $range and was saved as the X server went"

# SIGHUP (the terminal or session ends) and SIGQUIT: a normal shut-down that saves.
for signal in HUP QUIT; do
    rm -f "$WORK/bin/Sumora.cfg"
    start_xvfb 1280x1024
    start_game
    stop_game "$signal"
    [ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT after SIG$signal"
    python3 "$E2E_DIR/datafile.py" defaults "$WORK/defaults.cfg"
    cmp "$WORK/bin/Sumora.cfg" "$WORK/defaults.cfg" || fail "SIG$signal did not save"
    kill "$XVFB_PID"
    wait "$XVFB_PID" 2>/dev/null || true
    echo "SIG$signal: exit 0 and the file written"
done
