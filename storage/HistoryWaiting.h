// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The waiting file beside the answer record: what the record could not take by the time the game
// closed (locked by another program, a full disk), kept until the next start writes it.
#pragma once

#include "storage/HistoryRecords.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// "zimbly-history.sqlite.waiting" beside the record at historyPath.
std::string WaitingFilePath(const std::string& historyPath);

// The records as the file holds them: a first line that names the file, then one line a record,
// numbers in decimal and texts in hexadecimal, so that any bytes of a name survive.
std::vector<uint8_t> EncodeWaitingRecords(const std::vector<HistoryRecord>& records);
// False, with nothing in records, when bytes are not such a file or any line is malformed. A file
// of the first format (no review flag on its answers) is read too, its answers not review ones.
bool DecodeWaitingRecords(std::span<const uint8_t> bytes, std::vector<HistoryRecord>& records);

// Replaces the waiting file crash-safely, with the data file's rules for links, permission bits
// and a family's shared folder. False (error says why) when it could not be written.
bool KeepWaitingRecords(const std::string& historyPath, const std::vector<HistoryRecord>& records,
                        std::string& error);

enum class WaitingRead {
    NONE,       // no waiting file
    READ,       // records holds what it kept
    SET_ASIDE,  // not such a file: kept under a rescue name (as the data file's are) and removed
    IN_THE_WAY, // there, but unreadable or not ours and not set aside: left as it is
};
// error says what was found, for all but NONE and READ.
WaitingRead ReadWaitingRecords(const std::string& historyPath, std::vector<HistoryRecord>& records,
                               std::string& error);

// Removes the waiting file once the record holds what it kept.
void RemoveWaitingRecords(const std::string& historyPath);
