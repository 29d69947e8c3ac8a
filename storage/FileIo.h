// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-file reads that never block or swallow memory, crash-safe whole-file writes, rescue
// copies, the clean-up of writes that were cut short, and the sharing of a family's folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <sys/types.h>
#include <vector>

// The calls through which the writes below create, fill, flush, close and rename their files,
// each with the POSIX call's meaning (-1 and errno on failure), so that a test can make any one
// of them fail.
struct asFILEOPS {
    std::function<int(const char* path, int flags, mode_t mode)> fnOpen;
    std::function<ssize_t(int fd, const void* data, size_t size)> fnWrite;
    std::function<int(int fd)> fnFsync;
    std::function<int(int fd)> fnClose;
    std::function<int(const char* from, const char* to)> fnRename;
};

// The operating system's own calls.
const asFILEOPS& SystemFileOps();

// The file's bytes, at most maxBytes of them from the start; nullopt when it cannot be opened or
// read (missing, a directory, a FIFO or device, no permission). Never waits for a writer.
std::optional<std::vector<uint8_t>> ReadFileBytes(const std::string& path,
                                                  size_t maxBytes = SIZE_MAX);

// What tells one file at a path from another: a replacement by another program, or a write into
// it, changes at least one of these.
struct asFILEID {
    bool bPresent = false;
    dev_t nDevice = 0;
    ino_t nInode = 0;
    off_t nSize = 0;
    int64_t nModifiedNs = 0;

    bool operator==(const asFILEID&) const = default;
};

// The file at path itself (a link is not followed); bPresent false when nothing is there.
asFILEID IdentifyFile(const std::string& path);

enum class FileReadStatus {
    READ,       // the whole file is in arrBytes
    ABSENT,     // nothing by that name
    UNREADABLE, // something is there but could not be read whole: strReason says why
};

struct asFILEREAD {
    FileReadStatus nStatus = FileReadStatus::ABSENT;
    std::vector<uint8_t> arrBytes;
    std::string strReason;
    asFILEID id; // the file that was read
};

// Reads a whole regular file of at most maxBytes. A larger file, a directory, a FIFO, a device or
// a file without read permission is UNREADABLE; nothing here blocks or reads more than maxBytes.
asFILEREAD ReadWholeFile(const std::string& path, size_t maxBytes);

// A folder whose group may write in it is a family's shared folder: every account of that group
// may replace the files there, so each must be able to read them and take their lock, whatever
// the umask of the account that made them.
struct asFOLDERSHARING {
    bool bGroupWrites = false;
    gid_t nGroup = 0;
};
asFOLDERSHARING SharingOfFolder(const std::string& directory);

// Gives a file just made in such a folder read and write for the folder's group, and that group
// (as far as the user may: a group the user is not in cannot be given).
void ShareWithFolderGroup(int fd, const asFOLDERSHARING& sharing);

// Which permission bits a replaced file gets.
enum class FileModeRule {
    KEEP,  // an existing file's bits and group; a new file in a shared folder is shared
    UMASK, // what the user's umask gives a new file, whatever the old one had
};

// Replaces the file at path with exactly bytes, so that after a crash or power cut the path holds
// either the old file or the new one, never a mixture: the bytes go to a new file in the same
// directory under a name no other attempt can take, are flushed to the disk, that file is renamed
// over path and the directory is flushed; modeRule decides its permission bits. False (and the old
// file untouched, nothing left behind) when any step fails.
bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes,
                         const asFILEOPS& ops = SystemFileOps(),
                         FileModeRule modeRule = FileModeRule::KEEP);

// Copies the regular file at from to the path to as WriteFileAtomically writes it (a crash leaves
// no copy or a whole one; what was at to is replaced), with from's permission bits and group; in
// a family's shared folder the folder's group may read and write it. fnFinish, when given, may
// work on the copy under its temporary name before the copy takes to's name; false from it gives
// the copy up. False (nothing left behind) when any step fails.
bool CopyFileAtomically(const std::string& from, const std::string& to,
                        const asFILEOPS& ops = SystemFileOps(),
                        const std::function<bool(const std::string& temporary)>& fnFinish = {});

// Removes what killed writes to path left behind: the temporary files beside it. Only for a
// caller that knows no other write to path is under way.
void RemoveStaleTemporaryFiles(const std::string& path);

// Keeps the file at path under the first free name of path + ".bad", ".bad.1", ".bad.2", …, with
// its permission bits; an existing copy is never replaced, and none is made when one of them
// already holds the same bytes (its name is returned then). Returns the copy's name, or empty when
// no copy could be made (and then nothing is left behind).
std::string KeepRescueCopy(const std::string& path, const asFILEOPS& ops = SystemFileOps());
