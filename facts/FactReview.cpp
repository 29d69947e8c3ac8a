// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The review schedule of one fact.
#include "facts/FactReview.h"

#include <algorithm>
#include <tuple>

namespace {

constexpr int64_t DAY_MS = 24 * 60 * 60 * 1000;

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
    review.lastAsked = point;
    if (verdict == Verdict::MISSED) {
        if (review.nStage != ReviewStage::MISSED) review.nSinceUtcMs = utcMs;
        review.nStage = ReviewStage::MISSED;
        review.nFluentInRow = 0;
        return;
    }
    switch (review.nStage) {
    case ReviewStage::MISSED:
        // Slow breaks the row; the fact stays missed and comes back on the next page.
        review.nFluentInRow = verdict == Verdict::FLUENT ? review.nFluentInRow + 1 : 0;
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
    if (review.nStage != ReviewStage::SLOW) review.nSinceUtcMs = utcMs;
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

bool MoreOverdue(const asFACTREVIEW& a, const asFACTREVIEW& b) {
    auto key = [](const asFACTREVIEW& review) {
        const int64_t since =
            review.nStage == ReviewStage::SPACED ? review.nDueDay : review.nSinceUtcMs;
        return std::tuple(int(review.nStage), since);
    };
    return key(a) < key(b);
}

int LocalDayOf(int64_t utcMs, int64_t offsetMs) {
    const int64_t local = utcMs + offsetMs;
    return int(local >= 0 ? local / DAY_MS : (local - DAY_MS + 1) / DAY_MS);
}
