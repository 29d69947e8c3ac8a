# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Answer records for the report's end-to-end test, made with the game's own schema (read from
storage/HistorySchema.h): a simulated class (seed), children named like formulas (csv_names), a
record with its pages overwritten (damage)."""
import random
import re
import sqlite3
from pathlib import Path

HEADER = (Path(__file__).resolve().parents[2] / "storage" / "HistorySchema.h").read_text()
SCHEMA_SQL = re.search(r'R"sql\((.*?)\)sql"', HEADER, re.S).group(1)
APPLICATION_ID = int(re.search(r"HISTORY_APPLICATION_ID = (0x[0-9A-Fa-f]+)", HEADER).group(1), 16)
SCHEMA_VERSION = int(re.search(r"HISTORY_SCHEMA_VERSION = (\d+)", HEADER).group(1))

DAY_MS = 24 * 3600 * 1000
START_MS = 1_780_000_000_000 - 1_780_000_000_000 % DAY_MS  # a UTC midnight in 2026
BLANK = "\u25a1"
WEAK_FACTS = {"7+8", "8+7", "13-6", "15-9", "6+9", "14-8", "9+5"}
XSS_NAME = "<img src=x onerror=alert(1)>"
FORMULA_NAMES = ["=HYPERLINK(\"http://x\",\"y\")", "+1", "-2", "@SUM(A1)"]


def create(path, version=SCHEMA_VERSION):
    Path(path).unlink(missing_ok=True)
    db = sqlite3.connect(path)
    db.executescript(SCHEMA_SQL)
    if version == 1:  # the first version's answers had no review flag
        db.execute("ALTER TABLE answers DROP COLUMN is_review")
    db.execute(f"PRAGMA application_id = {APPLICATION_ID}")
    db.execute(f"PRAGMA user_version = {version}")
    return db


def draw_problem(rng, limit, kinds):
    """One problem as the game draws it: (text with the blank, the blank's answer, fact)."""
    kind = rng.choice(kinds)
    if kind in ("+", "-"):
        if kind == "+":
            x = rng.randint(0, limit)
            y = rng.randint(1 if x == 0 else 0, limit - x)
            numbers, signs, result = [x, y], "+", x + y
        else:
            x = rng.randint(1, limit)
            y = rng.randint(0, x)
            numbers, signs, result = [x, y], "-", x - y
    else:
        x = rng.randint(1, limit)
        y = rng.randint(0, x)
        z = rng.randint(0, limit - x + y)
        numbers, signs = [x, y, z], {"++": "++", "--": "--", "mix": "-+"}[kind]
        if kind == "++":
            numbers = [rng.randint(0, limit // 3) for _ in range(3)]
        if kind == "--":
            numbers = [x, y, rng.randint(0, x - y)]
        result = numbers[0]
        for sign, n in zip(signs, numbers[1:]):
            result += n if sign == "+" else -n
    terms = numbers + [result]
    blank = len(terms) - 1 if rng.random() < 0.75 else rng.randrange(len(terms))
    shown = [BLANK if i == blank else str(t) for i, t in enumerate(terms)]
    text = shown[0]
    for sign, term in zip(signs, shown[1:-1]):
        text += sign + term
    text += "=" + shown[-1]
    return text, str(terms[blank]), numbers, signs


def fact_of(numbers, signs):
    text = str(numbers[0])
    for sign, n in zip(signs, numbers[1:]):
        text += sign + str(n)
    return text


def seed_child(db, rng, name, days, limit, kinds, skill, set_kinds=63, start_ms=START_MS):
    """Runs of pages of 12 problems; weak facts are often wrong and slow, the others improve."""
    child = name.encode("gbk")
    for day in days:
        clock = start_ms + day * DAY_MS + 17 * 3600 * 1000 + rng.randint(0, 3600 * 1000)
        for _ in range(rng.randint(1, 3)):
            run_start = clock
            cursor = db.execute(
                "INSERT INTO runs (child, set_number, set_kinds, set_limit, started_utc_ms) "
                "VALUES (?, ?, ?, ?, ?)", (child, rng.randrange(8), set_kinds, limit, run_start))
            run_id = cursor.lastrowid
            done = first_right = 0
            for page in range(1, rng.randint(2, 4) + 1):
                magnifier_at = rng.randrange(12) if rng.random() < 0.3 else -1
                for position in range(12):
                    text, answer, numbers, signs = draw_problem(rng, limit, kinds)
                    fact = fact_of(numbers, signs)
                    weak = fact in WEAK_FACTS
                    p_right = (0.35 if weak else skill) + 0.004 * day
                    first = True
                    since = 0  # since the problem became the current one
                    done += 1
                    for attempt in range(3):
                        if position == magnifier_at and attempt == 1:
                            wait = rng.randint(1000, 4000)
                            clock += wait
                            since += wait
                            db.execute("INSERT INTO answers (run_id, page, position, utc_ms, problem, "
                                       "expected, typed, is_right, is_first_try, by_magnifier, "
                                       "elapsed_ms) VALUES (?,?,?,?,?,?,?,1,0,1,?)",
                                       (run_id, page, position, clock, text, answer, answer,
                                        since))
                            break
                        elapsed = rng.randint(6500, 14000) if weak else rng.randint(1500, 7500)
                        elapsed = max(800, elapsed - 40 * day)
                        clock += elapsed
                        since += elapsed
                        right = rng.random() < p_right
                        typed = answer if right else str(max(0, int(answer) + rng.choice([-1, 1, 2])))
                        right = typed == answer
                        db.execute("INSERT INTO answers (run_id, page, position, utc_ms, problem, "
                                   "expected, typed, is_right, is_first_try, by_magnifier, "
                                   "elapsed_ms) VALUES (?,?,?,?,?,?,?,?,?,0,?)",
                                   (run_id, page, position, clock, text, answer, typed, int(right),
                                    int(first), since))
                        first_right += right and first
                        first = False
                        if right:
                            break
                clock += rng.randint(2000, 20000)
            if rng.random() < 0.9:  # some runs are left without a result
                db.execute("UPDATE runs SET ended_utc_ms=?, score=?, answers_done=?, "
                           "answers_first_try=? WHERE run_id=?",
                           (clock + 3000, 100 * first_right // done, done, first_right, run_id))
            clock += rng.randint(10 * 60 * 1000, 90 * 60 * 1000)


def seed(path):
    rng = random.Random(27)
    db = create(path)
    db.execute("PRAGMA journal_mode = WAL")
    practised = sorted(rng.sample(range(60), 46))
    seed_child(db, rng, "小明", practised, 20, ["+", "-", "+", "-", "++", "--", "mix"], 0.85)
    seed_child(db, rng, "大强", sorted(rng.sample(range(60), 12)), 50, ["+", "-"], 0.8)
    seed_child(db, rng, XSS_NAME, [58, 59], 10, ["+"], 0.9)
    db.commit()
    db.close()


def csv_names(path):
    rng = random.Random(5)
    db = create(path)
    for name in FORMULA_NAMES:
        seed_child(db, rng, name, [1], 10, ["+"], 0.9)
    db.commit()
    db.close()


def damage(path):
    with open(path, "r+b") as file:
        file.seek(4096)
        size = Path(path).stat().st_size
        file.write(b"\x5a" * (size - 4096))

