// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The review schedule of one fact.
#include "facts/FactReview.h"

#include <algorithm>
#include <climits>

namespace {

constexpr int64_t DAY_MS = 24 * 60 * 60 * 1000;
constexpr int64_t FRESH_MISS_FIRST = INT64_MIN / 2;

void StartSpacing(asFACTREVIEW& review, int step, int day) {
    review.nStage = ReviewStage::SPACED;
    review.nStep = std::min(step, int(REVIEW_DAYS.size()) - 1);
    review.nDueDay = day + REVIEW_DAYS[size_t(review.nStep)];
    review.nFluentInRow = 0;
}

} // namespace

Verdict VerdictOf(bool bRight, bool bByMagnifier, int64_t elapsedMs, int64_t thresholdMs) {
    if (!bRight || bByMagnifier) return Verdict::MISSED;
    return elapsedMs <= thresholdMs ? Verdict::FLUENT : Verdict::SLOW;
}

void ApplyVerdict(asFACTREVIEW& review, Verdict verdict, const asPLAYPOINT& point, int64_t utcMs) {
    const bool bWasDue = IsDue(review, point);
    // A page with blanks may ask one fact in two forms: the row counts pages, not answers.
    const bool bSamePage =
        review.lastAsked.nRun == point.nRun && review.lastAsked.nPage == point.nPage;
    review.lastAsked = point;
    review.nLastUtcMs = utcMs;
    review.bFreshMiss = verdict == Verdict::MISSED;
    if (verdict == Verdict::MISSED) {
        review.nStage = ReviewStage::MISSED;
        review.nFluentInRow = 0;
        return;
    }
    switch (review.nStage) {
    case ReviewStage::MISSED:
        // Slow breaks the row; the fact stays missed and comes back on the next page.
        if (verdict == Verdict::SLOW)
            review.nFluentInRow = 0;
        else if (!bSamePage)
            ++review.nFluentInRow;
        if (review.nFluentInRow >= FLUENT_IN_A_ROW) StartSpacing(review, 0, point.nDay);
        return;
    case ReviewStage::SPACED:
        if (verdict == Verdict::SLOW) break;
        // Asked before its day by chance: the step waits for the re-check it was meant to be.
        if (bWasDue) StartSpacing(review, review.nStep + 1, point.nDay);
        return;
    default:
        if (verdict == Verdict::FLUENT) {
            StartSpacing(review, 0, point.nDay);
            return;
        }
        break;
    }
    // Slow: it comes back later in the day's play.
    review.nStage = ReviewStage::SLOW;
}

bool IsDue(const asFACTREVIEW& review, const asPLAYPOINT& now) {
    const bool bSameRun = now.nRun == review.lastAsked.nRun;
    switch (review.nStage) {
    case ReviewStage::MISSED:
        return !bSameRun || now.nPage > review.lastAsked.nPage;
    case ReviewStage::SLOW:
        return !bSameRun || now.nPage >= review.lastAsked.nPage + SLOW_PAGES_LATER;
    case ReviewStage::SPACED:
        return now.nDay >= review.nDueDay;
    default:
        return false;
    }
}

int64_t OverdueKey(const asFACTREVIEW& review) {
    // Fresh misses before everything else: no moment of play comes before 1970.
    if (review.nStage == ReviewStage::MISSED && review.bFreshMiss)
        return review.nLastUtcMs + FRESH_MISS_FIRST;
    return review.nStage == ReviewStage::SPACED ? int64_t(review.nDueDay) * DAY_MS
                                                : review.nLastUtcMs;
}

int LocalDayOf(int64_t utcMs, int64_t offsetMs) {
    const int64_t local = utcMs + offsetMs;
    return int(local >= 0 ? local / DAY_MS : (local - DAY_MS + 1) / DAY_MS);
}
