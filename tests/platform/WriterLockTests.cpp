// The one-writer lock across processes: a second taker learns who holds it and can ask that
// process to come forward; the lock goes with its holder, however the holder ends.
#include "platform/WriterLock.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
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

    // A child process that takes the lock, says so through a pipe, and then waits for a
    // request to come forward (exit 0) or gives up after a few seconds (exit 3).
    pid_t StartHolder() {
        int ready[2];
        if (pipe(ready) != 0) return -1;
        const pid_t child = fork();
        if (child == 0) {
            close(ready[0]);
            asWRITERLOCK lock = LockDataFileForWriting(m_strPath);
            const char held = lock.nStatus == WriterLockStatus::HELD ? 'y' : 'n';
            if (write(ready[1], &held, 1) != 1) _exit(4);
            for (int i = 0; i < 500; ++i) {
                if (TakeComeForwardRequest()) _exit(0);
                usleep(10000);
            }
            _exit(3);
        }
        close(ready[1]);
        char held = 0;
        const bool told = read(ready[0], &held, 1) == 1;
        close(ready[0]);
        EXPECT_TRUE(told && held == 'y') << "the holder did not get the lock";
        return child;
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
    ASSERT_TRUE(AskWriterToComeForward(second.nHolderPid));
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
    EXPECT_FALSE(TakeComeForwardRequest());
    UnlockDataFile(lock);
}

TEST_F(WriterLock, NoLockFileMeansNoLockAndNobodyToAsk) {
    asWRITERLOCK lock = LockDataFileForWriting(m_strDirectory + "/missing/Sumora.cfg");
    EXPECT_EQ(lock.nStatus, WriterLockStatus::UNAVAILABLE);
    EXPECT_FALSE(lock.strReason.empty());
    EXPECT_FALSE(AskWriterToComeForward(0));
    EXPECT_FALSE(AskWriterToComeForward(getpid())) << "never itself";
}
