// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A random source for tests: a script of values first, then a seeded generator.
#pragma once

#include <climits>
#include <cstddef>
#include <functional>
#include <memory>
#include <random>
#include <stdexcept>
#include <vector>

struct asSCRIPTEDRAND {
    std::vector<int> arrValues;
    size_t nNext = 0;
    long long nCalls = 0;
    std::mt19937 engine{12345};
};

// Returns the scripted values in order, then non-negative values from a generator seeded
// with seed. pState, when given, receives the shared state so a test can count the draws.
// A caller that keeps drawing past a million values gets an exception, so a generator that
// loops without end fails its test instead of hanging it.
inline std::function<int()> ScriptedRand(std::vector<int> arrValues, unsigned seed = 12345,
                                         std::shared_ptr<asSCRIPTEDRAND>* pState = nullptr) {
    auto state = std::make_shared<asSCRIPTEDRAND>();
    state->arrValues = std::move(arrValues);
    state->engine.seed(seed);
    if (pState) *pState = state;
    return [state] {
        if (++state->nCalls > 1'000'000)
            throw std::runtime_error("the random source was asked a million times");
        if (state->nNext < state->arrValues.size()) return state->arrValues[state->nNext++];
        return std::uniform_int_distribution<int>(0, INT_MAX)(state->engine);
    };
}
