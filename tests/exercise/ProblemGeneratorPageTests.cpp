// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Problem generator: what every page must hold, checked over many random pages.
#include "exercise/ProblemGenerator.h"
#include "tests/exercise/ScriptedRand.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

// One problem read back from its text, with the answer put into the blank.
struct asPARSED {
    std::vector<int> arrNumbers; // the result last
    std::string strSigns;        // "+", "-", "++", "--", "+-" or "-+"
    int nBlank = -1;
};

// Reads "x + ( %s ) = r" strictly: single blanks between tokens, decimal numbers without
// sign or leading zeros, exactly one blank. Fails the test and returns false otherwise.
bool Parse(const std::string& strText, const std::string& strAnswer, asPARSED& parsed) {
    const std::string strBlank = "( %s )";
    const size_t nAt = strText.find(strBlank);
    if (nAt == std::string::npos || std::count(strText.begin(), strText.end(), '%') != 1) {
        ADD_FAILURE() << "no single blank in \"" << strText << "\"";
        return false;
    }
    const std::string strFilled = strText.substr(0, nAt) + "?" + strText.substr(nAt + 6);
    std::vector<std::string> arrTokens;
    std::string strToken;
    std::istringstream in(strFilled);
    while (std::getline(in, strToken, ' '))
        arrTokens.push_back(strToken);
    if (arrTokens.size() != 5 && arrTokens.size() != 7) {
        ADD_FAILURE() << "bad shape \"" << strText << "\"";
        return false;
    }
    auto isNumber = [](const std::string& s) {
        return !s.empty() && s.size() <= 3 && std::all_of(s.begin(), s.end(), ::isdigit) &&
               (s.size() == 1 || s[0] != '0');
    };
    if (!isNumber(strAnswer)) {
        ADD_FAILURE() << "bad answer \"" << strAnswer << "\" for \"" << strText << "\"";
        return false;
    }
    for (size_t i = 0; i < arrTokens.size(); ++i) {
        const std::string& token = arrTokens[i];
        if (i % 2 == 1) {
            const bool bLast = i == arrTokens.size() - 2;
            if (bLast ? token != "=" : token != "+" && token != "-") {
                ADD_FAILURE() << "bad sign in \"" << strText << "\"";
                return false;
            }
            if (!bLast) parsed.strSigns += token;
        } else if (token == "?") {
            parsed.nBlank = static_cast<int>(i / 2);
            parsed.arrNumbers.push_back(std::stoi(strAnswer));
        } else if (isNumber(token)) {
            parsed.arrNumbers.push_back(std::stoi(token));
        } else {
            ADD_FAILURE() << "bad number in \"" << strText << "\"";
            return false;
        }
    }
    return true;
}

uint32_t KindOf(const std::string& strSigns) {
    static const std::map<std::string, uint32_t> kinds = {
        {"+", OP_ADD},    {"-", OP_SUBTRACT}, {"++", OP_CHAIN_ADD}, {"--", OP_CHAIN_SUBTRACT},
        {"+-", OP_MIXED}, {"-+", OP_MIXED}};
    return kinds.at(strSigns);
}

// Checks one problem: the sum holds, every number and intermediate value lies in 0..N, and
// the rules of its kind hold.
void CheckProblem(const asPARSED& p, int N, uint32_t nOperations, const std::string& strText) {
    SCOPED_TRACE(strText);
    const uint32_t nKind = KindOf(p.strSigns);
    EXPECT_NE(nOperations & nKind, 0u) << "kind not in the set";
    for (int n : p.arrNumbers) {
        EXPECT_GE(n, 0);
        EXPECT_LE(n, N);
    }
    const std::vector<int>& v = p.arrNumbers;
    int nValue = v[0];
    for (size_t i = 0; i < p.strSigns.size(); ++i) {
        nValue += p.strSigns[i] == '+' ? v[i + 1] : -v[i + 1];
        EXPECT_GE(nValue, 0) << "intermediate value below 0";
        EXPECT_LE(nValue, N) << "intermediate value above N";
    }
    EXPECT_EQ(nValue, v.back()) << "the sum does not hold";
    switch (nKind) {
    case OP_ADD:
        EXPECT_GE(v[2], 1) << "0 + 0";
        break;
    case OP_SUBTRACT:
        EXPECT_GE(v[0], 1);
        break;
    case OP_CHAIN_ADD:
        EXPECT_LE((v[0] == 0) + (v[1] == 0) + (v[2] == 0), 1) << "two zero addends";
        break;
    case OP_CHAIN_SUBTRACT:
        EXPECT_GE(v[0], 1);
        EXPECT_EQ(v[2] == 0, v[0] == v[1]) << "second subtrahend";
        break;
    default:
        break;
    }
}

const int RANGES[] = {3, 4, 10, 57, 100};
const uint32_t SETS[] = {1, 2, 4, 8, 16, 3, 12, 31, 35, 2 | 32, 4 | 32, 8 | 32, 16 | 32, 63};

struct asPAGE {
    std::vector<std::string> arrProblems;
    std::vector<std::string> arrAnswers;
};

// Sixty pages in a row from one seeded source, as a long run would draw them.
std::vector<asPAGE> ManyPages(int N, uint32_t nOperations) {
    auto fnRand = ScriptedRand({}, static_cast<unsigned>(N * 1000) + nOperations);
    std::vector<asPAGE> arrPages(60);
    for (asPAGE& page : arrPages)
        GenerateProblems(page.arrProblems, page.arrAnswers, ExerciseSet{N, 0, nOperations}, fnRand);
    return arrPages;
}

std::string Trace(int N, uint32_t nOperations) {
    return "N = " + std::to_string(N) + ", kinds " + std::to_string(nOperations);
}

} // namespace

TEST(ProblemGeneratorPages, EveryProblemIsARightSumWithinTheLimitAndOfAKindOfTheSet) {
    for (int N : RANGES) {
        for (uint32_t nOperations : SETS) {
            SCOPED_TRACE(Trace(N, nOperations));
            for (const asPAGE& page : ManyPages(N, nOperations)) {
                ASSERT_EQ(page.arrProblems.size(), page.arrAnswers.size());
                for (size_t i = 0; i < page.arrProblems.size(); ++i) {
                    asPARSED parsed;
                    if (Parse(page.arrProblems[i], page.arrAnswers[i], parsed))
                        CheckProblem(parsed, N, nOperations, page.arrProblems[i]);
                }
            }
        }
    }
}

TEST(ProblemGeneratorPages, NoTextOccursTwiceOnAPage) {
    for (int N : RANGES) {
        for (uint32_t nOperations : SETS) {
            for (const asPAGE& page : ManyPages(N, nOperations)) {
                const std::set<std::string> texts(page.arrProblems.begin(), page.arrProblems.end());
                EXPECT_EQ(texts.size(), page.arrProblems.size()) << Trace(N, nOperations);
            }
        }
    }
}

TEST(ProblemGeneratorPages, BlankIsOnTheResultUnlessFillInIsSetThenOnEveryPosition) {
    for (int N : RANGES) {
        for (uint32_t nOperations : SETS) {
            SCOPED_TRACE(Trace(N, nOperations));
            const bool bFill = (nOperations & OP_FILL_BLANK) != 0;
            // Blank positions seen, by the count of numbers in the problem (3 or 4).
            std::map<size_t, std::set<int>> seen;
            for (const asPAGE& page : ManyPages(N, nOperations)) {
                for (size_t i = 0; i < page.arrProblems.size(); ++i) {
                    asPARSED parsed;
                    if (!Parse(page.arrProblems[i], page.arrAnswers[i], parsed)) continue;
                    const size_t nNumbers = parsed.arrNumbers.size();
                    if (!bFill) {
                        EXPECT_EQ(parsed.nBlank, static_cast<int>(nNumbers) - 1)
                            << page.arrProblems[i];
                    }
                    seen[nNumbers].insert(parsed.nBlank);
                }
            }
            if (bFill) {
                for (const auto& [nNumbers, positions] : seen)
                    EXPECT_EQ(positions.size(), nNumbers) << nNumbers << " numbers";
            }
        }
    }
}

// Only the six known bits of nOperations mean anything: a set loaded with a stray bit (say
// 64 + addition) must neither hang the generator nor change the page its known bits give.
TEST(ProblemGeneratorUnknownBits, EveryExtraBitLeavesThePageOfTheKnownBitsUnchanged) {
    for (uint32_t known = 1; known < 64; ++known) {
        if ((known & 31) == 0) continue; // no kind at all: covered by the empty-page tests
        for (int range : {3, 4, 7, 100}) {
            std::vector<std::string> expectedProblems, expectedAnswers;
            const unsigned seed = known * 131 + unsigned(range);
            GenerateProblems(expectedProblems, expectedAnswers, ExerciseSet{range, 2, known},
                             ScriptedRand({}, seed));
            for (int bit = 6; bit < 32; ++bit) {
                std::vector<std::string> problems, answers;
                const ExerciseSet set{range, 2, known | (1u << bit)};
                ASSERT_NO_THROW(GenerateProblems(problems, answers, set, ScriptedRand({}, seed)))
                    << known << " + bit " << bit << " within " << range;
                ASSERT_EQ(problems, expectedProblems) << known << " + bit " << bit;
                ASSERT_EQ(answers, expectedAnswers) << known << " + bit " << bit;
            }
        }
    }
}

TEST(ProblemGeneratorUnknownBits, AnySetAtAllGivesAFinitePage) {
    std::mt19937 engine(20131120);
    std::uniform_int_distribution<uint32_t> any;
    for (int i = 0; i < 3000; ++i) {
        const ExerciseSet set{int32_t(any(engine)), int32_t(any(engine)), any(engine)};
        std::vector<std::string> problems, answers;
        int count = -1;
        ASSERT_NO_THROW(count = GenerateProblems(problems, answers, set, ScriptedRand({}, i)))
            << set.nRange << " " << set.nOperations;
        const bool anyKind = (set.nOperations & 31) != 0;
        EXPECT_EQ(count > 0, anyKind) << set.nOperations;
        EXPECT_LE(count, 12);
        EXPECT_EQ(size_t(count), problems.size());
    }
}
