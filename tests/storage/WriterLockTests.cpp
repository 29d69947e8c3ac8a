// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The one-writer lock across processes: a second taker learns who holds it and can ask only a copy
// of the game to come forward and hear its answer, waits for one that is closing however long it
// takes, and the lock goes with its holder, however the holder ends.
#include "platform/Signals.h"
#include "storage/WriterLock.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class WriterLock : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zimbly-lock-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_strDirectory = pattern;
        m_strPath = m_strDirectory + "/Sumora.cfg";
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(m_strDirectory, ec);
    }

    // A child process running body, which says through the pipe (Ready) once it holds what it
    // should; body's result is the child's exit code.
    static pid_t StartChild(const std::function<int(int ready)>& body) {
        int ready[2];
        if (pipe(ready) != 0) return -1;
        const pid_t child = fork();
        if (child == 0) {
            close(ready[0]);
            _exit(body(ready[1]));
        }
        close(ready[1]);
        char held = 0;
        const bool told = read(ready[0], &held, 1) == 1;
        close(ready[0]);
        EXPECT_TRUE(told && held == 'y') << "the holder did not get the lock";
        return child;
    }
    static void Ready(int fd, bool held = true) {
        const char answer = held ? 'y' : 'n';
        if (write(fd, &answer, 1) != 1) _exit(4);
    }

    // A copy of the game with its window open: takes the lock, then waits for a request to come
    // forward and answers it (exit 0), or closes its window instead and saves for 300 ms (exit
    // 0), or hangs; with no request it gives up after a few seconds (exit 3).
    enum class Reaction { ANSWER, CLOSE, HANG };
    pid_t StartHolder(Reaction reaction = Reaction::ANSWER) {
        return StartChild([this, reaction](int ready) {
            asWRITERLOCK lock = LockDataFileForWriting(m_strPath);
            Ready(ready, lock.nStatus == WriterLockStatus::HELD);
            for (int i = 0; i < 500; ++i) {
                if (HasComeForwardRequest() && reaction != Reaction::HANG) {
                    if (reaction == Reaction::ANSWER)
                        return AnswerComeForwardRequests() == 1 ? 0 : 6;
                    AnnounceWindowClosed(lock);
                    usleep(300000);
                    return 0;
                }
                usleep(10000);
            }
            return 3;
        });
    }

    // A copy whose window is gone, saving for closingMs before it ends.
    pid_t StartClosingHolder(unsigned closingMs) {
        return StartChild([this, closingMs](int ready) {
            asWRITERLOCK lock = LockDataFileForWriting(m_strPath);
            AnnounceWindowClosed(lock);
            Ready(ready, lock.nStatus == WriterLockStatus::HELD);
            usleep(closingMs * 1000);
            return HasComeForwardRequest() ? 5 : 0;
        });
    }

    static int ExitCodeOf(pid_t child) {
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
    }

    std::string m_strDirectory;
    std::string m_strPath;
};

} // namespace

TEST_F(WriterLock, ASecondTakerLearnsTheHolderAndBringsItForward) {
    const pid_t holder = StartHolder();
    ASSERT_GT(holder, 0);
    asWRITERLOCK second = LockDataFileForWriting(m_strPath);
    EXPECT_EQ(second.nStatus, WriterLockStatus::TAKEN);
    EXPECT_EQ(second.nHolderPid, holder);
    EXPECT_EQ(second.nFd, -1);
    EXPECT_EQ(second.nHolder, LockHolder::GAME);
    EXPECT_EQ(AskWriterToComeForward(second), ComeForward::CAME);
    EXPECT_EQ(ExitCodeOf(holder), 0) << "the holder saw the request (and was not ended by it)";

    // Its lock went with it.
    asWRITERLOCK after = LockDataFileForWriting(m_strPath);
    EXPECT_EQ(after.nStatus, WriterLockStatus::HELD);
    UnlockDataFile(after);
}

TEST_F(WriterLock, AKilledHolderLeavesNothingThatBlocksTheNextStart) {
    const pid_t holder = StartHolder();
    ASSERT_GT(holder, 0);
    kill(holder, SIGKILL);
    EXPECT_EQ(ExitCodeOf(holder), 100 + SIGKILL);
    asWRITERLOCK lock = LockDataFileForWriting(m_strPath);
    EXPECT_EQ(lock.nStatus, WriterLockStatus::HELD);
    EXPECT_FALSE(HasComeForwardRequest());
    UnlockDataFile(lock);
}

TEST_F(WriterLock, NoLockFileMeansNoLockAndNobodyToAsk) {
    asWRITERLOCK lock = LockDataFileForWriting(m_strDirectory + "/missing/Sumora.cfg");
    EXPECT_EQ(lock.nStatus, WriterLockStatus::UNAVAILABLE);
    EXPECT_FALSE(lock.strReason.empty());
    EXPECT_EQ(AskWriterToComeForward(lock), ComeForward::NOT_ASKED);
    asWRITERLOCK itself = lock;
    itself.nStatus = WriterLockStatus::TAKEN;
    itself.nHolder = LockHolder::GAME;
    itself.nHolderPid = getpid();
    EXPECT_EQ(AskWriterToComeForward(itself), ComeForward::NOT_ASKED) << "never itself";
}

// However long a slow disk makes the last save (longer than any fixed wait), until the caller
// stops the wait. It outlasts the old fixed wait of 5 s, so it stays out of the fast loop.
using WriterLockLongWait = WriterLock;

TEST_F(WriterLockLongWait, ACopyClosingDownIsWaitedForUntilItEndsOrTheWaitIsStopped) {
    const pid_t closing = StartClosingHolder(5500);
    ASSERT_GT(closing, 0);
    asWRITERLOCK lock = LockDataFileForWriting(m_strPath);
    EXPECT_EQ(lock.nStatus, WriterLockStatus::HELD) << "the start goes on once the copy ended";
    EXPECT_EQ(ExitCodeOf(closing), 0) << "it was not asked to come forward";
    UnlockDataFile(lock);

    const pid_t slow = StartClosingHolder(3000);
    ASSERT_GT(slow, 0);
    int seenPid = 0;
    lock = LockDataFileForWriting(m_strPath, [&](const asWRITERLOCK& taken, unsigned waitedMs) {
        seenPid = taken.nHolderPid;
        return waitedMs < 100;
    });
    EXPECT_EQ(lock.nStatus, WriterLockStatus::TAKEN);
    EXPECT_EQ(lock.nHolder, LockHolder::CLOSING_GAME);
    EXPECT_EQ(seenPid, slow);
    EXPECT_EQ(AskWriterToComeForward(lock), ComeForward::NOT_ASKED);
    kill(slow, SIGKILL);
    ExitCodeOf(slow);
}

// A copy asked while it closes (a SIGTERM came first) does not answer: the start sees its window
// go, waits for it and becomes the writer. One that neither answers nor closes is given up.
TEST_F(WriterLock, AStartGoesOnAsWriterWhenTheAskedCopyClosesInstead) {
    const pid_t closing = StartHolder(Reaction::CLOSE);
    ASSERT_GT(closing, 0);
    asWRITERLOCK lock = LockDataFileForWriting(m_strPath);
    ASSERT_EQ(lock.nHolder, LockHolder::GAME);
    EXPECT_EQ(AskWriterToComeForward(lock), ComeForward::CLOSING);
    lock = LockDataFileForWriting(m_strPath);
    EXPECT_EQ(lock.nStatus, WriterLockStatus::HELD);
    EXPECT_EQ(ExitCodeOf(closing), 0);
    UnlockDataFile(lock);

    const pid_t hung = StartHolder(Reaction::HANG);
    ASSERT_GT(hung, 0);
    lock = LockDataFileForWriting(m_strPath);
    EXPECT_EQ(AskWriterToComeForward(lock, {}, 200), ComeForward::NO_ANSWER);
    kill(hung, SIGKILL);
    EXPECT_EQ(ExitCodeOf(hung), 100 + SIGKILL);
}

// A program holding the lock file only to read it is not the game, and is never sent the request:
// its default action would end it. (A program that is not the game holding a write lock is tried
// by the end-to-end tests.)
TEST_F(WriterLock, AReaderOfTheLockFileIsNoGameAndIsNeverSignalled) {
    const std::string lockPath = m_strPath + ".lock";
    const pid_t reader = StartChild([&](int ready) {
        const int fd = open(lockPath.c_str(), O_RDWR | O_CREAT, 0600);
        struct flock range {};
        range.l_type = F_RDLCK;
        Ready(ready, fd >= 0 && fcntl(fd, F_SETLK, &range) == 0);
        pause();
        return 0;
    });
    ASSERT_GT(reader, 0);
    const asWRITERLOCK lock = LockDataFileForWriting(m_strPath);
    EXPECT_EQ(lock.nStatus, WriterLockStatus::TAKEN);
    EXPECT_EQ(lock.nHolder, LockHolder::OTHER_PROGRAM);
    EXPECT_EQ(lock.nHolderPid, reader);
    EXPECT_EQ(AskWriterToComeForward(lock), ComeForward::NOT_ASKED);
    kill(reader, SIGKILL);
    EXPECT_EQ(ExitCodeOf(reader), 100 + SIGKILL) << "it was not ended by a request";
}

// A lock held through an open file (no process behind it to be seen) is another program's too,
// and the message names the lock file rather than calling it another copy of the game.
TEST_F(WriterLock, AnOpenFileLockIsAnotherProgramsAndItsFileIsNamed) {
    const std::string lockPath = m_strPath + ".lock";
    const pid_t holder = StartChild([&](int ready) {
        const int fd = open(lockPath.c_str(), O_RDWR | O_CREAT, 0600);
        struct flock range {};
        range.l_type = F_WRLCK;
        Ready(ready, fd >= 0 && fcntl(fd, F_OFD_SETLK, &range) == 0);
        pause();
        return 0;
    });
    ASSERT_GT(holder, 0);
    const asWRITERLOCK lock = LockDataFileForWriting(m_strPath);
    EXPECT_EQ(lock.nStatus, WriterLockStatus::TAKEN);
    EXPECT_EQ(lock.nHolder, LockHolder::OTHER_PROGRAM);
    EXPECT_EQ(lock.nHolderPid, 0);
    EXPECT_EQ(AskWriterToComeForward(lock), ComeForward::NOT_ASKED);
    EXPECT_EQ(DescribeTakenLock(lock, m_strPath),
              "another program holds " + lockPath + "; close it, then start the game");
    kill(holder, SIGKILL);
    EXPECT_EQ(ExitCodeOf(holder), 100 + SIGKILL);
}
