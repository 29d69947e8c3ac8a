// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The problem generator: page size, kind draws, number draws and duplicate rejection.
#include "exercise/ProblemGenerator.h"

#include "facts/ProblemFact.h"

#include <algorithm>
#include <array>

namespace {

constexpr int PAGE_SIZE = 12;
constexpr int CHAIN_ADD_PAGE_SIZE = 10; // exactly ten chain additions exist within 3
constexpr uint32_t KIND_BITS = OP_ADD | OP_SUBTRACT | OP_CHAIN_ADD | OP_CHAIN_SUBTRACT | OP_MIXED;
// The bits the settings panel sets; any other bit of a loaded set has no meaning.
constexpr uint32_t OPERATION_BITS = KIND_BITS | OP_FILL_BLANK;
constexpr std::array<uint32_t, 5> KIND_TABLE = {OP_ADD, OP_SUBTRACT, OP_CHAIN_ADD,
                                                OP_CHAIN_SUBTRACT, OP_MIXED};

// A drawn problem: its numbers in the order they stand (the result last) and the signs
// between them.
struct asPROBLEM {
    std::array<int, 4> arrNumbers{};
    std::array<const char*, 3> arrSigns{};
    int nCount = 0; // numbers shown, the result included
};

// Decided by the whole set of known bits: a stray unknown bit must not take a single-kind set
// out of its small page, or the page would ask for more problems than exist.
int PageSize(uint32_t nAllBits, int nRange) {
    const uint32_t nOperations = nAllBits & OPERATION_BITS;
    if (nOperations == OP_ADD || nOperations == OP_SUBTRACT) {
        // As many additions (and as many subtractions) exist within N.
        const int nExisting = nRange + nRange * (nRange + 1) / 2;
        return std::min(nExisting, PAGE_SIZE);
    }
    if (nOperations == OP_CHAIN_ADD) return CHAIN_ADD_PAGE_SIZE;
    return PAGE_SIZE;
}

// Draws the numbers of one kind; N is at least 3, so no modulus below is 0.
asPROBLEM DrawNumbers(uint32_t nKind, int N, const std::function<int()>& fnRand) {
    asPROBLEM problem;
    auto set2 = [&](int x, const char* pSign, int y, int r) {
        problem.arrNumbers = {x, y, r, 0};
        problem.arrSigns = {pSign, "=", nullptr};
        problem.nCount = 3;
    };
    auto set3 = [&](int x, const char* pSign1, int y, const char* pSign2, int z, int r) {
        problem.arrNumbers = {x, y, z, r};
        problem.arrSigns = {pSign1, pSign2, "="};
        problem.nCount = 4;
    };
    switch (nKind) {
    case OP_ADD: {
        const int x = fnRand() % (N + 1);
        const int y = x == 0 ? fnRand() % N + 1 : fnRand() % (N - x + 1);
        set2(x, "+", y, x + y);
        break;
    }
    case OP_SUBTRACT: {
        const int x = fnRand() % N + 1;
        const int y = fnRand() % (x + 1);
        set2(x, "-", y, x - y);
        break;
    }
    case OP_CHAIN_ADD: {
        // At most one addend is 0.
        const int x = fnRand() % N;
        int y = 0;
        int z = 0;
        if (x == 0) {
            y = fnRand() % (N - 1) + 1;
            z = fnRand() % (N - y) + 1;
        } else {
            y = fnRand() % (N - x + 1);
            z = y == 0 ? fnRand() % (N - x) + 1 : fnRand() % (N - x - y + 1);
        }
        set3(x, "+", y, "+", z, x + y + z);
        break;
    }
    case OP_CHAIN_SUBTRACT: {
        const int x = fnRand() % N + 1;
        const int y = fnRand() % (x + 1);
        const int z = x - y == 0 ? 0 : fnRand() % (x - y) + 1;
        set3(x, "-", y, "-", z, x - y - z);
        break;
    }
    default: { // OP_MIXED
        if (fnRand() % 2 == 0) {
            const int x = fnRand() % (N + 1);
            // The value for y is taken before x is looked at.
            const int v = fnRand();
            const int y = x == 0 ? v % N + 1 : v % (N - x + 1);
            const int z = fnRand() % (x + y + 1);
            set3(x, "+", y, "-", z, x + y - z);
        } else {
            const int x = fnRand() % N + 1;
            const int y = fnRand() % (x + 1);
            const int z = fnRand() % (N - x + y + 1);
            set3(x, "-", y, "+", z, x - y + z);
        }
        break;
    }
    }
    return problem;
}

// "x + y = r" with the number at nBlank replaced by the blank.
std::string ProblemText(const asPROBLEM& problem, int nBlank) {
    std::string strText;
    for (int i = 0; i < problem.nCount; ++i) {
        if (i > 0) {
            strText += ' ';
            strText += problem.arrSigns[i - 1];
            strText += ' ';
        }
        strText += i == nBlank ? PROBLEM_BLANK : std::to_string(problem.arrNumbers[i]);
    }
    return strText;
}

} // namespace

std::string TwoNumberProblem(int x, char sign, int y, int nBlank, std::string& answer) {
    asPROBLEM problem;
    problem.arrNumbers = {x, y, sign == '+' ? x + y : x - y, 0};
    problem.arrSigns = {sign == '+' ? "+" : "-", "=", nullptr};
    problem.nCount = 3;
    answer = std::to_string(problem.arrNumbers[size_t(nBlank)]);
    return ProblemText(problem, nBlank);
}

std::string ProblemAsRecorded(std::string_view problem) {
    const std::string_view blank = PROBLEM_BLANK;
    std::string shown;
    for (size_t i = 0; i < problem.size(); ++i) {
        if (problem.substr(i, blank.size()) == blank) {
            shown += RECORD_BLANK;
            i += blank.size() - 1;
        } else if (problem[i] != ' ') {
            shown += problem[i];
        }
    }
    return shown;
}

int GenerateProblems(std::vector<std::string>& arrProblems, std::vector<std::string>& arrAnswers,
                     const ExerciseSet& set, const std::function<int()>& fnRand) {
    if (!fnRand) // an unset source means the C library's
        return GenerateProblems(arrProblems, arrAnswers, set);
    arrProblems.clear();
    arrAnswers.clear();
    const uint32_t nOperations = set.nOperations;
    // Without a kind no draw would ever be accepted.
    if ((nOperations & KIND_BITS) == 0) return 0;
    // An old data file can hold a limit of 0; below 3 some moduli are 0 and some kinds have
    // fewer problems than a page.
    const int N = std::clamp(static_cast<int>(set.nRange), RANGE_MIN, RANGE_MAX);
    const bool bFillBlank = (nOperations & OP_FILL_BLANK) != 0;
    const auto nCount = static_cast<size_t>(PageSize(nOperations, N));

    while (arrProblems.size() < nCount) {
        const uint32_t nKind = KIND_TABLE[fnRand() % static_cast<int>(KIND_TABLE.size())];
        if ((nOperations & nKind) == 0) continue;
        const bool bTwoNumbers = nKind == OP_ADD || nKind == OP_SUBTRACT;
        const int nResultPos = bTwoNumbers ? 2 : 3;
        // The blank position is drawn before the numbers (and before the mixed form).
        const int nBlank = bFillBlank ? fnRand() % (nResultPos + 1) : nResultPos;
        const asPROBLEM problem = DrawNumbers(nKind, N, fnRand);

        std::string strText = ProblemText(problem, nBlank);
        // Texts hold only digits, blanks and signs, so equality is the case-blind comparison.
        if (std::find(arrProblems.begin(), arrProblems.end(), strText) != arrProblems.end())
            continue;
        arrProblems.push_back(std::move(strText));
        arrAnswers.push_back(std::to_string(problem.arrNumbers[nBlank]));
    }
    return static_cast<int>(arrProblems.size());
}
