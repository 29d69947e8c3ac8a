// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the answer record: links, permissions, the file's mark and version, damage, and the
// journal mode it is written in.
#include "storage/History.h"

#include "storage/FileIo.h"
#include "storage/FileLinks.h"
#include "storage/HistorySchema.h"
#include "storage/Paths.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <malloc.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Only another writer can make the game wait (readers never do in WAL mode); a record held longer
// is tried again later, and a deletion waiting meanwhile is kept in the waiting file.
constexpr int BUSY_WAIT_MS = 250;
constexpr size_t HEADER_SIZE = 100;
constexpr const char* SIDE_FILES[] = {"-wal", "-shm", "-journal"};

enum class Finding { OURS, EMPTY, NEWER, FOREIGN, DAMAGED, BUSY };

// 1 in a record of version 2 or later: its answers say which were review problems.
constexpr const char* COUNT_REVIEW_COLUMN =
    "SELECT count(*) FROM pragma_table_info('answers') WHERE name = 'is_review'";

constexpr const char* WAIT_A_WHILE = "; answers wait in memory and are tried again in a minute";

uint32_t BigEndian32(const std::vector<uint8_t>& bytes, size_t at) {
    return uint32_t(bytes[at]) << 24 | uint32_t(bytes[at + 1]) << 16 |
           uint32_t(bytes[at + 2]) << 8 | uint32_t(bytes[at + 3]);
}

// What the first bytes tell without opening the file as a database: a newer version's file is
// then never opened for writing, so not a byte of it changes.
Finding FromHeader(const std::vector<uint8_t>& head) {
    static const char MAGIC[] = "SQLite format 3";
    if (head.empty()) return Finding::EMPTY;
    if (head.size() < HEADER_SIZE || std::memcmp(head.data(), MAGIC, sizeof MAGIC) != 0)
        return Finding::DAMAGED;
    const bool ours = BigEndian32(head, 68) == uint32_t(HISTORY_APPLICATION_ID);
    if (ours && BigEndian32(head, 60) > uint32_t(HISTORY_SCHEMA_VERSION)) return Finding::NEWER;
    return Finding::OURS;
}

bool IsBusy(int rc) {
    return (rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED;
}

// The first column of the first row of sql, as an integer; rc tells how it went.
int64_t QueryInt(sqlite3* db, const char* sql, int& rc) {
    sqlite3_stmt* statement = nullptr;
    rc = sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    int64_t value = 0;
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(statement);
        if (rc == SQLITE_ROW) {
            value = sqlite3_column_int64(statement, 0);
            rc = SQLITE_OK;
        } else if (rc == SQLITE_DONE) {
            rc = SQLITE_OK;
        }
    }
    sqlite3_finalize(statement);
    return value;
}

// What the open database holds, read through SQLite (the write-ahead log included).
Finding Examine(sqlite3* db, std::string& reason) {
    int rc = SQLITE_OK;
    const int64_t id = QueryInt(db, "PRAGMA application_id", rc);
    const int64_t version = rc == SQLITE_OK ? QueryInt(db, "PRAGMA user_version", rc) : 0;
    const int64_t tables =
        rc == SQLITE_OK ? QueryInt(db, "SELECT count(*) FROM sqlite_master", rc) : 0;
    if (IsBusy(rc)) return Finding::BUSY;
    if (rc != SQLITE_OK) {
        reason = sqlite3_errstr(rc);
        return Finding::DAMAGED;
    }
    if (id == 0 && version == 0 && tables == 0) return Finding::EMPTY;
    if (id != HISTORY_APPLICATION_ID) return Finding::FOREIGN;
    if (version > HISTORY_SCHEMA_VERSION) return Finding::NEWER;
    // An earlier version's file is ours as it is; the first batch written brings it up to date
    // (WriteHistoryBatch). Its columns must be its version's, or that batch could never go in.
    const int64_t ourTables =
        QueryInt(db, "SELECT count(*) FROM sqlite_master WHERE name IN ('runs', 'answers')", rc);
    if (rc == SQLITE_OK && (version < 1 || ourTables != 2)) {
        reason = "its tables are missing";
        return Finding::DAMAGED;
    }
    const int64_t reviewColumn = rc == SQLITE_OK ? QueryInt(db, COUNT_REVIEW_COLUMN, rc) : 0;
    if (rc == SQLITE_OK && reviewColumn != (version >= 2)) {
        reason = "its tables are not those of its version";
        return Finding::DAMAGED;
    }
    sqlite3_stmt* check = nullptr;
    rc = sqlite3_prepare_v2(db, "PRAGMA quick_check", -1, &check, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_step(check);
    const unsigned char* first = rc == SQLITE_ROW ? sqlite3_column_text(check, 0) : nullptr;
    const bool ok = first && std::strcmp(reinterpret_cast<const char*>(first), "ok") == 0;
    if (!ok && first) reason = reinterpret_cast<const char*>(first);
    sqlite3_finalize(check);
    if (IsBusy(rc)) return Finding::BUSY;
    if (!ok && reason.empty()) reason = sqlite3_errstr(rc);
    return ok ? Finding::OURS : Finding::DAMAGED;
}

// A new file gets what a new data file gets: the user's umask, and in a family's shared folder
// the folder's group with its read and write.
bool MakeEmptyFile(const std::string& path, int& error) {
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = errno;
        return error == EEXIST; // made by someone else meanwhile: examined like any other
    }
    ShareWithFolderGroup(fd, SharingOfFolder(DirectoryOf(path)));
    close(fd);
    return true;
}

// SQLite makes its side files with the database's bits but the maker's own group: in a shared
// folder another account of the family must be able to use them after this one.
void ShareSideFiles(const std::string& path) {
    const asFOLDERSHARING sharing = SharingOfFolder(DirectoryOf(path));
    if (!sharing.bGroupWrites) return;
    for (const char* suffix : SIDE_FILES) {
        const int fd =
            open((path + suffix).c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat info {};
        if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == geteuid())
            ShareWithFolderGroup(fd, sharing);
        close(fd);
    }
}

bool Execute(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool CreateTables(sqlite3* db) {
    const std::string marks = "PRAGMA application_id = " + std::to_string(HISTORY_APPLICATION_ID) +
                              "; PRAGMA user_version = " + std::to_string(HISTORY_SCHEMA_VERSION) +
                              ";";
    if (!Execute(db, "BEGIN IMMEDIATE")) return false;
    if (Execute(db, HISTORY_SCHEMA_SQL) && Execute(db, marks.c_str()) && Execute(db, "COMMIT"))
        return true;
    Execute(db, "ROLLBACK");
    return false;
}

// Keeps a damaged or foreign file (and its write-ahead log) under rescue names and removes it, so
// that a new record can start. False when no copy could be made: then it stays as it is.
bool KeepAside(const std::string& path, std::string& copy) {
    copy = KeepRescueCopy(path);
    if (copy.empty()) return false;
    struct stat info {};
    const std::string wal = path + "-wal";
    if (lstat(wal.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0 &&
        KeepRescueCopy(wal).empty())
        return false;
    unlink(path.c_str());
    for (const char* suffix : SIDE_FILES) {
        const std::string side = path + suffix;
        if (lstat(side.c_str(), &info) == 0 && S_ISREG(info.st_mode)) unlink(side.c_str());
    }
    return true;
}

bool IsSameFile(const std::string& path, const asFILEID& id) {
    const asFILEID there = IdentifyFile(path);
    return id.bPresent && there.bPresent && there.nDevice == id.nDevice &&
           there.nInode == id.nInode;
}

void Close(asHISTORYFILE& file) {
    sqlite3_close_v2(file.pDb);
    file.pDb = nullptr;
}

} // namespace

HistoryOpen OpenHistory(asHISTORYFILE& file, const std::string& path, bool create,
                        const HistoryTell& fnTell) {
    const auto tell = [&](const std::string& line) {
        if (fnTell) fnTell(line);
    };
    const asRESOLVEDPATH resolved = ResolveFilePath(path);
    if (!resolved.strRefused.empty()) {
        tell(resolved.strRefused + "; answers are not recorded");
        return HistoryOpen::OFF;
    }
    file.strPath = resolved.strPath;
    const std::string& where = file.strPath;
    for (int attempt = 0; attempt < 2; ++attempt) {
        struct stat info {};
        if (lstat(where.c_str(), &info) != 0) {
            if (errno != ENOENT) {
                tell(where + " cannot be used (" + std::strerror(errno) + ")" + WAIT_A_WHILE);
                return HistoryOpen::BLOCKED;
            }
            if (!create) return HistoryOpen::ABSENT;
            int error = 0;
            if (!MakeEmptyFile(where, error)) {
                const bool full = error == ENOSPC || error == EDQUOT;
                tell(where + " cannot be made (" + std::strerror(error) + ")" +
                     (full ? "; answers wait and are tried again" : WAIT_A_WHILE));
                return full ? HistoryOpen::LATER : HistoryOpen::BLOCKED;
            }
        } else if (!S_ISREG(info.st_mode)) {
            tell(where + " is not a regular file; it is left as it is" + WAIT_A_WHILE);
            return HistoryOpen::BLOCKED;
        }

        const auto head = ReadFileBytes(where, HEADER_SIZE);
        if (!head) {
            tell(where + " cannot be read (" + std::strerror(errno) + ")" + WAIT_A_WHILE);
            return HistoryOpen::BLOCKED;
        }
        Finding finding = FromHeader(*head);
        std::string reason = finding == Finding::DAMAGED ? "it is not a database" : "";
        if (finding != Finding::DAMAGED && finding != Finding::NEWER) {
            const int rc = sqlite3_open_v2(where.c_str(), &file.pDb,
                                           SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOFOLLOW, nullptr);
            if (rc != SQLITE_OK) {
                tell(where + " cannot be opened (" + sqlite3_errstr(rc) + ")" + WAIT_A_WHILE);
                Close(file);
                return HistoryOpen::BLOCKED;
            }
            sqlite3_busy_timeout(file.pDb, BUSY_WAIT_MS);
            // Appending needs few pages at hand; the game's memory stays as it was.
            Execute(file.pDb, "PRAGMA cache_size = -256");
            if (sqlite3_db_readonly(file.pDb, "main") == 1) {
                tell(where + " is read-only" + WAIT_A_WHILE);
                Close(file);
                return HistoryOpen::BLOCKED;
            }
            finding = Examine(file.pDb, reason);
        }
        switch (finding) {
        case Finding::NEWER:
            Close(file);
            tell(where + " was written by a newer version of the game; it is left as it is and "
                         "answers are not recorded");
            return HistoryOpen::OFF;
        case Finding::BUSY:
            Close(file);
            tell(where + " is locked by another program; answers wait and are tried again");
            return HistoryOpen::LATER;
        case Finding::EMPTY:
            if (!CreateTables(file.pDb)) {
                const int rc = sqlite3_errcode(file.pDb);
                Close(file);
                tell(where + " cannot be written (" + sqlite3_errstr(rc) +
                     "); answers wait and are tried again");
                return HistoryOpen::LATER;
            }
            [[fallthrough]];
        case Finding::OURS:
            // A reader busy at this moment keeps the file in rollback mode this session: slower
            // for readers, just as safe.
            Execute(file.pDb, "PRAGMA journal_mode = WAL");
            // The first read makes the side files, which then stay open until the close.
            Execute(file.pDb, "PRAGMA synchronous = FULL; PRAGMA foreign_keys = ON; "
                              "SELECT count(*) FROM sqlite_master");
            ShareSideFiles(where);
            file.id = IdentifyFile(where);
            file.walId = IdentifyFile(where + "-wal");
            file.shmId = IdentifyFile(where + "-shm");
            // The check at start read the whole file: what it took goes back to the system, so
            // the game's memory stays as it was with a large record.
            sqlite3_db_release_memory(file.pDb);
            malloc_trim(0);
            return HistoryOpen::OPEN;
        case Finding::FOREIGN:
        case Finding::DAMAGED:
            break;
        }
        Close(file);
        std::string copy;
        const std::string what = finding == Finding::FOREIGN ? "not an answer record of this game"
                                                             : "damaged (" + reason + ")";
        if (!KeepAside(where, copy)) {
            tell(where + " is " + what +
                 " and no copy of it could be kept, so it is left as it is" + WAIT_A_WHILE);
            return HistoryOpen::BLOCKED;
        }
        tell(where + " is " + what + "; it is kept as " + copy + " and a new record is started");
        if (!create) return HistoryOpen::ABSENT;
    }
    return HistoryOpen::BLOCKED;
}

bool IsHistoryFileInPlace(const asHISTORYFILE& file) {
    return IsSameFile(file.strPath, file.id);
}

void LetGoOfMovedHistory(asHISTORYFILE& file) {
    Close(file);
    if (IsSameFile(file.strPath + "-wal", file.walId)) unlink((file.strPath + "-wal").c_str());
    if (IsSameFile(file.strPath + "-shm", file.shmId)) unlink((file.strPath + "-shm").c_str());
}

// The file stays in WAL mode: back in rollback mode it would need a journal of its own and four
// more syncs, seconds on a slow disk while the family waits for the game to close.
void CloseHistory(asHISTORYFILE& file) {
    if (!file.pDb) return;
    if (!IsHistoryFileInPlace(file)) return LetGoOfMovedHistory(file);
    Close(file);
}
