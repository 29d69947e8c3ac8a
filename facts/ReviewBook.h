// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// One child's facts under review: every single addition and subtraction they were asked, with its
// schedule, and which of them are due where the child is now.
#pragma once

#include "facts/FactReview.h"
#include "facts/FactState.h"
#include "facts/ProblemFact.h"
#include "storage/HistoryReader.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// A fact review can bring back: a + b or a − b.
struct asREVIEWFACT {
    int nLeft = 0;
    char cSign = '+';
    int nRight = 0;

    int Result() const { return cSign == '+' ? nLeft + nRight : nLeft - nRight; }
    std::string Text() const; // "8+7", as the report names facts
    bool operator==(const asREVIEWFACT&) const = default;
};

// The fact a problem stands for, when review can bring it back: one sign, two numbers.
bool ReviewFactOf(const asPROBLEMFACT& problem, asREVIEWFACT& fact);

struct asREVIEWENTRY {
    asREVIEWFACT fact;
    asFACTREVIEW review;
};

class CReviewBook {
public:
    // A run begins: what follows belongs to it.
    void BeginRun() { ++m_nRun; }
    // The first answer to a problem asking fact, on page of the current run.
    void Add(const asREVIEWFACT& fact, Verdict verdict, int page, int day, int64_t utcMs);
    // An answer of one of the child's runs as the record gives it back, in the record's order,
    // with what its problem asks and its local day: each first answer is added, the first of a
    // run not seen last beginning it; retries and the magnifier's add nothing.
    void AddRecorded(const asHISTORYANSWER& answer, const asPROBLEMFACT& problem, int day,
                     int64_t thresholdMs);
    // The due facts at page of the current run on day for which fnWanted is true, most overdue
    // first, at most nMax.
    std::vector<asREVIEWFACT> Due(int page, int day, size_t nMax,
                                  const std::function<bool(const asREVIEWFACT&)>& fnWanted) const;
    const std::unordered_map<uint64_t, asREVIEWENTRY>& Entries() const { return m_mapFacts; }

private:
    std::unordered_map<uint64_t, asREVIEWENTRY> m_mapFacts;
    int64_t m_nRun = 0;
    int64_t m_nRecordedRun = -1; // the record's run of the last first answer added
};

struct asREVIEWREAD {
    std::string strChild; // GBK, as the record keeps names; empty: the runs with no child
    int64_t nThresholdMs = DEFAULT_THRESHOLD_MS;
    std::function<int64_t(int64_t utcMs)> fnUtcOffsetMs = [](int64_t) { return int64_t(0); };
    int64_t nBeforeUtcMs = INT64_MAX; // runs started from then on are left out
};

// The child's book from the record: the first answer to each problem, in the order they came.
CReviewBook ReviewBookOf(const asHISTORY& history, const asREVIEWREAD& read);

// The child's book from the record at path: empty when there is no record yet, none when it
// cannot be read (locked, damaged, not ours, newer): then there is no review.
std::optional<CReviewBook> ReadReviewBook(const std::string& path, const asREVIEWREAD& read);
