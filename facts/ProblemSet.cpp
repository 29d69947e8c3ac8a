// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The facts a problem set draws and its plank's name.
#include "facts/ProblemSet.h"

bool SetAsks(int limit, uint32_t kinds, const asREVIEWFACT& fact) {
    const int a = fact.nLeft;
    const int b = fact.nRight;
    if (a < 0 || b < 0) return false;
    // The generator's own ranges.
    if (fact.cSign == '+') return (kinds & SET_ADDS) && a + b <= limit && a + b > 0;
    return (kinds & SET_SUBTRACTS) && a >= 1 && a <= limit && b <= a;
}

std::string SetCaption(int limit) {
    return std::to_string(limit) + " 以内算术题";
}
