// The writer lock: a POSIX record lock on "<data file>.lock", and SIGUSR1 as the request to come
// forward. A record lock (not the data file itself) because saves replace the data file by a
// rename, which would leave a lock on the file behind with the old copy.
#include "platform/WriterLock.h"

#include "platform/Signals.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

std::atomic<int> g_nComeForwardRequests{0};

extern "C" void OnComeForwardSignal(int) {
    g_nComeForwardRequests.fetch_add(1);
}

// Installed before the lock is taken: a request sent the moment the lock is seen must not find
// SIGUSR1's default action, which would end the game.
void ListenForComeForwardRequests() {
    CatchSignal(SIGUSR1, OnComeForwardSignal);
}

} // namespace

asWRITERLOCK LockDataFileForWriting(const std::string& dataPath) {
    asWRITERLOCK lock;
    const std::string lockPath = dataPath + ".lock";
    const int fd = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) {
        lock.strReason = "cannot open " + lockPath + ": " + std::strerror(errno);
        return lock;
    }
    ListenForComeForwardRequests();
    // Twice: a holder that ends between the refusal and the question leaves the lock free.
    for (int attempt = 0; attempt < 2; ++attempt) {
        struct flock want {};
        want.l_type = F_WRLCK;
        want.l_whence = SEEK_SET;
        if (fcntl(fd, F_SETLK, &want) == 0) {
            lock.nStatus = WriterLockStatus::HELD;
            lock.nFd = fd;
            return lock;
        }
        if (errno != EACCES && errno != EAGAIN) {
            lock.strReason = "cannot lock " + lockPath + ": " + std::strerror(errno);
            break;
        }
        struct flock holder = want;
        if (fcntl(fd, F_GETLK, &holder) == 0 && holder.l_type == F_UNLCK) continue;
        lock.nStatus = WriterLockStatus::TAKEN;
        // 0 when the holder lives in a PID namespace this process cannot see.
        lock.nHolderPid = holder.l_pid > 0 ? holder.l_pid : 0;
        break;
    }
    close(fd);
    return lock;
}

void UnlockDataFile(asWRITERLOCK& lock) {
    if (lock.nFd >= 0) close(lock.nFd);
    lock.nFd = -1;
    lock.nStatus = WriterLockStatus::UNAVAILABLE;
}

bool AskWriterToComeForward(int holderPid) {
    return holderPid > 0 && holderPid != getpid() && kill(holderPid, SIGUSR1) == 0;
}

bool TakeComeForwardRequest() {
    return g_nComeForwardRequests.exchange(0) > 0;
}
