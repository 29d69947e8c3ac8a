// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The answer record's file: its name beside the data file, the mark that says it is ours, its
// version and its tables. The game writes it; the parents' report only reads it.
#pragma once

constexpr const char* HISTORY_FILE_NAME = "zimbly-history.sqlite";

// PRAGMA application_id: a database without it is not an answer record ("ZmBl").
constexpr int HISTORY_APPLICATION_ID = 0x5A6D426C;

// PRAGMA user_version. A file with a higher number was written by a newer game: it is left as it
// is, neither written nor read. One with a lower number is read as it is and brought up to this
// version by the first batch written into it, in that batch's transaction.
constexpr int HISTORY_SCHEMA_VERSION = 2;

// One row a run, one row an answer (or a use of the magnifier). Times are UTC milliseconds since
// 1970. A deleted child's runs, and with them their answers, go in one statement.
constexpr const char* HISTORY_SCHEMA_SQL = R"sql(
CREATE TABLE runs (
    run_id INTEGER PRIMARY KEY,
    child BLOB NOT NULL,              -- the name's bytes as the data file stores them (GBK)
    set_number INTEGER NOT NULL,      -- the plank the run was started from, 0..7
    set_kinds INTEGER NOT NULL,       -- the set's kind bits when the run started
    set_limit INTEGER NOT NULL,       -- the set's number limit when the run started
    started_utc_ms INTEGER NOT NULL,
    ended_utc_ms INTEGER,             -- NULL until the run ends with a result
    score INTEGER,                    -- the score the chart shows, set when the run ends
    answers_done INTEGER,             -- problems done in the run, set when the run ends
    answers_first_try INTEGER         -- of those, right at the first try
);
CREATE INDEX runs_by_child ON runs(child, started_utc_ms);
CREATE TABLE answers (
    answer_id INTEGER PRIMARY KEY,
    run_id INTEGER NOT NULL REFERENCES runs(run_id) ON DELETE CASCADE,
    page INTEGER NOT NULL,            -- the run's first page is 1
    position INTEGER NOT NULL,        -- the problem's place on its page, from 0
    utc_ms INTEGER NOT NULL,
    problem TEXT NOT NULL,            -- as shown, the blank as U+25A1: "3+5=□", "□+3=8", "9-2-3=□"
    expected TEXT NOT NULL,
    typed TEXT NOT NULL,              -- as marked; for the magnifier, the answer it put in
    is_right INTEGER NOT NULL,        -- 0 or 1, as marked
    is_first_try INTEGER NOT NULL,    -- 1: no earlier answer to this problem on this page
    by_magnifier INTEGER NOT NULL,    -- 1: the magnifier gave the answer away
    elapsed_ms INTEGER NOT NULL,      -- since the problem became the current one
    is_review INTEGER NOT NULL DEFAULT 0 -- 1: a review problem, put on the page to bring a
                                         -- fact back
);
CREATE INDEX answers_by_run ON answers(run_id, page, position);
)sql";

// HISTORY_UPGRADE_SQL[n - 1] brings a record of version n up to n + 1. Columns are only ever added
// at the end, so that an upgraded file and a new one have the same columns in the same order.
constexpr const char* HISTORY_UPGRADE_SQL[HISTORY_SCHEMA_VERSION - 1] = {
    "ALTER TABLE answers ADD COLUMN is_review INTEGER NOT NULL DEFAULT 0",
};
