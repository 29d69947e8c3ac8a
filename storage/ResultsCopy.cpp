// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Copying a build folder's data file and answer record once, each crash-safely, the record at rest.
#include "storage/ResultsCopy.h"

#include "storage/FileLinks.h"
#include "storage/HistorySchema.h"
#include "storage/HistoryWaiting.h"
#include "storage/Paths.h"

#include <cerrno>
#include <cstring>
#include <functional>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What a record's unfinished writes leave beside it; the -shm index SQLite rebuilds from the log.
constexpr const char* RECORD_SIDE_FILES[] = {"-wal", "-journal"};

struct asCOPYPATHS {
    std::string strFrom;
    std::string strTo;
    std::string strRefused;
};

asCOPYPATHS PathsOf(const std::string& fromDir, const std::string& toDir, const std::string& name) {
    const asRESOLVEDPATH from = ResolveFilePath(fromDir + "/" + name);
    const asRESOLVEDPATH to = ResolveFilePath(toDir + "/" + name);
    return {from.strPath, to.strPath, from.strRefused.empty() ? to.strRefused : from.strRefused};
}

bool SameDirectory(const std::string& a, const std::string& b) {
    struct stat infoA {};
    struct stat infoB {};
    return stat(a.c_str(), &infoA) == 0 && stat(b.c_str(), &infoB) == 0 &&
           infoA.st_dev == infoB.st_dev && infoA.st_ino == infoB.st_ino;
}

std::string ModeOf(const char* text) {
    return text ? text : "";
}

// A record copied while its log or journal lay beside it (its game was killed): they are copied
// beside the copy under its temporary name, and SQLite brings them in as it would on opening the
// record there, leaving one file at rest. The source is never opened by SQLite, which
// would write beside it.
bool BringRecordToRest(const std::string& from, const std::string& temporary) {
    bool sides = false;
    for (const char* suffix : RECORD_SIDE_FILES) {
        struct stat info {};
        if (lstat((from + suffix).c_str(), &info) != 0) continue;
        if (!S_ISREG(info.st_mode) || !CopyFileAtomically(from + suffix, temporary + suffix))
            return false;
        sides = true;
    }
    if (!sides) return true;
    sqlite3* db = nullptr;
    bool ok = sqlite3_open_v2(temporary.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOFOLLOW,
                              nullptr) == SQLITE_OK;
    sqlite3_stmt* statement = nullptr;
    ok = ok && sqlite3_prepare_v2(db, "PRAGMA journal_mode = DELETE", -1, &statement, nullptr) ==
                   SQLITE_OK;
    ok = ok && sqlite3_step(statement) == SQLITE_ROW &&
         ModeOf(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0))) == "delete";
    sqlite3_finalize(statement);
    ok = sqlite3_close(db) == SQLITE_OK && ok;
    for (const std::string suffix : {"-wal", "-journal", "-shm"})
        unlink((temporary + suffix).c_str());
    return ok;
}

} // namespace

bool HasResultsToCopy(const std::string& fromDir, const std::string& toDir,
                      const std::string& dataFileName) {
    if (SameDirectory(fromDir, toDir) || PathExists(PathsOf(fromDir, toDir, dataFileName).strTo))
        return false;
    return PathExists(fromDir + "/" + dataFileName) ||
           PathExists(fromDir + "/" + HISTORY_FILE_NAME);
}

asRESULTSCOPY CopyResultsOnce(const std::string& fromDir, const std::string& toDir,
                              const std::string& dataFileName, const asFILEOPS& ops) {
    asRESULTSCOPY result;
    if (!HasResultsToCopy(fromDir, toDir, dataFileName)) return result;
    std::vector<std::string> made;
    // The data file last: until it is there, the next start takes the copy up again. What the
    // record could not take at the last close goes with it.
    const std::string waiting = NameOf(WaitingFilePath(HISTORY_FILE_NAME));
    for (const std::string& name : {std::string(HISTORY_FILE_NAME), waiting, dataFileName}) {
        const asCOPYPATHS paths = PathsOf(fromDir, toDir, name);
        if (!PathExists(paths.strFrom) || PathExists(paths.strTo)) continue;
        if (!paths.strRefused.empty()) {
            result.strFailed = paths.strRefused;
            break;
        }
        RemoveStaleTemporaryFiles(paths.strTo);
        std::function<bool(const std::string&)> fnFinish;
        if (name == HISTORY_FILE_NAME)
            fnFinish = [&](const std::string& temporary) {
                return BringRecordToRest(paths.strFrom, temporary);
            };
        errno = 0;
        if (!CopyFileAtomically(paths.strFrom, paths.strTo, ops, fnFinish)) {
            result.strFailed = paths.strFrom + " could not be copied to " + toDir +
                               (errno ? std::string(" (") + std::strerror(errno) + ")" : "");
            break;
        }
        made.push_back(paths.strTo);
        result.arrCopied.push_back(name);
    }
    if (!result.strFailed.empty()) {
        for (const std::string& path : made)
            unlink(path.c_str());
        result.arrCopied.clear();
    }
    return result;
}
