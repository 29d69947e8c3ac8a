// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes of the data file: encoding and decoding with no file system involved.
#pragma once

#include "users/UserData.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

constexpr std::string_view DATA_FILE_HEADER = "Sumora configuration file.";
constexpr size_t DATA_FILE_HEADER_SIZE = 26;
static_assert(DATA_FILE_HEADER.size() == DATA_FILE_HEADER_SIZE);

// What one data file holds, as it goes into memory.
struct asDATAFILE {
    uint32_t dwVersion = DATA_FILE_VERSION;
    std::array<ExerciseSet, EXERCISE_SET_COUNT> arrSets{}; // all zero when dwVersion is older
    std::vector<asUSERINFO> arrUsers;
    int32_t nCurrentUser = 0;
};

enum class DataFileStatus {
    VALID,   // decoded
    FOREIGN, // not our header (or shorter than it): someone else's file, or none
    DAMAGED, // our header, but cut short or malformed after it
};

// True when bytes begin with the header text.
bool HasDataFileHeader(std::span<const uint8_t> bytes);

// The file's content for the given state: header, version, sets, users, current index. Bytes of
// an earlier, longer file are not part of it.
std::vector<uint8_t> EncodeDataFile(std::span<const ExerciseSet, EXERCISE_SET_COUNT> sets,
                                    const std::vector<asUSERINFO>& users, int32_t currentUser);

// Decodes bytes into file; file is only meaningful when VALID comes back. Bytes after the
// current-user word are ignored. What is read is made safe for the rest of the program: names are
// cut to MAX_NAME_BYTES at a character boundary, nLastScore is held within -1..669, and a current
// index outside the list becomes 0 (with no users, any value other than 0 or -1 becomes -1).
DataFileStatus DecodeDataFile(std::span<const uint8_t> bytes, asDATAFILE& file);

// The longest start of name that fits in maxBytes without splitting a two-byte GBK character.
std::string CutGbkName(std::string_view name, size_t maxBytes);
