// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The facts a problem set draws and its plank's name.
#include "facts/ProblemSet.h"

#include "platform/Translate.h"

#include <cstdio>
#include <iterator>

bool SetAsks(int limit, uint32_t kinds, const asREVIEWFACT& fact) {
    const int a = fact.nLeft;
    const int b = fact.nRight;
    if (a < 0 || b < 0) return false;
    // The generator's own ranges.
    if (fact.cSign == '+') return (kinds & SET_ADDS) && a + b <= limit && a + b > 0;
    return (kinds & SET_SUBTRACTS) && a >= 1 && a <= limit && b <= a;
}

std::string SetCaption(int limit) {
    // TRANSLATORS: a problem set's plank: its answers and numbers are at most this limit.
    const char* const format = Tr("%d 以内算术题");
    char caption[96];
    std::snprintf(caption, sizeof caption, format, limit);
    return caption;
}

std::string KindsCaption(uint32_t kinds) {
    // TRANSLATORS: the kinds a problem set asks, listed after its caption.
    const char* const NAMES[] = {Tr("加"),   Tr("减"),       Tr("连加"),
                                 Tr("连减"), Tr("加减混合"), TrIn("problem kind", "填空")};
    std::string text;
    for (uint32_t bit = 0; bit < std::size(NAMES); ++bit)
        if (kinds & (1u << bit)) text += (text.empty() ? "" : Tr("、")) + std::string(NAMES[bit]);
    return text;
}
