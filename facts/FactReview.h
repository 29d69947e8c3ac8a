// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// When one fact comes back for review: a missed fact on the next page until it is fluent twice in
// a row, a slow one later the same day, a fluent one after 1, 3, 7, 21 and then 60 days.
#pragma once

#include <array>
#include <cstdint>

// What the first answer to a problem says about its fact.
enum class Verdict { MISSED, SLOW, FLUENT };

// Wrong at the first try or given away by the magnifier: missed. Right within thresholdMs:
// fluent. Right but slower: slow.
Verdict VerdictOf(bool bRight, bool bByMagnifier, int64_t elapsedMs, int64_t thresholdMs);

enum class ReviewStage {
    NEW,    // never asked
    MISSED, // due on every later page until fluent twice in a row
    SLOW,   // due SLOW_PAGES_LATER pages later in its run, or in any later run
    SPACED, // fluent: due again on nDueDay
};

// The days between fluent re-checks; the last one repeats.
constexpr std::array<int, 5> REVIEW_DAYS = {1, 3, 7, 21, 60};
constexpr int FLUENT_IN_A_ROW = 2;
constexpr int SLOW_PAGES_LATER = 2;

// Where a fact was asked, or where the child is now: runs counted from the child's first, pages
// from 1 within a run, local days since 1970-01-01.
struct asPLAYPOINT {
    int64_t nRun = 0;
    int nPage = 1;
    int nDay = 0;
};

struct asFACTREVIEW {
    ReviewStage nStage = ReviewStage::NEW;
    asPLAYPOINT lastAsked;
    int64_t nLastUtcMs = 0;  // when it was last asked
    bool bFreshMiss = false; // MISSED: not asked again since the miss
    int nFluentInRow = 0;    // MISSED: fluent answers since the last miss, one a page
    int nStep = 0;           // SPACED: the step of REVIEW_DAYS reached
    int nDueDay = 0;         // SPACED: the first day it is due
};

// The fact was asked at point and its first answer said verdict (at utcMs).
void ApplyVerdict(asFACTREVIEW& review, Verdict verdict, const asPLAYPOINT& point, int64_t utcMs);

bool IsDue(const asFACTREVIEW& review, const asPLAYPOINT& now);

// Smaller comes first among due facts: a fact missed and not asked since comes back first (the
// oldest miss first), so that a miss meets the next page even while older ones wait; then the
// longest overdue, whatever its stage (missed or slow since it was last asked, spaced since its
// day began).
int64_t OverdueKey(const asFACTREVIEW& review);

// Local days since 1970-01-01 of a UTC moment, given the local clock's offset then.
int LocalDayOf(int64_t utcMs, int64_t offsetMs);
