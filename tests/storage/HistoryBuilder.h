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
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(m_pDb,
                           "INSERT INTO runs (child, set_number, set_kinds, set_limit, "
                           "started_utc_ms, ended_utc_ms, score, answers_done, answers_first_try) "
                           "VALUES (?, 0, 35, ?, ?, ?, ?, 12, 10)",
                           -1, &statement, nullptr);
        sqlite3_bind_blob(statement, 1, child.data(), int(child.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int(statement, 2, limit);
        sqlite3_bind_int64(statement, 3, startMs);
        if (score >= 0) {
            sqlite3_bind_int64(statement, 4, startMs + 60000);
            sqlite3_bind_int(statement, 5, score);
        }
        EXPECT_EQ(sqlite3_step(statement), SQLITE_DONE);
        sqlite3_finalize(statement);
        return sqlite3_last_insert_rowid(m_pDb);
    }

    void AddAnswer(int64_t runId, int64_t utcMs, const std::string& problem,
                   const std::string& expected, const std::string& typed, bool bFirstTry = true,
                   bool bByMagnifier = false, int64_t elapsedMs = 3000) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(m_pDb,
                           "INSERT INTO answers (run_id, page, position, utc_ms, problem, "
                           "expected, typed, is_right, is_first_try, by_magnifier, elapsed_ms) "
                           "VALUES (?, 1, 0, ?, ?, ?, ?, ?, ?, ?, ?)",
                           -1, &statement, nullptr);
        sqlite3_bind_int64(statement, 1, runId);
        sqlite3_bind_int64(statement, 2, utcMs);
        sqlite3_bind_text(statement, 3, problem.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(statement, 4, expected.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(statement, 5, typed.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(statement, 6, expected == typed);
        sqlite3_bind_int(statement, 7, bFirstTry);
        sqlite3_bind_int(statement, 8, bByMagnifier);
        sqlite3_bind_int64(statement, 9, elapsedMs);
        EXPECT_EQ(sqlite3_step(statement), SQLITE_DONE);
        sqlite3_finalize(statement);
    }

    sqlite3* Db() { return m_pDb; }

private:
    sqlite3* m_pDb = nullptr;
};
