// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Answer records made by the tests themselves, from the schema the game writes.
#pragma once

#include "storage/HistorySchema.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdint>
#include <string>

// An open database at a path with the schema, the mark and the version (unless told otherwise).
class CHistoryBuilder {
public:
    explicit CHistoryBuilder(const std::string& path, int version = HISTORY_SCHEMA_VERSION,
                             int applicationId = HISTORY_APPLICATION_ID) {
        EXPECT_EQ(sqlite3_open(path.c_str(), &m_pDb), SQLITE_OK);
        Exec("PRAGMA synchronous = OFF"); // the tests need no durability, only the bytes
        Exec(HISTORY_SCHEMA_SQL);
        if (version == 1) Exec("ALTER TABLE answers DROP COLUMN is_review"); // the first tables
        Exec("PRAGMA application_id = " + std::to_string(applicationId));
        Exec("PRAGMA user_version = " + std::to_string(version));
    }
    ~CHistoryBuilder() { sqlite3_close(m_pDb); }
    CHistoryBuilder(const CHistoryBuilder&) = delete;
    CHistoryBuilder& operator=(const CHistoryBuilder&) = delete;

    void Exec(const std::string& sql) {
        char* error = nullptr;
        EXPECT_EQ(sqlite3_exec(m_pDb, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK)
            << (error ? error : "") << " in " << sql;
        sqlite3_free(error);
    }

    // A run of child (GBK bytes) started at startMs; ended with score when score >= 0.
    int64_t AddRun(const std::string& child, int64_t startMs, int limit = 10, int score = -1) {
        const std::string ended = score >= 0 ? std::to_string(startMs + 60000) : "NULL";
        Exec("INSERT INTO runs (child, set_number, set_kinds, set_limit, started_utc_ms, "
             "ended_utc_ms, score) VALUES (CAST(" +
             Quoted(child) + " AS BLOB), 0, 35, " + std::to_string(limit) + ", " +
             std::to_string(startMs) + ", " + ended + ", " +
             (score >= 0 ? std::to_string(score) : "NULL") + ")");
        return sqlite3_last_insert_rowid(m_pDb);
    }

    void AddAnswer(int64_t runId, int64_t utcMs, const std::string& problem,
                   const std::string& expected, const std::string& typed, bool bFirstTry = true,
                   bool bByMagnifier = false, int64_t elapsedMs = 3000) {
        Exec("INSERT INTO answers (run_id, page, position, utc_ms, problem, expected, typed, "
             "is_right, is_first_try, by_magnifier, elapsed_ms) VALUES (" +
             std::to_string(runId) + ", 1, 0, " + std::to_string(utcMs) + ", " + Quoted(problem) +
             ", " + Quoted(expected) + ", " + Quoted(typed) + ", " +
             std::to_string(expected == typed) + ", " + std::to_string(bFirstTry) + ", " +
             std::to_string(bByMagnifier) + ", " + std::to_string(elapsedMs) + ")");
    }

private:
    static std::string Quoted(const std::string& text) {
        char* quoted = sqlite3_mprintf("%Q", text.c_str());
        std::string result = quoted;
        sqlite3_free(quoted);
        return result;
    }

    sqlite3* m_pDb = nullptr;
};
