// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The writer lock: POSIX record locks on "<data file>.lock", SIGUSR1 as the request to come
// forward and SIGURG as its answer. Record locks (not on the data file itself) because saves
// replace the data file by a rename, which would leave a lock on the file behind with the old
// copy. Byte 0 is the writer's; byte 1 is held while the writer's window is open, so that another
// start can tell a copy it may bring forward from one that is closing.
#include "storage/WriterLock.h"

#include "platform/Signals.h"
#include "storage/FileIo.h"
#include "storage/Paths.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr off_t WRITER_BYTE = 0;
constexpr off_t WINDOW_BYTE = 1;
constexpr unsigned WAIT_STEP_MS = 20;
constexpr const char* GAME_NAME = "zimbly";

struct flock Range(short type, off_t start, off_t length) {
    struct flock range {};
    range.l_type = type;
    range.l_whence = SEEK_SET;
    range.l_start = start;
    range.l_len = length;
    return range;
}

// The lock another process holds over byte, if any (l_type F_UNLCK when none).
struct flock HolderOf(int fd, off_t byte) {
    struct flock holder = Range(F_WRLCK, byte, 1);
    if (fcntl(fd, F_GETLK, &holder) != 0) holder.l_type = F_UNLCK;
    return holder;
}

// The executable's name, without the " (deleted)" of one replaced by an update.
std::string ExecutableName(const std::string& procExe) {
    char buffer[PATH_MAX];
    const ssize_t n = readlink(procExe.c_str(), buffer, sizeof buffer - 1);
    if (n <= 0) return {};
    std::string target(buffer, size_t(n));
    constexpr std::string_view DELETED = " (deleted)";
    if (target.size() > DELETED.size() && target.ends_with(DELETED))
        target.resize(target.size() - DELETED.size());
    return NameOf(target);
}

enum class Running { THIS_GAME, OTHER_PROGRAM, ENDING, UNSEEN };

// What the process runs: this game (the same executable, or one of the game's name), another
// program, nothing any more (it is ending: its executable is let go before its locks), or what
// cannot be seen from here (another account's process).
Running WhatRuns(pid_t pid) {
    const std::string theirs = "/proc/" + std::to_string(pid) + "/exe";
    struct stat them {};
    struct stat us {};
    if (stat(theirs.c_str(), &them) == 0 && stat("/proc/self/exe", &us) == 0 &&
        them.st_dev == us.st_dev && them.st_ino == us.st_ino)
        return Running::THIS_GAME;
    const std::string name = ExecutableName(theirs);
    if (name.empty()) return errno == ENOENT ? Running::ENDING : Running::UNSEEN;
    return name == GAME_NAME || name == ExecutableName("/proc/self/exe") ? Running::THIS_GAME
                                                                         : Running::OTHER_PROGRAM;
}

LockHolder WhatHolds(int fd, int& pid) {
    const struct flock writer = HolderOf(fd, WRITER_BYTE);
    pid = writer.l_pid > 0 ? writer.l_pid : 0;
    // Gone between the refusal and the question: the next try takes the lock.
    if (writer.l_type == F_UNLCK) return LockHolder::ENDING;
    // The game only ever takes write locks: a read lock is another program's.
    if (writer.l_type == F_RDLCK) return LockHolder::OTHER_PROGRAM;
    // Nor does it lock through an open file (such a lock has no process): another program does.
    if (writer.l_pid == -1) return LockHolder::OTHER_PROGRAM;
    if (pid == 0) return LockHolder::UNKNOWN;
    switch (WhatRuns(pid)) {
    case Running::THIS_GAME:
        return HolderOf(fd, WINDOW_BYTE).l_type == F_UNLCK ? LockHolder::CLOSING_GAME
                                                           : LockHolder::GAME;
    case Running::OTHER_PROGRAM:
        return LockHolder::OTHER_PROGRAM;
    case Running::ENDING:
        return LockHolder::ENDING;
    case Running::UNSEEN:
        break;
    }
    return LockHolder::UNKNOWN;
}

// Opens the lock file, making it when missing; one this user owns gets the bits it should have
// (an older one may be readable by all, so that anyone could hold it to block the game).
int OpenLockFile(const std::string& lockPath, std::string& reason) {
    const int fd =
        open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0600);
    if (fd < 0) {
        reason = "cannot open " + lockPath + ": " + std::strerror(errno);
        return -1;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        reason = "cannot use " + lockPath + ": it is not a regular file";
        close(fd);
        return -1;
    }
    if (info.st_uid == geteuid()) {
        fchmod(fd, 0600);
        ShareWithFolderGroup(fd, SharingOfFolder(DirectoryOf(lockPath)));
    }
    return fd;
}

} // namespace

asWRITERLOCK LockDataFileForWriting(const std::string& dataPath, const LockWait& fnKeepWaiting) {
    asWRITERLOCK lock;
    lock.strPath = dataPath + ".lock";
    const int fd = OpenLockFile(lock.strPath, lock.strReason);
    if (fd < 0) return lock;
    // Before the lock is taken: a request sent the moment the lock is seen must not find
    // SIGUSR1's default action, which would end the game.
    ListenForComeForwardRequests();
    for (unsigned waited = 0;; waited += WAIT_STEP_MS) {
        struct flock want = Range(F_WRLCK, WRITER_BYTE, 2);
        if (fcntl(fd, F_SETLK, &want) == 0) {
            lock.nStatus = WriterLockStatus::HELD;
            lock.nFd = fd;
            return lock;
        }
        if (errno != EACCES && errno != EAGAIN) {
            lock.strReason = "cannot lock " + lock.strPath + ": " + std::strerror(errno);
            break;
        }
        lock.nHolder = WhatHolds(fd, lock.nHolderPid);
        // A copy whose window is gone ends as soon as its last save is written, however long a
        // slow disk makes that.
        const bool mayBeEnding =
            lock.nHolder == LockHolder::CLOSING_GAME || lock.nHolder == LockHolder::ENDING;
        if (!mayBeEnding || (fnKeepWaiting && !fnKeepWaiting(lock, waited))) {
            lock.nStatus = WriterLockStatus::TAKEN;
            break;
        }
        usleep(WAIT_STEP_MS * 1000);
    }
    close(fd);
    return lock;
}

void AnnounceWindowClosed(const asWRITERLOCK& lock) {
    if (lock.nFd < 0) return;
    struct flock window = Range(F_UNLCK, WINDOW_BYTE, 1);
    fcntl(lock.nFd, F_SETLK, &window);
}

bool StillHoldsWriterLock(const asWRITERLOCK& lock) {
    struct stat held {};
    struct stat there {};
    return lock.nFd >= 0 && fstat(lock.nFd, &held) == 0 &&
           lstat(lock.strPath.c_str(), &there) == 0 && held.st_dev == there.st_dev &&
           held.st_ino == there.st_ino;
}

void UnlockDataFile(asWRITERLOCK& lock) {
    if (lock.nFd >= 0) close(lock.nFd);
    lock.nFd = -1;
    lock.nStatus = WriterLockStatus::UNAVAILABLE;
}

std::string DescribeTakenLock(const asWRITERLOCK& taken, const std::string& dataPath) {
    switch (taken.nHolder) {
    case LockHolder::OTHER_PROGRAM:
        return taken.nHolderPid > 0
                   ? "another program (process " + std::to_string(taken.nHolderPid) +
                         ", not this game) holds " + taken.strPath +
                         "; close it, then start the game"
                   : "another program holds " + taken.strPath + "; close it, then start the game";
    case LockHolder::CLOSING_GAME:
        return "the game is still closing and saving the results in " + dataPath +
               "; start it again in a moment";
    case LockHolder::ENDING:
        return "the program holding " + taken.strPath +
               " is still ending; start the game again in a moment";
    default:
        return "another copy of the game is already running with " + dataPath +
               "; close it before starting the game again";
    }
}

ComeForward AskWriterToComeForward(const asWRITERLOCK& taken, const LockWait& fnKeepWaiting,
                                   unsigned answerWaitMs) {
    if (taken.nStatus != WriterLockStatus::TAKEN || taken.nHolder != LockHolder::GAME ||
        taken.nHolderPid <= 0 || taken.nHolderPid == getpid())
        return ComeForward::NOT_ASKED;
    std::string reason;
    const int fd = OpenLockFile(taken.strPath, reason);
    if (fd < 0) return ComeForward::NOT_ASKED;
    // Before asking: an answer that came before its handler would be lost.
    ListenForComeForwardAnswers();
    ComeForward result = ComeForward::NOT_ASKED;
    if (kill(taken.nHolderPid, SIGUSR1) == 0) {
        for (unsigned waited = 0;; waited += WAIT_STEP_MS) {
            if (HasAnswered(taken.nHolderPid)) {
                result = ComeForward::CAME;
                break;
            }
            int pid = 0;
            if (WhatHolds(fd, pid) != LockHolder::GAME || pid != taken.nHolderPid) {
                result = ComeForward::CLOSING;
                break;
            }
            if (waited >= answerWaitMs || (fnKeepWaiting && !fnKeepWaiting(taken, waited))) {
                result = ComeForward::NO_ANSWER;
                break;
            }
            usleep(WAIT_STEP_MS * 1000);
        }
    }
    close(fd);
    return result;
}
