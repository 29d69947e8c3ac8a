// Whole-file reads and crash-safe whole-file writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The file's bytes, at most maxBytes of them from the start; nullopt when it cannot be opened or
// read (missing, a directory, no permission).
std::optional<std::vector<uint8_t>> ReadFileBytes(const std::string& path,
                                                  size_t maxBytes = SIZE_MAX);

// Replaces the file at path with exactly bytes, so that after a crash or power cut the path holds
// either the old file or the new one, never a mixture: the bytes go to a new file in the same
// directory, are flushed to the disk, and that file is renamed over path. An existing file's
// permission bits are kept. False (and the old file untouched) when any step fails.
bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes);

// Test hook: the stepth step (counting from 1) of the coming WriteFileAtomically calls fails as
// an I/O error would. The steps of one call are: create, one per write call (one for a small
// file, none for an empty one), flush, close, rename. 0 turns the fault off; it also goes off by
// itself once it has struck.
void SetFileWriteFaultForTesting(int step);
