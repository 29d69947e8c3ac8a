// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What a problem set asks, as its limit and kinds (the bits the data file and the record keep)
// say: which single additions and subtractions it draws, and the name its plank carries.
#pragma once

#include "facts/ReviewBook.h"

#include <cstdint>
#include <string>

// The kinds' bits of single additions and subtractions.
constexpr uint32_t SET_ADDS = 1;
constexpr uint32_t SET_SUBTRACTS = 2;

// True when a set of limit and kinds draws fact: additions a + b ≤ limit but never 0 + 0 when it
// adds, subtractions 1 ≤ a ≤ limit with b ≤ a when it subtracts.
bool SetAsks(int limit, uint32_t kinds, const asREVIEWFACT& fact);

// "8 以内算术题" (UTF-8): the plank's caption for a set of limit.
std::string SetCaption(int limit);
// "加、减、填空" (UTF-8): the kinds' bits named as the title's hints name them.
std::string KindsCaption(uint32_t kinds);
