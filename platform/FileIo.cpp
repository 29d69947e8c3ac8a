// Whole-file reads and crash-safe whole-file writes through POSIX calls.
#include "platform/FileIo.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::atomic<int> g_nStepsUntilFault{0};

// Counts one step of a write; true when the test hook wants this one to fail.
bool FaultInjected() {
    int left = g_nStepsUntilFault.load();
    while (left > 0) {
        if (g_nStepsUntilFault.compare_exchange_weak(left, left - 1)) {
            if (left != 1) return false;
            errno = EIO;
            return true;
        }
    }
    return false;
}

std::string DirectoryOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// A name beside path that no other writer uses: pid plus a per-process counter.
std::string TemporaryNameFor(const std::string& path) {
    static std::atomic<unsigned> s_nCounter{0};
    return path + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(s_nCounter++);
}

bool WriteAll(int fd, std::span<const uint8_t> bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        if (FaultInjected()) return false;
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += size_t(n);
    }
    return true;
}

// The rename is already durable on most file systems once the directory is flushed; a directory
// that cannot be flushed leaves the new file in place all the same, so this is best effort.
void FlushDirectory(const std::string& directory) {
    const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

} // namespace

std::optional<std::vector<uint8_t>> ReadFileBytes(const std::string& path, size_t maxBytes) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return std::nullopt;
    }
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    while (bytes.size() < maxBytes) {
        const size_t want = std::min(sizeof buffer, maxBytes - bytes.size());
        const ssize_t n = read(fd, buffer, want);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    close(fd);
    return bytes;
}

bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes) {
    const std::string temporary = TemporaryNameFor(path);
    if (FaultInjected()) return false;
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;

    bool ok = true;
    struct stat old {};
    if (stat(path.c_str(), &old) == 0) fchmod(fd, old.st_mode & 07777);
    ok = WriteAll(fd, bytes);
    if (ok && (FaultInjected() || fsync(fd) != 0)) ok = false;
    // close reports delayed write errors on some file systems, so its result counts.
    if (FaultInjected()) {
        close(fd);
        ok = false;
    } else if (close(fd) != 0) {
        ok = false;
    }
    if (ok && (FaultInjected() || rename(temporary.c_str(), path.c_str()) != 0)) ok = false;
    if (!ok) {
        const int saved = errno;
        unlink(temporary.c_str());
        errno = saved;
        return false;
    }
    FlushDirectory(DirectoryOf(path));
    return true;
}

void SetFileWriteFaultForTesting(int step) {
    g_nStepsUntilFault.store(step > 0 ? step : 0);
}
