// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// One batch of runs, answers, ends and deletions, written in order in one transaction.
#include "storage/HistoryBatch.h"

#include "storage/HistorySchema.h"

#include <sqlite3.h>

#include <cstdint>
#include <iterator>

namespace {

constexpr const char* INSERT_RUN =
    "INSERT INTO runs (child, set_number, set_kinds, set_limit, started_utc_ms) "
    "VALUES (?1, ?2, ?3, ?4, ?5)";
constexpr const char* FIND_RUN =
    "SELECT run_id FROM runs WHERE child = ?1 AND set_number = ?2 AND set_kinds = ?3 AND "
    "set_limit = ?4 AND started_utc_ms = ?5";
constexpr const char* INSERT_ANSWER =
    "INSERT INTO answers (run_id, page, position, utc_ms, problem, expected, typed, is_right, "
    "is_first_try, by_magnifier, elapsed_ms, is_review) "
    "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12)";
constexpr const char* FIND_ANSWER =
    "SELECT 1 FROM answers WHERE run_id = ?1 AND page = ?2 AND position = ?3 AND utc_ms = ?4 AND "
    "typed = ?7 AND by_magnifier = ?10";
constexpr const char* END_RUN = "UPDATE runs SET ended_utc_ms = ?2, score = ?3, answers_done = ?4, "
                                "answers_first_try = ?5 WHERE run_id = ?1";
// The answers go with their runs (ON DELETE CASCADE).
constexpr const char* FORGET_CHILD = "DELETE FROM runs WHERE child = ?1 AND started_utc_ms <= ?2";

enum Statement { S_INSERT_RUN, S_FIND_RUN, S_INSERT_ANSWER, S_FIND_ANSWER, S_END_RUN, S_FORGET };
constexpr const char* STATEMENT_SQL[] = {INSERT_RUN,  FIND_RUN, INSERT_ANSWER,
                                         FIND_ANSWER, END_RUN,  FORGET_CHILD};

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

    // The statement, reset and unbound; null when it cannot be prepared (rc says why).
    sqlite3_stmt* Get(Statement index, int& rc) {
        sqlite3_stmt*& statement = m_arrStatements[index];
        if (!statement) {
            rc = sqlite3_prepare_v2(m_pDb, STATEMENT_SQL[index], -1, &statement, nullptr);
            if (rc != SQLITE_OK) return nullptr;
        }
        sqlite3_reset(statement);
        sqlite3_clear_bindings(statement);
        return statement;
    }

private:
    sqlite3* m_pDb;
    sqlite3_stmt* m_arrStatements[std::size(STATEMENT_SQL)] = {};
};

void BindText(sqlite3_stmt* statement, int index, const std::string& text) {
    sqlite3_bind_text(statement, index, text.data(), int(text.size()), SQLITE_STATIC);
}

void BindRun(sqlite3_stmt* statement, const asHISTORYRUN& run) {
    sqlite3_bind_blob(statement, 1, run.strChild.data(), int(run.strChild.size()), SQLITE_STATIC);
    sqlite3_bind_int(statement, 2, run.nSetNumber);
    sqlite3_bind_int64(statement, 3, run.nSetKinds);
    sqlite3_bind_int(statement, 4, run.nSetLimit);
    sqlite3_bind_int64(statement, 5, run.nStartedUtcMs);
}

void BindAnswer(sqlite3_stmt* statement, int64_t runId, const asHISTORYANSWER& answer) {
    sqlite3_bind_int64(statement, 1, runId);
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
    sqlite3_bind_int(statement, 12, answer.bReview);
}

// Runs one record's statements; SQLITE_DONE when it went through.
class CRecordWriter {
public:
    CRecordWriter(sqlite3* db, RunRows& runs) : m_pDb(db), m_Statements(db), m_Runs(runs) {}

    // Set for each record: whether it was read back from the waiting file.
    bool m_bReplayed = false;

    int operator()(const asHISTORYRUN& run) {
        asRUNROW& row = m_Runs[run.nRunKey];
        row = {run, 0};
        return m_bReplayed ? PlaceRun(row) : InsertRun(row);
    }

    int operator()(const asHISTORYANSWER& answer) {
        int rc = SQLITE_DONE;
        asRUNROW* row = RowOf(answer.nRunKey, rc);
        if (!row) return rc;
        if (m_bReplayed) {
            sqlite3_stmt* find = m_Statements.Get(S_FIND_ANSWER, rc);
            if (!find) return rc;
            BindAnswer(find, row->nRunId, answer);
            rc = sqlite3_step(find);
            if (rc == SQLITE_ROW) return SQLITE_DONE; // written before the game ended
            if (rc != SQLITE_DONE) return rc;
        }
        sqlite3_stmt* statement = m_Statements.Get(S_INSERT_ANSWER, rc);
        if (!statement) return rc;
        BindAnswer(statement, row->nRunId, answer);
        return sqlite3_step(statement);
    }

    int operator()(const asHISTORYRUNEND& end) {
        int rc = SQLITE_DONE;
        asRUNROW* row = RowOf(end.nRunKey, rc);
        if (!row) return rc;
        sqlite3_stmt* statement = m_Statements.Get(S_END_RUN, rc);
        if (!statement) return rc;
        sqlite3_bind_int64(statement, 1, row->nRunId);
        sqlite3_bind_int64(statement, 2, end.nEndedUtcMs);
        sqlite3_bind_int(statement, 3, end.nScore);
        sqlite3_bind_int(statement, 4, end.nAnswersDone);
        sqlite3_bind_int(statement, 5, end.nAnswersFirstTry);
        return sqlite3_step(statement);
    }

    int operator()(const asHISTORYFORGET& forget) {
        int rc = SQLITE_OK;
        sqlite3_stmt* statement = m_Statements.Get(S_FORGET, rc);
        if (!statement) return rc;
        // A new child of the same name may have played after a deletion that reached the record
        // before the game ended: the replayed deletion leaves their runs.
        const int64_t before = m_bReplayed ? forget.nUtcMs : INT64_MAX;
        sqlite3_bind_blob(statement, 1, forget.strChild.data(), int(forget.strChild.size()),
                          SQLITE_STATIC);
        sqlite3_bind_int64(statement, 2, before);
        rc = sqlite3_step(statement);
        if (rc == SQLITE_DONE)
            std::erase_if(m_Runs, [&](const auto& entry) {
                return entry.second.run.strChild == forget.strChild &&
                       entry.second.run.nStartedUtcMs <= before;
            });
        return rc;
    }

private:
    // The row of the run of key, made in this file when it is not there yet; null (with rc
    // SQLITE_DONE) for a run this session does not know.
    asRUNROW* RowOf(int64_t key, int& rc) {
        const auto found = m_Runs.find(key);
        if (found == m_Runs.end()) return nullptr;
        if (found->second.nRunId == 0 && (rc = PlaceRun(found->second)) != SQLITE_DONE)
            return nullptr;
        return &found->second;
    }

    int InsertRun(asRUNROW& row) {
        int rc = SQLITE_OK;
        sqlite3_stmt* statement = m_Statements.Get(S_INSERT_RUN, rc);
        if (!statement) return rc;
        BindRun(statement, row.run);
        rc = sqlite3_step(statement);
        if (rc == SQLITE_DONE) row.nRunId = sqlite3_last_insert_rowid(m_pDb);
        return rc;
    }

    // The run's row if the record has it already, else a new one.
    int PlaceRun(asRUNROW& row) {
        int rc = SQLITE_OK;
        sqlite3_stmt* find = m_Statements.Get(S_FIND_RUN, rc);
        if (!find) return rc;
        BindRun(find, row.run);
        rc = sqlite3_step(find);
        if (rc == SQLITE_ROW) {
            row.nRunId = sqlite3_column_int64(find, 0);
            return SQLITE_DONE;
        }
        return rc == SQLITE_DONE ? InsertRun(row) : rc;
    }

    sqlite3* m_pDb;
    CStatements m_Statements;
    RunRows& m_Runs;
};

// A record of an earlier version gets this version's tables in the transaction of the first batch
// written into it: a kill, or a batch that fails, leaves it whole at the version it had.
int UpgradeTables(sqlite3* db) {
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &statement, nullptr);
    int version = HISTORY_SCHEMA_VERSION;
    if (rc == SQLITE_OK && (rc = sqlite3_step(statement)) == SQLITE_ROW) {
        version = sqlite3_column_int(statement, 0);
        rc = SQLITE_OK;
    }
    sqlite3_finalize(statement);
    if (rc != SQLITE_OK || version < 1 || version >= HISTORY_SCHEMA_VERSION) return rc;
    for (; rc == SQLITE_OK && version < HISTORY_SCHEMA_VERSION; ++version)
        rc = sqlite3_exec(db, HISTORY_UPGRADE_SQL[version - 1], nullptr, nullptr, nullptr);
    const std::string mark = "PRAGMA user_version = " + std::to_string(HISTORY_SCHEMA_VERSION);
    return rc == SQLITE_OK ? sqlite3_exec(db, mark.c_str(), nullptr, nullptr, nullptr) : rc;
}

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
                              std::string& error, size_t nReplayed) {
    RunRows written = runs;
    int rc = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) rc = UpgradeTables(db);
    if (rc == SQLITE_OK) {
        CRecordWriter writer(db, written);
        for (size_t i = 0; i < records.size(); ++i) {
            writer.m_bReplayed = i < nReplayed;
            rc = std::visit(writer, records[i]);
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
