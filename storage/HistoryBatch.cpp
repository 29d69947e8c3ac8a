// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// One batch of runs, answers, ends and deletions, written in order in one transaction.
#include "storage/HistoryBatch.h"

#include <sqlite3.h>

namespace {

constexpr const char* INSERT_RUN =
    "INSERT INTO runs (child, set_number, set_kinds, set_limit, started_utc_ms) "
    "VALUES (?1, ?2, ?3, ?4, ?5)";
constexpr const char* INSERT_ANSWER =
    "INSERT INTO answers (run_id, page, position, utc_ms, problem, expected, typed, is_right, "
    "is_first_try, by_magnifier, elapsed_ms) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)";
constexpr const char* END_RUN = "UPDATE runs SET ended_utc_ms = ?2, score = ?3, answers_done = ?4, "
                                "answers_first_try = ?5 WHERE run_id = ?1";
// The answers go with their runs (ON DELETE CASCADE).
constexpr const char* FORGET_CHILD = "DELETE FROM runs WHERE child = ?1";

// The batch's statements, prepared once for it.
class CStatements {
public:
    explicit CStatements(sqlite3* db) : m_pDb(db) {}
    ~CStatements() {
        for (sqlite3_stmt* statement : m_arrStatements)
            sqlite3_finalize(statement);
    }
    CStatements(const CStatements&) = delete;
    CStatements& operator=(const CStatements&) = delete;

    // The statement for sql, reset and unbound; null when it cannot be prepared (rc says why).
    sqlite3_stmt* Get(int index, const char* sql, int& rc) {
        sqlite3_stmt*& statement = m_arrStatements[index];
        if (!statement) {
            rc = sqlite3_prepare_v2(m_pDb, sql, -1, &statement, nullptr);
            if (rc != SQLITE_OK) return nullptr;
        }
        sqlite3_reset(statement);
        sqlite3_clear_bindings(statement);
        return statement;
    }

private:
    sqlite3* m_pDb;
    sqlite3_stmt* m_arrStatements[4] = {};
};

void BindText(sqlite3_stmt* statement, int index, const std::string& text) {
    sqlite3_bind_text(statement, index, text.data(), int(text.size()), SQLITE_STATIC);
}

// Runs one record's statement; SQLITE_DONE when it went through.
class CRecordWriter {
public:
    CRecordWriter(sqlite3* db, RunRows& runs) : m_pDb(db), m_Statements(db), m_Runs(runs) {}

    int operator()(const asHISTORYRUN& run) {
        int rc = SQLITE_OK;
        sqlite3_stmt* statement = m_Statements.Get(0, INSERT_RUN, rc);
        if (!statement) return rc;
        sqlite3_bind_blob(statement, 1, run.strChild.data(), int(run.strChild.size()),
                          SQLITE_STATIC);
        sqlite3_bind_int(statement, 2, run.nSetNumber);
        sqlite3_bind_int64(statement, 3, run.nSetKinds);
        sqlite3_bind_int(statement, 4, run.nSetLimit);
        sqlite3_bind_int64(statement, 5, run.nStartedUtcMs);
        rc = sqlite3_step(statement);
        if (rc == SQLITE_DONE)
            m_Runs[run.nRunKey] = {sqlite3_last_insert_rowid(m_pDb), run.strChild};
        return rc;
    }

    int operator()(const asHISTORYANSWER& answer) {
        const auto run = m_Runs.find(answer.nRunKey);
        if (run == m_Runs.end()) return SQLITE_DONE;
        int rc = SQLITE_OK;
        sqlite3_stmt* statement = m_Statements.Get(1, INSERT_ANSWER, rc);
        if (!statement) return rc;
        sqlite3_bind_int64(statement, 1, run->second.nRunId);
        sqlite3_bind_int(statement, 2, answer.nPage);
        sqlite3_bind_int(statement, 3, answer.nPosition);
        sqlite3_bind_int64(statement, 4, answer.nUtcMs);
        BindText(statement, 5, answer.strProblem);
        BindText(statement, 6, answer.strExpected);
        BindText(statement, 7, answer.strTyped);
        sqlite3_bind_int(statement, 8, answer.bRight);
        sqlite3_bind_int(statement, 9, answer.bFirstTry);
        sqlite3_bind_int(statement, 10, answer.bByMagnifier);
        sqlite3_bind_int64(statement, 11, answer.nElapsedMs);
        return sqlite3_step(statement);
    }

    int operator()(const asHISTORYRUNEND& end) {
        const auto run = m_Runs.find(end.nRunKey);
        if (run == m_Runs.end()) return SQLITE_DONE;
        int rc = SQLITE_OK;
        sqlite3_stmt* statement = m_Statements.Get(2, END_RUN, rc);
        if (!statement) return rc;
        sqlite3_bind_int64(statement, 1, run->second.nRunId);
        sqlite3_bind_int64(statement, 2, end.nEndedUtcMs);
        sqlite3_bind_int(statement, 3, end.nScore);
        sqlite3_bind_int(statement, 4, end.nAnswersDone);
        sqlite3_bind_int(statement, 5, end.nAnswersFirstTry);
        return sqlite3_step(statement);
    }

    int operator()(const asHISTORYFORGET& forget) {
        int rc = SQLITE_OK;
        sqlite3_stmt* statement = m_Statements.Get(3, FORGET_CHILD, rc);
        if (!statement) return rc;
        sqlite3_bind_blob(statement, 1, forget.strChild.data(), int(forget.strChild.size()),
                          SQLITE_STATIC);
        rc = sqlite3_step(statement);
        if (rc == SQLITE_DONE)
            std::erase_if(m_Runs,
                          [&](const auto& run) { return run.second.strChild == forget.strChild; });
        return rc;
    }

private:
    sqlite3* m_pDb;
    CStatements m_Statements;
    RunRows& m_Runs;
};

bool MayPass(int rc) {
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_FULL:
    case SQLITE_IOERR:
    case SQLITE_NOMEM:
    case SQLITE_CANTOPEN:
        return true;
    default:
        return false;
    }
}

} // namespace

BatchResult WriteHistoryBatch(sqlite3* db, const std::vector<HistoryRecord>& records, RunRows& runs,
                              std::string& error) {
    RunRows written = runs;
    int rc = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) {
        CRecordWriter writer(db, written);
        for (const HistoryRecord& record : records) {
            rc = std::visit(writer, record);
            if (rc != SQLITE_DONE) break;
            rc = SQLITE_OK;
        }
    }
    if (rc == SQLITE_OK) rc = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) {
        runs = std::move(written);
        return BatchResult::WRITTEN;
    }
    error = sqlite3_errstr(rc);
    if (!sqlite3_get_autocommit(db)) sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    return MayPass(rc) ? BatchResult::LATER : BatchResult::FAILED;
}
