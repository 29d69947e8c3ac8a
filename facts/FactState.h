// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How well a fact is known, from its tries: the four colours of the fact grid.
#pragma once

#include <cstdint>
#include <span>

enum class FactState { GREY, RED, YELLOW, GREEN };

// One time a fact was asked (a problem on a page), judged by the child's first answer to it:
// right or not, how long it took, and whether the magnifier gave the answer away at any point.
struct asFACTTRY {
    bool bRight = false;
    bool bByMagnifier = false;
    int64_t nElapsedMs = 0;
};

// How many of the latest tries decide green, and how many of those must be fluent.
constexpr int FLUENCY_WINDOW = 3;
constexpr int FLUENT_NEEDED = 2;
constexpr int64_t DEFAULT_THRESHOLD_MS = 6000;

// Tries oldest first. Grey: none. Red: the last was wrong or given away by the magnifier. Green:
// at least FLUENT_NEEDED of the last FLUENCY_WINDOW were right within thresholdMs. Else yellow.
FactState StateOfTries(std::span<const asFACTTRY> arrTries, int64_t thresholdMs);

// "grey", "red", "yellow", "green" for data attributes and style classes.
const char* StateKey(FactState state);
