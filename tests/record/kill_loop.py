#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""SIGKILL at random moments while answers are recorded: the record always opens whole and holds
an unbroken beginning of the play (RELIABILITY.md, "No page half-kept"); a clean stop leaves one
file. The first round starts from a first-version record, killed around its upgrade.
Usage: kill_loop.py RECORD_DRIVER [ROUNDS]"""
import os
import random
import shutil
import signal
import sqlite3
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import history  # noqa: E402  (the game's schema, read from storage/HistorySchema.h)

NAME = "zimbly-history.sqlite"


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def check_pages(run_id, rows):
    """rows: (page, position, is_right, is_first_try, by_magnifier, typed, expected) by answer_id."""
    last_page = 0
    position = -1
    settled = True  # the last position's right answer came
    clean = True
    right = first_try = 0
    for page, pos, is_right, is_first, by_magnifier, typed, expected in rows:
        if page < last_page:
            fail(f"run {run_id}: page {page} after page {last_page}")
        if page > last_page:
            last_page, position, settled = page, -1, True
        if pos == position + 1:
            if not settled:
                fail(f"run {run_id} page {page}: position {pos} before {position} was right")
            position, settled, clean = pos, False, True
        elif pos != position or settled:
            fail(f"run {run_id} page {page}: position {pos} after {position} (a gap)")
        if bool(is_first) != clean:
            fail(f"run {run_id} page {page} position {pos}: first try {is_first}, expected {clean}")
        if by_magnifier and not (is_right and typed == expected):
            fail(f"run {run_id}: the magnifier's answer is not the right one")
        if bool(is_right) != (typed == expected):
            fail(f"run {run_id}: marked {is_right} for {typed!r} against {expected!r}")
        if is_right:
            settled = True
            right += 1
            first_try += clean
        clean = False
    return right, first_try


def check_file(folder):
    path = os.path.join(folder, NAME)
    if not os.path.exists(path):
        return 0
    db = sqlite3.connect(path)
    try:
        if db.execute("PRAGMA integrity_check").fetchall() != [("ok",)]:
            fail("integrity check: %r" % db.execute("PRAGMA integrity_check").fetchall())
        if db.execute("PRAGMA foreign_key_check").fetchall():
            fail("answers without their run")
        if db.execute("PRAGMA application_id").fetchone()[0] != 0x5A6D426C:
            fail("the file lost its mark")
        version = db.execute("PRAGMA user_version").fetchone()[0]
        review = db.execute("SELECT count(*) FROM pragma_table_info('answers') "
                            "WHERE name = 'is_review'").fetchone()[0]
        if (version, review) not in ((1, 0), (history.SCHEMA_VERSION, 1)):
            fail(f"version {version} with {review} review columns: lost or half upgraded")
        total = 0
        for run_id, done, first, score in db.execute(
            "SELECT run_id, answers_done, answers_first_try, score FROM runs"
        ).fetchall():
            rows = db.execute(
                "SELECT page, position, is_right, is_first_try, by_magnifier, typed, expected "
                "FROM answers WHERE run_id = ? ORDER BY answer_id",
                (run_id,),
            ).fetchall()
            total += len(rows)
            right, first_try = check_pages(run_id, rows)
            if done is not None and (done, first, score) != (right, first_try, first_try * 100 // right):
                fail(f"run {run_id}: its end says {done}/{first}/{score}, its answers {right}/{first_try}")
        return total
    finally:
        db.close()


def main():
    driver = sys.argv[1]
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 40
    folder = tempfile.mkdtemp(prefix="zimbly-kill-")
    try:
        seeds = random.Random(os.environ.get("KILL_LOOP_SEED", str(time.time())))
        answers = 0
        history.create(os.path.join(folder, NAME), 1).close()
        for round_number in range(rounds):
            process = subprocess.Popen([driver, folder, str(seeds.randrange(1 << 30))])
            # The upgrade goes with the first batch, some 20 ms after the start.
            time.sleep(seeds.uniform(0.005, 0.08) if round_number == 0 else seeds.uniform(0.02, 0.6))
            process.send_signal(signal.SIGKILL)
            process.wait()
            now = check_file(folder)
            if now == 0 and round_number > 3:
                fail("nothing was ever recorded")
            answers = now
        # A clean stop: one file at rest.
        subprocess.run([driver, folder, "1", "300"], check=True, timeout=120)
        left = sorted(n for n in os.listdir(folder) if n != NAME)
        if left:
            fail("left beside the record after a clean stop: %s" % left)
        answers = check_file(folder)
        print(f"{rounds} kills: the record opened and was whole every time; {answers} answers kept")
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
