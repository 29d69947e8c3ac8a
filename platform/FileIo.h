// Whole-file reads that never block or swallow memory, crash-safe whole-file writes, rescue
// copies and the clean-up of writes that were cut short.
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

enum class FileReadStatus {
    READ,       // the whole file is in arrBytes
    ABSENT,     // nothing by that name
    UNREADABLE, // something is there but could not be read whole: strReason says why
};

struct asFILEREAD {
    FileReadStatus nStatus = FileReadStatus::ABSENT;
    std::vector<uint8_t> arrBytes;
    std::string strReason;
};

// Reads a whole regular file of at most maxBytes. A larger file, a directory, a FIFO, a device or
// a file without read permission is UNREADABLE; nothing here blocks or reads more than maxBytes.
asFILEREAD ReadWholeFile(const std::string& path, size_t maxBytes);

// The path with symbolic links of its last part followed (also to a target that does not exist
// yet) and its directory made absolute, so that two spellings of one file compare equal and a
// replacement lands on the link's target instead of the link.
std::string ResolveFilePath(const std::string& path);

// Replaces the file at path with exactly bytes, so that after a crash or power cut the path holds
// either the old file or the new one, never a mixture: the bytes go to a new file in the same
// directory under a name no other attempt can take, are flushed to the disk, that file is renamed
// over path and the directory is flushed. An existing file's permission bits are kept. False (and
// the old file untouched, nothing left behind) when any step fails.
bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes,
                         const asFILEOPS& ops = SystemFileOps());

// Removes what killed writes to path left behind: the temporary files beside it. Only for a
// caller that knows no other write to path is under way.
void RemoveStaleTemporaryFiles(const std::string& path);

// Keeps the file at path under the first free name of path + ".bad", ".bad.1", ".bad.2", …, with
// its permission bits; an existing copy is never replaced. Returns the copy's name, or empty when
// no copy could be made (and then nothing is left behind).
std::string KeepRescueCopy(const std::string& path, const asFILEOPS& ops = SystemFileOps());
