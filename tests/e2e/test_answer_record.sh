# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The answer record through real X input: one page played as Tom (one wrong try, the magnifier
# once) is in zimbly-history.sqlite while the game still runs, with its problems, answers, marks
# and plausible timings, and the run's end carries the chart's score; the file then rests alone,
# with the data file's mode. A second session's answers survive SIGTERM.
source "$(dirname "$0")/run_lib.sh"

RECORD="$WORK/bin/zimbly-history.sqlite"
now_ms() { date +%s%3N; }

start_xvfb 1280x1024
started=$(now_ms)
open_first_page_as_tom
echo "page of ${#page[@]}: ${page[*]}"

first_answer_wrong_then_right
last=$((${#page[@]} - 1))
for i in $(seq 1 "$last"); do
    if [ "$i" = 3 ]; then act_click "${MAGNIFIER[@]}"; else type_answer "${page[$i]}"; fi
done
expect_like page_finished "${MOVING[@]}" -- "${ACTIONS[@]}"
page_done=$(now_ms)

# The page's end is on disk while the game runs; a reader does not wait for it, nor it for one.
rows=0
for _ in $(seq 1 200); do
    rows=$(python3 -c 'import sqlite3, sys
print(sqlite3.connect(sys.argv[1]).execute("SELECT count(*) FROM answers").fetchone()[0])' \
        "$RECORD" 2>/dev/null || echo 0)
    [ "$rows" = $((${#page[@]} + 1)) ] && break
    sleep 0.05
done
[ "$rows" = $((${#page[@]} + 1)) ] || fail "the finished page is not in the record ($rows rows)"
echo "the finished page was in the record $(($(now_ms) - page_done)) ms after it showed"

finish_and_leave
ended=$(now_ms)

python3 - "$RECORD" "$started" "$ended" "${page[@]}" <<'EOF' || fail "the record does not hold the page"
import sqlite3, sys
path, started, ended = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
page = sys.argv[4:]
db = sqlite3.connect(path)
runs = db.execute("SELECT run_id, child, set_number, set_kinds, set_limit, started_utc_ms, "
                  "ended_utc_ms, score, answers_done, answers_first_try FROM runs").fetchall()
assert len(runs) == 1, runs
run_id, child, number, kinds, limit, run_start, run_end, score, done, first = runs[0]
n = len(page)
assert (child, number, kinds, limit) == (b"Tom", 1, 35, 4), runs
assert (done, first, score) == (n, n - 1, (n - 1) * 100 // n), runs
assert started <= run_start <= run_end <= ended, runs
rows = db.execute("SELECT page, position, utc_ms, problem, expected, typed, is_right, "
                  "is_first_try, by_magnifier, elapsed_ms FROM answers ORDER BY answer_id").fetchall()
wanted = [(0, str((int(page[0]) + 1) % 10), 0, 1, 0), (0, page[0], 1, 0, 0)]
wanted += [(i, page[i], 1, 1, int(i == 3)) for i in range(1, n)]
assert [(r[1], r[5], r[6], r[7], r[8]) for r in rows] == wanted, rows
since = run_start  # when the current problem became current, by the wall clock
for (pg, pos, utc, problem, expected, typed, right, _, _, elapsed) in rows:
    assert pg == 1 and expected == page[pos], (pg, pos, expected)
    # The problem as shown, its blank filled with the answer, is a true sum.
    assert problem.count("\u25a1") == 1 and set(problem) <= set("0123456789+-=\u25a1"), problem
    left, right_side = problem.replace("\u25a1", expected).split("=")
    assert eval(left) == int(right_side), problem
    # The tick count and the wall clock agree within a frame or two of handling.
    assert since <= utc <= ended and abs(elapsed - (utc - since)) < 500, (elapsed, utc - since)
    if right:
        since = utc
print(f"{len(rows)} answers with their marks; elapsed from {min(r[9] for r in rows)} to "
      f"{max(r[9] for r in rows)} ms; run score {score}")
EOF
[ -z "$(ls "$WORK/bin" | grep -v '^zimbly$\|^Sumora.cfg$\|^Sumora.cfg.lock$\|^zimbly-history.sqlite$')" ] ||
    fail "left behind: $(ls "$WORK/bin")"
[ "$(stat -c %a:%g "$RECORD")" = "$(stat -c %a:%g "$WORK/bin/Sumora.cfg")" ] ||
    fail "the record is $(stat -c %a:%g "$RECORD"), the data file $(stat -c %a:%g "$WORK/bin/Sumora.cfg")"

# The parents' report finds the same page: one day, its answers, every problem under a kind.
"$GAME_SOURCE_BINARY" --report --out "$WORK/report.html" "$RECORD" >/dev/null ||
    fail "the report of the record failed"
python3 - "$RECORD" "$WORK/report.html" <<'EOF' || fail "the report does not show the page played"
import re, sqlite3, sys
db = sqlite3.connect(sys.argv[1])
typed = db.execute("SELECT count(*) FROM answers WHERE by_magnifier = 0").fetchone()[0]
problems = db.execute("SELECT count(DISTINCT page || ',' || position) FROM answers").fetchone()[0]
page = open(sys.argv[2], encoding="utf-8").read()
assert '<section class="child" data-child="Tom">' in page
days = re.findall(r'data-day="[^"]*" data-minutes="\d+" data-answers="(\d+)"', page)
assert days == [str(typed)], (days, typed)
kinds = re.findall(r'<tr data-kind="\w+" data-problems="(\d+)" data-right="\d+" '
                   r'data-median-ms="(-?\d+)"', page)
assert sum(int(n) for n, _ in kinds) == problems, (kinds, problems)
assert all(int(ms) > 0 for n, ms in kinds if int(n) > 0), kinds
print(f"the report: one day of {typed} answers, {problems} problems by kind")
EOF

# A second session: two answers, then SIGTERM at once; they are kept.
ACTIONS=(seed "$ZIMBLY_SEED" user Tom)
start_game
act_move "${PLANK1[@]}"
act_click "${PLANK1[@]}"
expect_like page_open_again "${MOVING[@]}" -- "${ACTIONS[@]}"
type_answer "${page[0]}"
type_answer "${page[1]}"
expect_like two_answers "${MOVING[@]}" -- "${ACTIONS[@]}"
stop_game TERM
[ "$GAME_EXIT" = 0 ] || fail "exit code $GAME_EXIT after SIGTERM"
kept=$(python3 -c 'import sqlite3, sys
print(sqlite3.connect(sys.argv[1]).execute("SELECT count(*) FROM answers WHERE run_id = 2").fetchone()[0])' "$RECORD")
[ "$kept" = 2 ] || fail "SIGTERM lost answers: $kept of 2 kept"
echo "SIGTERM right after two answers: both kept"
