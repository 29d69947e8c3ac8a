// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The fact grid's colour rule.
#include "facts/FactState.h"

#include <algorithm>

FactState StateOfTries(std::span<const asFACTTRY> arrTries, int64_t thresholdMs) {
    if (arrTries.empty()) return FactState::GREY;
    const asFACTTRY& last = arrTries.back();
    if (!last.bRight || last.bByMagnifier) return FactState::RED;
    const size_t nWindow = std::min(arrTries.size(), size_t(FLUENCY_WINDOW));
    const auto nFluent = std::count_if(
        arrTries.end() - long(nWindow), arrTries.end(), [&](const asFACTTRY& attempt) {
            return attempt.bRight && !attempt.bByMagnifier && attempt.nElapsedMs <= thresholdMs;
        });
    return nFluent >= FLUENT_NEEDED ? FactState::GREEN : FactState::YELLOW;
}

const char* StateKey(FactState state) {
    switch (state) {
    case FactState::RED:
        return "red";
    case FactState::YELLOW:
        return "yellow";
    case FactState::GREEN:
        return "green";
    default:
        return "grey";
    }
}
