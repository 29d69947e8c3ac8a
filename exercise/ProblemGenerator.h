// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// One page of problems for a problem set: the problem texts with their blank and the answers.
#pragma once

#include "exercise/ExerciseSet.h"

#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The blank that stands in a problem text for the number to be typed; the screen formats it
// with the typed answer, the answer or an empty text.
constexpr const char* PROBLEM_BLANK = "( %s )";

// Empties both lists, then fills them with one page of different problems drawn from set and
// returns how many there are (9, 10 or 12; 0 for a set with no kind of problem). Every number
// comes from fnRand() % m, in a fixed order, so a scripted source replays a page exactly.
// "x + y = ( %s )" or another of its forms: the number at nBlank (0, 1 or 2: the result) is the
// blank, and answer gets it.
std::string TwoNumberProblem(int x, char sign, int y, int nBlank, std::string& answer);

// A problem as the answer record and the facts read it, without spaces and with the blank as
// U+25A1: "3 + 5 = ( %s )" gives "3+5=□".
std::string ProblemAsRecorded(std::string_view problem);

int GenerateProblems(
    std::vector<std::string>& arrProblems, std::vector<std::string>& arrAnswers,
    const ExerciseSet& set, const std::function<int()>& fnRand = [] { return std::rand(); });
