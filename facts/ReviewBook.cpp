// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// One child's review book, and how it is read from the answer record.
#include "facts/ReviewBook.h"

#include <algorithm>
#include <tuple>
#include <unordered_set>

namespace {

// The worker waits this long for a record that is busy (being recovered, say) before it gives
// the child no review this time.
constexpr int BUSY_MS = 500;

uint64_t KeyOf(const asREVIEWFACT& fact) {
    return uint64_t(uint32_t(fact.nLeft)) << 32 | uint64_t(uint32_t(fact.nRight)) << 1 |
           uint64_t(fact.cSign == '-');
}

} // namespace

std::string asREVIEWFACT::Text() const {
    return std::to_string(nLeft) + cSign + std::to_string(nRight);
}

bool ReviewFactOf(const asPROBLEMFACT& problem, asREVIEWFACT& fact) {
    if (problem.nKind == ProblemKind::UNKNOWN || problem.arrNumbers.size() != 2) return false;
    fact = {problem.arrNumbers[0], problem.strSigns[0], problem.arrNumbers[1]};
    return true;
}

void CReviewBook::Add(const asREVIEWFACT& fact, Verdict verdict, int page, int day, int64_t utcMs) {
    asREVIEWENTRY& entry = m_mapFacts[KeyOf(fact)];
    entry.fact = fact;
    ApplyVerdict(entry.review, verdict, {m_nRun, page, day}, utcMs);
}

void CReviewBook::AddRecorded(const asHISTORYANSWER& answer, const asPROBLEMFACT& problem, int day,
                              int64_t thresholdMs) {
    if (!answer.bFirstTry) return;
    if (answer.nRunKey != m_nRecordedRun) {
        BeginRun();
        m_nRecordedRun = answer.nRunKey;
    }
    asREVIEWFACT fact;
    if (!ReviewFactOf(problem, fact)) return;
    Add(fact, VerdictOf(answer.bRight, answer.bByMagnifier, answer.nElapsedMs, thresholdMs),
        answer.nPage, day, answer.nUtcMs);
}

std::vector<asREVIEWFACT>
CReviewBook::Due(int page, int day, size_t nMax,
                 const std::function<bool(const asREVIEWFACT&)>& fnWanted) const {
    const asPLAYPOINT now{m_nRun, page, day};
    // Each due fact with its place in the order, worked out once; the fact's own key breaks ties,
    // so a book gives the same page whatever the hash map's order.
    std::vector<std::tuple<int64_t, uint64_t, const asREVIEWFACT*>> arrDue;
    for (const auto& [key, entry] : m_mapFacts)
        if (IsDue(entry.review, now) && fnWanted(entry.fact))
            arrDue.emplace_back(OverdueKey(entry.review), key, &entry.fact);
    const size_t nTaken = std::min(nMax, arrDue.size());
    std::partial_sort(arrDue.begin(), arrDue.begin() + long(nTaken), arrDue.end());
    std::vector<asREVIEWFACT> arrFacts;
    for (size_t i = 0; i < nTaken; ++i)
        arrFacts.push_back(*std::get<2>(arrDue[i]));
    return arrFacts;
}

CReviewBook ReviewBookOf(const asHISTORY& history, const asREVIEWREAD& read) {
    std::unordered_set<int64_t> setRuns;
    for (const asRECORDEDRUN& run : history.arrRuns)
        if (run.strChild == read.strChild && run.nStartedUtcMs < read.nBeforeUtcMs)
            setRuns.insert(run.nRunId);
    CReviewBook book;
    CParsedProblems parsed;
    for (const asHISTORYANSWER& answer : history.arrAnswers) {
        if (!answer.bFirstTry || !setRuns.contains(answer.nRunKey)) continue;
        book.AddRecorded(answer, parsed.Of(answer.strProblem, answer.strExpected),
                         LocalDayOf(answer.nUtcMs, read.fnUtcOffsetMs(answer.nUtcMs)),
                         read.nThresholdMs);
    }
    return book;
}

std::optional<CReviewBook> ReadReviewBook(const std::string& path, const asREVIEWREAD& read) {
    const asHISTORYREAD record = ReadHistory(path, BUSY_MS, read.strChild);
    if (record.nStatus == HistoryStatus::MISSING) return CReviewBook();
    if (record.nStatus != HistoryStatus::OK) return std::nullopt;
    return ReviewBookOf(record.history, read);
}
