// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The answer record read for the report: a read-only URI, a short busy wait, one read
// transaction, and each kind of bad file told apart.
#include "storage/HistoryReader.h"

#include "storage/HistorySchema.h"
#include "storage/HistoryWaiting.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sqlite3.h>
#include <sys/stat.h>

namespace {

// A database in WAL mode (bytes 18 and 19 of its header are 2) whose -wal file is gone was
// closed by every writer and holds all its pages in the main file. Reading it as immutable makes
// no -wal and -shm files: made by another account in a family's shared folder they could keep
// the game from writing. A game starting meanwhile writes its pages to a new -wal file.
bool IsClosedWalDatabase(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    unsigned char header[20] = {};
    const size_t read = std::fread(header, 1, sizeof header, file);
    std::fclose(file);
    struct stat info {};
    return read == sizeof header && header[18] == 2 && header[19] == 2 &&
           stat((path + "-wal").c_str(), &info) != 0 && errno == ENOENT;
}

// The path as a file: URI, so that "?mode=ro" can be added: the characters a URI gives meaning
// to are escaped.
std::string ReadOnlyUri(const std::string& path, bool bImmutable) {
    std::string uri = path.starts_with('/') ? "file://" : "file:";
    for (const char c : path) {
        if (c == '%' || c == '?' || c == '#') {
            static const char HEX[] = "0123456789ABCDEF";
            uri += '%';
            uri += HEX[static_cast<unsigned char>(c) >> 4];
            uri += HEX[c & 0xF];
        } else {
            uri += c;
        }
    }
    return uri + (bImmutable ? "?mode=ro&immutable=1" : "?mode=ro");
}

HistoryStatus StatusOfError(int code) {
    switch (code & 0xFF) {
    case SQLITE_NOTADB:
        return HistoryStatus::NOT_OURS;
    case SQLITE_CORRUPT:
    case SQLITE_ERROR: // a table or column missing: the schema is broken
    case SQLITE_MISMATCH:
    case SQLITE_RANGE:
        return HistoryStatus::DAMAGED;
    default:
        return HistoryStatus::UNREADABLE;
    }
}

// A prepared statement that finalizes itself.
class CStatement {
public:
    CStatement(sqlite3* db, const char* sql) {
        m_nCode = sqlite3_prepare_v2(db, sql, -1, &m_pStatement, nullptr);
    }
    ~CStatement() { sqlite3_finalize(m_pStatement); }
    CStatement(const CStatement&) = delete;
    CStatement& operator=(const CStatement&) = delete;

    // True while there is a row; afterwards Code() tells whether the end was reached or a fault.
    bool Step() {
        if (m_nCode != SQLITE_OK && m_nCode != SQLITE_ROW) return false;
        m_nCode = sqlite3_step(m_pStatement);
        return m_nCode == SQLITE_ROW;
    }
    int Code() const { return m_nCode == SQLITE_DONE ? SQLITE_OK : m_nCode; }
    // Binds bytes to ?1; they must outlive the statement.
    void BindBlob(const std::string& bytes) {
        if (m_nCode == SQLITE_OK)
            m_nCode =
                sqlite3_bind_blob(m_pStatement, 1, bytes.data(), int(bytes.size()), SQLITE_STATIC);
    }
    int64_t Int(int column) const { return sqlite3_column_int64(m_pStatement, column); }
    int64_t IntOr(int column, int64_t fallback) const {
        return sqlite3_column_type(m_pStatement, column) == SQLITE_NULL ? fallback : Int(column);
    }
    std::string Text(int column) const {
        const void* pBytes = sqlite3_column_blob(m_pStatement, column);
        const int nBytes = sqlite3_column_bytes(m_pStatement, column);
        return pBytes ? std::string(static_cast<const char*>(pBytes), size_t(nBytes)) : "";
    }

private:
    sqlite3_stmt* m_pStatement = nullptr;
    int m_nCode = SQLITE_OK;
};

// In the order the game wrote them, which is the order they happened even when the clock was
// set back meanwhile; the row ids need no sorting. One child's runs are found through
// runs_by_child and their answers through answers_by_run, so a record of years of several
// children is not read whole for one of them.
constexpr const char* RUNS_SQL =
    "SELECT run_id, child, set_number, set_kinds, set_limit, started_utc_ms, ended_utc_ms, "
    "score, answers_done, answers_first_try FROM runs";
constexpr const char* ANSWERS_SQL =
    "SELECT run_id, page, position, utc_ms, problem, expected, typed, is_right, is_first_try, "
    "by_magnifier, elapsed_ms, ";
constexpr const char* ONE_CHILDS_RUNS = " WHERE child = ?1";
constexpr const char* ONE_CHILDS_ANSWERS =
    " WHERE run_id IN (SELECT run_id FROM runs WHERE child = ?1)";

// Reads the mark, the version and both tables (only onlyChild's runs and answers when given);
// returns SQLITE_OK or the failing code, with result's status and error set for a file that is
// readable but not one to report on.
int ReadTables(sqlite3* db, const std::optional<std::string>& onlyChild, asHISTORYREAD& result) {
    int64_t nVersion = 0;
    {
        CStatement mark(db, "PRAGMA application_id");
        if (!mark.Step()) return mark.Code() == SQLITE_OK ? SQLITE_NOTADB : mark.Code();
        // The game takes a file with nothing in it (no bytes, or a database with no mark, no
        // version and no table) for a new record: so does the report.
        if (mark.Int(0) == 0) {
            CStatement nothing(db, "SELECT (SELECT user_version FROM pragma_user_version) = 0 "
                                   "AND NOT EXISTS (SELECT 1 FROM sqlite_master)");
            if (!nothing.Step()) return nothing.Code();
            if (nothing.Int(0) != 0) return SQLITE_OK;
        }
        if (mark.Int(0) != HISTORY_APPLICATION_ID) {
            result.nStatus = HistoryStatus::NOT_OURS;
            result.strError = "not an answer record of this game";
            return SQLITE_OK;
        }
    }
    {
        CStatement version(db, "PRAGMA user_version");
        if (!version.Step()) return version.Code() == SQLITE_OK ? SQLITE_CORRUPT : version.Code();
        nVersion = version.Int(0);
        if (nVersion > HISTORY_SCHEMA_VERSION) {
            result.nStatus = HistoryStatus::NEWER;
            result.strError = "written by a newer version of the game (record version " +
                              std::to_string(nVersion) + ", this one reads up to " +
                              std::to_string(HISTORY_SCHEMA_VERSION) + ")";
            return SQLITE_OK;
        }
        if (nVersion < 1) {
            result.nStatus = HistoryStatus::DAMAGED;
            result.strError = "damaged: the record has no version";
            return SQLITE_OK;
        }
    }
    const std::string runsSql =
        std::string(RUNS_SQL) + (onlyChild ? ONE_CHILDS_RUNS : "") + " ORDER BY run_id";
    CStatement runs(db, runsSql.c_str());
    if (onlyChild) runs.BindBlob(*onlyChild);
    while (runs.Step()) {
        asRECORDEDRUN& run = result.history.arrRuns.emplace_back();
        run.nRunId = runs.Int(0);
        run.strChild = runs.Text(1);
        run.nSetNumber = int(runs.Int(2));
        run.nSetKinds = int(runs.Int(3));
        run.nSetLimit = int(runs.Int(4));
        run.nStartedUtcMs = runs.Int(5);
        run.nEndedUtcMs = runs.IntOr(6, -1);
        run.nScore = int(runs.IntOr(7, -1));
        run.nAnswersDone = int(runs.IntOr(8, -1));
        run.nAnswersFirstTry = int(runs.IntOr(9, -1));
    }
    if (runs.Code() != SQLITE_OK) return runs.Code();
    // The first version's answers have no review flag: none was a review problem.
    const std::string answersSql = std::string(ANSWERS_SQL) + (nVersion >= 2 ? "is_review" : "0") +
                                   " FROM answers" + (onlyChild ? ONE_CHILDS_ANSWERS : "") +
                                   " ORDER BY answer_id";
    CStatement answers(db, answersSql.c_str());
    if (onlyChild) answers.BindBlob(*onlyChild);
    while (answers.Step()) {
        asHISTORYANSWER& answer = result.history.arrAnswers.emplace_back();
        answer.nRunKey = answers.Int(0);
        answer.nPage = int(answers.Int(1));
        answer.nPosition = int(answers.Int(2));
        answer.nUtcMs = answers.Int(3);
        answer.strProblem = answers.Text(4);
        answer.strExpected = answers.Text(5);
        answer.strTyped = answers.Text(6);
        answer.bRight = answers.Int(7) != 0;
        answer.bFirstTry = answers.Int(8) != 0;
        answer.bByMagnifier = answers.Int(9) != 0;
        answer.nElapsedMs = answers.Int(10);
        answer.bReview = answers.Int(11) != 0;
    }
    return answers.Code();
}

// A child deleted while another program held the record waits in the waiting file: the report
// leaves their runs out as the game will at its next start.
void LeaveOutWaitingDeletions(const std::string& path, asHISTORY& history) {
    std::vector<HistoryRecord> waiting;
    std::string error;
    if (ReadWaitingRecords(path, waiting, error) != WaitingRead::READ) return;
    for (const HistoryRecord& record : waiting) {
        const auto* forget = std::get_if<asHISTORYFORGET>(&record);
        if (!forget) continue;
        std::vector<int64_t> gone;
        std::erase_if(history.arrRuns, [&](const asRECORDEDRUN& run) {
            const bool deleted =
                run.strChild == forget->strChild && run.nStartedUtcMs <= forget->nUtcMs;
            if (deleted) gone.push_back(run.nRunId);
            return deleted;
        });
        std::erase_if(history.arrAnswers, [&](const asHISTORYANSWER& answer) {
            return std::find(gone.begin(), gone.end(), answer.nRunKey) != gone.end();
        });
    }
}

} // namespace

asHISTORYREAD ReadHistory(const std::string& path, int busyMs,
                          const std::optional<std::string>& onlyChild) {
    asHISTORYREAD result;
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        // Only a file that is not there is missing; a folder that may not be looked into is not.
        const int error = errno;
        result.nStatus = error == ENOENT ? HistoryStatus::MISSING : HistoryStatus::UNREADABLE;
        result.strError = error == ENOENT
                              ? "no such file"
                              : std::string("cannot be read (") + std::strerror(error) + ")";
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        result.nStatus = HistoryStatus::NOT_OURS;
        result.strError = "not a file";
        return result;
    }
    sqlite3* db = nullptr;
    int code = SQLITE_OK;
    for (const bool bImmutable : {IsClosedWalDatabase(path), false}) {
        sqlite3_close(db);
        db = nullptr;
        result = {};
        code = sqlite3_open_v2(ReadOnlyUri(path, bImmutable).c_str(), &db,
                               SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
        if (code == SQLITE_OK) {
            sqlite3_busy_timeout(db, busyMs);
            // One read transaction: the writer's pages are seen whole or not at all.
            code = sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
            if (code == SQLITE_OK) code = ReadTables(db, onlyChild, result);
        }
        // Read as immutable, a game's checkpoint under way would look like damage: read again
        // the ordinary way.
        if (!bImmutable || code == SQLITE_OK) break;
    }
    if (code != SQLITE_OK) {
        result.nStatus = StatusOfError(code);
        const std::string strWhat = db ? sqlite3_errmsg(db) : sqlite3_errstr(code);
        switch (result.nStatus) {
        case HistoryStatus::NOT_OURS:
            result.strError = "not an answer record of this game (" + strWhat + ")";
            break;
        case HistoryStatus::DAMAGED:
            result.strError = "damaged (" + strWhat + ")";
            break;
        default:
            result.strError = "cannot be read (" + strWhat + ")";
        }
        result.history = {};
    } else if (result.strError.empty()) {
        result.nStatus = HistoryStatus::OK;
        LeaveOutWaitingDeletions(path, result.history);
    } else {
        result.history = {};
    }
    sqlite3_close(db);
    return result;
}
