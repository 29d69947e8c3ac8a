// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Writing one batch of records into the open answer record, as one transaction.
#pragma once

#include "storage/HistoryRecords.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct sqlite3;

// A run this session knows, and its row in the open record (0: not there, as after the file was
// replaced; the row is made again with the run's next answer or end).
struct asRUNROW {
    asHISTORYRUN run;
    int64_t nRunId = 0;
};
using RunRows = std::unordered_map<int64_t, asRUNROW>; // by the run's key

enum class BatchResult {
    WRITTEN, // all of it is in the file
    LATER,  // nothing is: the file is locked, full or failed to write; the batch may be tried again
    FAILED, // nothing is, and the file should not be written again this session
};

// Writes records in order in one transaction: all of them or none. A record of an earlier version
// is brought up to this one in the same transaction. Answers and ends of runs whose start is not
// in runs (nor earlier in the batch) are left out. runs learns the new runs and forgets deleted
// children's only when the batch is written. error says why it was not.
// The first nReplayed records were read back from the waiting file and may be in the record
// already (the game ended between writing them and removing the file): a run found there is
// taken, an answer found there is not written again, and a deletion takes only the runs started
// before it.
BatchResult WriteHistoryBatch(sqlite3* db, const std::vector<HistoryRecord>& records, RunRows& runs,
                              std::string& error, size_t nReplayed = 0);
