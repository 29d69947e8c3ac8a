// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the answer record for the parents' report: read-only, one snapshot, never in a
// running game's way.
#pragma once

#include "storage/HistoryRecords.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One row of `runs`; the result fields are -1 while the run has not ended.
struct asRECORDEDRUN {
    int64_t nRunId = 0;
    std::string strChild; // GBK bytes, as the data file stores the name
    int nSetNumber = 0;
    int nSetKinds = 0;
    int nSetLimit = 0;
    int64_t nStartedUtcMs = 0;
    int64_t nEndedUtcMs = -1;
    int nScore = -1;
    int nAnswersDone = -1;
    int nAnswersFirstTry = -1;
};

// Runs and answers in the order the game wrote them: the order they happened.
struct asHISTORY {
    std::vector<asRECORDEDRUN> arrRuns;
    std::vector<asHISTORYANSWER> arrAnswers; // nRunKey: the run's nRunId
};

enum class HistoryStatus {
    OK,         // read; a file with nothing in it yet (no bytes, no tables) is an empty record
    MISSING,    // no file at the path
    UNREADABLE, // cannot be opened, stays locked, or is behind a folder that cannot be searched
    NOT_OURS,   // not an SQLite database, or one without the answer record's mark
    DAMAGED,    // ours, but its pages or tables are broken
    NEWER,      // written by a newer game than this one
};

struct asHISTORYREAD {
    HistoryStatus nStatus = HistoryStatus::UNREADABLE;
    std::string strError; // one line for the terminal, empty when OK
    asHISTORY history;
};

// Opens path read-only (no lock of the game's is taken, nothing is written, a busy writer is
// waited for at most busyMs) and reads everything in one read transaction; with onlyChild (GBK
// bytes as runs.child holds them, the empty name for the runs played with no child), only that
// child's runs and their answers. Records of every version up to this game's are read; answers
// from before the review flag are not review ones.
asHISTORYREAD ReadHistory(const std::string& path, int busyMs = 500,
                          const std::optional<std::string>& onlyChild = std::nullopt);
