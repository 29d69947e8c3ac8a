// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-file reads, crash-safe whole-file writes and rescue copies through POSIX calls.
#include "storage/FileIo.h"

#include "storage/Paths.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* TEMPORARY_INFIX = ".tmp-";
constexpr const char* RESCUE_SUFFIX = ".bad";

asFILEID IdOf(const struct stat& info) {
    return {true, info.st_dev, info.st_ino, info.st_size,
            int64_t(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

// Random, so that neither a second copy of the game nor a restarted one with the same pid (as
// in a PID namespace) can pick a name that is in use or left over.
std::string RandomSuffix() {
    uint8_t random[8] = {};
    if (getrandom(random, sizeof random, 0) != sizeof random) {
        static std::atomic<unsigned> s_nCounter{0};
        const uint64_t mixed = uint64_t(getpid()) << 32 ^ uint64_t(time(nullptr)) ^ s_nCounter++;
        std::memcpy(random, &mixed, sizeof random);
    }
    static const char* const HEX = "0123456789abcdef";
    std::string text;
    for (uint8_t byte : random) {
        text.push_back(HEX[byte >> 4]);
        text.push_back(HEX[byte & 15]);
    }
    return text;
}

bool WriteAll(int fd, std::span<const uint8_t> bytes, const asFILEOPS& ops) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ops.fnWrite(fd, bytes.data() + done, bytes.size() - done);
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

// Opens a regular file for reading without waiting: a FIFO would otherwise block until a
// writer comes. -1 with errno set for anything else.
int OpenRegularFile(const std::string& path, struct stat& info) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return -1;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

// Reads up to maxBytes; false on a read error.
bool ReadUpTo(int fd, size_t maxBytes, std::vector<uint8_t>& bytes) {
    uint8_t buffer[65536];
    while (bytes.size() < maxBytes) {
        const size_t want = std::min(sizeof buffer, maxBytes - bytes.size());
        const ssize_t n = read(fd, buffer, want);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    return true;
}

// Everything left to read from in, written to out.
bool CopyBytes(int in, int out, const asFILEOPS& ops) {
    uint8_t buffer[65536];
    for (;;) {
        const ssize_t n = read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n == 0;
        if (!WriteAll(out, {buffer, size_t(n)}, ops)) return false;
    }
}

// A byte-for-byte copy with the same permission bits under a name that must not exist yet.
// 1 copied, 0 the name is taken, -1 failed.
int CopyToNewFile(const std::string& from, const std::string& to, const asFILEOPS& ops) {
    struct stat info {};
    const int in = OpenRegularFile(from, info);
    if (in < 0) return -1;
    const int out = ops.fnOpen(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (out < 0) {
        const int taken = errno == EEXIST;
        close(in);
        return taken ? 0 : -1;
    }
    bool ok = CopyBytes(in, out, ops);
    ok = ok && fchmod(out, info.st_mode & 07777) == 0 && ops.fnFsync(out) == 0;
    ok = ops.fnClose(out) == 0 && ok;
    close(in);
    if (!ok) unlink(to.c_str());
    return ok ? 1 : -1;
}

// True when both are readable regular files with the same bytes.
bool SameBytes(const std::string& a, const std::string& b) {
    struct stat infoA {};
    struct stat infoB {};
    const int fdA = OpenRegularFile(a, infoA);
    if (fdA < 0) return false;
    const int fdB = OpenRegularFile(b, infoB);
    bool same = fdB >= 0 && infoA.st_size == infoB.st_size;
    uint8_t bufferA[65536], bufferB[65536];
    while (same) {
        const ssize_t n = read(fdA, bufferA, sizeof bufferA);
        if (n <= 0) {
            same = n == 0;
            break;
        }
        ssize_t got = 0;
        while (got < n) {
            const ssize_t m = read(fdB, bufferB + got, size_t(n - got));
            if (m <= 0) break;
            got += m;
        }
        same = got == n && std::memcmp(bufferA, bufferB, size_t(n)) == 0;
    }
    if (fdB >= 0) close(fdB);
    close(fdA);
    return same;
}

// The number of a rescue name of path's file ("x.bad" 0, "x.bad.7" 7), or -1 for other names.
long RescueNumber(const std::string& name, const std::string& fileName) {
    const std::string stem = fileName + RESCUE_SUFFIX;
    if (name.compare(0, stem.size(), stem) != 0) return -1;
    if (name.size() == stem.size()) return 0;
    // ".bad.", ".bad.01" and numbers past nine digits are not names the game gives.
    if (name[stem.size()] != '.' || name.size() == stem.size() + 1 ||
        name[stem.size() + 1] == '0' || name.size() > stem.size() + 10)
        return -1;
    long number = 0;
    for (size_t i = stem.size() + 1; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') return -1;
        number = number * 10 + (name[i] - '0');
    }
    return number;
}

std::string RescueName(const std::string& path, long number) {
    return number == 0 ? path + RESCUE_SUFFIX : path + RESCUE_SUFFIX + "." + std::to_string(number);
}

// A new file beside path under a name no other attempt can take; -1 when none could be made.
int OpenTemporaryBeside(const std::string& path, const asFILEOPS& ops, std::string& temporary) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        temporary = path + TEMPORARY_INFIX + RandomSuffix();
        const int fd = ops.fnOpen(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Flushes and closes the filled temporary file and renames it over path, then flushes the
// directory; on any failure (or when filled is false) removes it and keeps errno.
bool PutInPlace(int fd, bool filled, const std::string& temporary, const std::string& path,
                const asFILEOPS& ops) {
    bool ok = filled && ops.fnFsync(fd) == 0;
    // close reports delayed write errors on some file systems, so its result counts.
    ok = ops.fnClose(fd) == 0 && ok;
    ok = ok && ops.fnRename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        const int saved = errno;
        unlink(temporary.c_str());
        errno = saved;
        return false;
    }
    FlushDirectory(DirectoryOf(path));
    return true;
}

} // namespace

const asFILEOPS& SystemFileOps() {
    static const asFILEOPS s_Ops{open, write, fsync, close, rename};
    return s_Ops;
}

std::optional<std::vector<uint8_t>> ReadFileBytes(const std::string& path, size_t maxBytes) {
    struct stat info {};
    const int fd = OpenRegularFile(path, info);
    if (fd < 0) return std::nullopt;
    std::vector<uint8_t> bytes;
    const bool ok = ReadUpTo(fd, maxBytes, bytes);
    close(fd);
    if (!ok) return std::nullopt;
    return bytes;
}

asFILEID IdentifyFile(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) return {};
    return IdOf(info);
}

asFILEREAD ReadWholeFile(const std::string& path, size_t maxBytes) {
    asFILEREAD result;
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 && errno == ENOENT) return result; // ABSENT
    result.nStatus = FileReadStatus::UNREADABLE;
    const int fd = OpenRegularFile(path, info);
    if (fd < 0) {
        result.strReason = errno == EINVAL ? "it is not a regular file" : std::strerror(errno);
        return result;
    }
    result.id = IdOf(info);
    // One byte more than allowed tells a file that is too large from one that fits exactly.
    const bool ok = ReadUpTo(fd, maxBytes == SIZE_MAX ? maxBytes : maxBytes + 1, result.arrBytes);
    const int error = errno;
    close(fd);
    if (!ok) {
        result.strReason = std::strerror(error);
        result.arrBytes.clear();
    } else if (result.arrBytes.size() > maxBytes) {
        result.strReason = "it is larger than a data file can be";
        result.arrBytes.clear();
        result.arrBytes.shrink_to_fit();
    } else {
        result.nStatus = FileReadStatus::READ;
    }
    return result;
}

asFOLDERSHARING SharingOfFolder(const std::string& directory) {
    struct stat info {};
    if (stat(directory.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return {};
    return {(info.st_mode & S_IWGRP) != 0, info.st_gid};
}

void ShareWithFolderGroup(int fd, const asFOLDERSHARING& sharing) {
    struct stat info {};
    if (!sharing.bGroupWrites || fstat(fd, &info) != 0) return;
    if (info.st_gid != sharing.nGroup && fchown(fd, uid_t(-1), sharing.nGroup) != 0) return;
    fchmod(fd, (info.st_mode & 07777) | S_IRGRP | S_IWGRP);
}

bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes,
                         const asFILEOPS& ops, FileModeRule modeRule) {
    std::string temporary;
    const int fd = OpenTemporaryBeside(path, ops, temporary);
    if (fd < 0) return false;

    struct stat old {};
    if (modeRule == FileModeRule::KEEP) {
        if (stat(path.c_str(), &old) == 0) {
            // Its group first, as changing the group may clear bits; a group this user is not
            // in stays the user's own.
            [[maybe_unused]] const int grouped = fchown(fd, uid_t(-1), old.st_gid);
            fchmod(fd, old.st_mode & 07777);
        } else {
            ShareWithFolderGroup(fd, SharingOfFolder(DirectoryOf(path)));
        }
    }
    const bool ok = WriteAll(fd, bytes, ops);
    return PutInPlace(fd, ok, temporary, path, ops);
}

bool CopyFileAtomically(const std::string& from, const std::string& to, const asFILEOPS& ops,
                        const std::function<bool(const std::string& temporary)>& fnFinish) {
    struct stat info {};
    const int in = OpenRegularFile(from, info);
    if (in < 0) return false;
    std::string temporary;
    const int fd = OpenTemporaryBeside(to, ops, temporary);
    if (fd < 0) {
        close(in);
        return false;
    }
    // As a replaced file keeps its bits and group: the group first, as changing it may clear bits.
    [[maybe_unused]] const int grouped = fchown(fd, uid_t(-1), info.st_gid);
    fchmod(fd, info.st_mode & 07777);
    ShareWithFolderGroup(fd, SharingOfFolder(DirectoryOf(to)));
    bool ok = CopyBytes(in, fd, ops);
    close(in);
    ok = ok && (!fnFinish || fnFinish(temporary));
    return PutInPlace(fd, ok, temporary, to, ops);
}

void RemoveStaleTemporaryFiles(const std::string& path) {
    const std::string directory = DirectoryOf(path);
    const std::string prefix = NameOf(path) + TEMPORARY_INFIX;
    DIR* dir = opendir(directory.c_str());
    if (!dir) return;
    while (const dirent* entry = readdir(dir)) {
        if (std::strncmp(entry->d_name, prefix.c_str(), prefix.size()) != 0) continue;
        const std::string stale = directory + "/" + entry->d_name;
        struct stat info {};
        if (lstat(stale.c_str(), &info) == 0 && S_ISREG(info.st_mode)) unlink(stale.c_str());
    }
    closedir(dir);
}

std::string KeepRescueCopy(const std::string& path, const asFILEOPS& ops) {
    // The copies there already: the same bytes need no second copy, and the next number is
    // found however many there are.
    std::vector<long> taken;
    if (DIR* dir = opendir(DirectoryOf(path).c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const long number = RescueNumber(entry->d_name, NameOf(path));
            if (number >= 0) taken.push_back(number);
        }
        closedir(dir);
    }
    std::sort(taken.begin(), taken.end());
    for (long number : taken)
        if (SameBytes(path, RescueName(path, number))) return RescueName(path, number);
    long number = 0;
    for (;; ++number) {
        if (std::binary_search(taken.begin(), taken.end(), number)) continue;
        // A copy of its own, not a second link: whatever later writes into the original in
        // place must not reach the rescued bytes.
        const std::string copy = RescueName(path, number);
        const int copied = CopyToNewFile(path, copy, ops);
        if (copied < 0) return {};
        if (copied == 0) continue; // made since the directory was read
        FlushDirectory(DirectoryOf(path));
        return copy;
    }
}
