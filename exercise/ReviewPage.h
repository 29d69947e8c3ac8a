// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Review on a page: which facts a problem set can ask, and the due ones put on a drawn page in
// place of some of its problems.
#pragma once

#include "exercise/ExerciseSet.h"
#include "facts/ReviewBook.h"

#include <functional>
#include <string>
#include <vector>

// At most this share of a page is review: 3 of 12, 2 of 9 or 10.
constexpr int REVIEW_SHARE_DIVISOR = 4;
int ReviewSlots(int pageSize);

// True when set draws problems asking fact: an addition within its limit when it draws additions,
// a subtraction within its limit when it draws subtractions. Chains and mixed problems are not
// reviewed.
bool SetCanAsk(const ExerciseSet& set, const asREVIEWFACT& fact);

// The due facts of the current child, most overdue first, at most nMax, each one for which
// fnWanted is true.
using DueFactsFn = std::function<std::vector<asREVIEWFACT>(
    size_t nMax, const std::function<bool(const asREVIEWFACT&)>& fnWanted)>;

// Puts due facts the set can ask and the page does not already ask in place of drawn problems, at
// most ReviewSlots, at places spread over the page; a due fact the page already asks is left
// where it stands. A set that draws blanks shows a review fact in one of its blank forms (drawn
// with fnRand). Returns a flag a problem: true where a review problem stands.
std::vector<bool> PlaceReviewProblems(std::vector<std::string>& arrProblems,
                                      std::vector<std::string>& arrAnswers, const ExerciseSet& set,
                                      const DueFactsFn& fnDue, const std::function<int()>& fnRand);
