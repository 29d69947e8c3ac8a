// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the window's thread hands to the answer record: plain values, one record for a run's start,
// each answer (or use of the magnifier), a run's end, and a child's deletion.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

// A run begins. nRunKey names the run among this session's records; the record's own row number
// is the writer's business.
struct asHISTORYRUN {
    int64_t nRunKey = 0;
    std::string strChild; // the name's bytes as the data file stores them (GBK); empty: no child
    int nSetNumber = 0;
    uint32_t nSetKinds = 0;
    int nSetLimit = 0;
    int64_t nStartedUtcMs = 0;
};

// An answer as it was marked, or the magnifier's; the reader gives the rows back as these too.
struct asHISTORYANSWER {
    int64_t nRunKey = 0; // handed over: the run's key; read back: the run's row number
    int nPage = 1;
    int nPosition = 0;
    int64_t nUtcMs = 0;
    std::string strProblem; // UTF-8, the blank as U+25A1
    std::string strExpected;
    std::string strTyped;
    bool bRight = false;
    bool bFirstTry = false;
    bool bByMagnifier = false;
    int64_t nElapsedMs = 0;
    bool bReview = false; // a review problem: put on the page to bring a missed or slow fact back
};

// A run ends with a result (the score the chart gets).
struct asHISTORYRUNEND {
    int64_t nRunKey = 0;
    int64_t nEndedUtcMs = 0;
    int nScore = 0;
    int nAnswersDone = 0;
    int nAnswersFirstTry = 0;
};

// A child deleted on the users screen: their runs and answers go too.
struct asHISTORYFORGET {
    std::string strChild;
    int64_t nUtcMs = 0; // when: a deletion read back from the waiting file takes only older runs
};

using HistoryRecord = std::variant<asHISTORYRUN, asHISTORYANSWER, asHISTORYRUNEND, asHISTORYFORGET>;
