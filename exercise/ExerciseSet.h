// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// One problem set: the number limit and the kinds of problems drawn from it.
#pragma once

#include <cstdint>

struct ExerciseSet {
    int32_t nRange = 0;       // number limit N; the settings panel keeps it in 3..100
    int32_t nReserved = 0;    // kept in the data file unchanged; nothing reads it
    uint32_t nOperations = 0; // OperationFlags
};

enum OperationFlags : uint32_t {
    OP_ADD = 1,
    OP_SUBTRACT = 2,
    OP_CHAIN_ADD = 4,
    OP_CHAIN_SUBTRACT = 8,
    OP_MIXED = 16,
    OP_FILL_BLANK = 32,
};

constexpr int EXERCISE_SET_COUNT = 8;

// The number limits a set may have; a limit from elsewhere (an edited data file) is brought inside.
constexpr int32_t RANGE_MIN = 3;
constexpr int32_t RANGE_MAX = 100;
