// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Problem texts of the record: their kind, the fact a blank hides, and texts not understood.
#include "facts/ProblemFact.h"

#include <gtest/gtest.h>

namespace {

struct asPARSECASE {
    const char* pProblem;
    const char* pExpected;
    ProblemKind nKind;
    const char* pFact;
    bool bGrid;
};

TEST(ProblemFact, KindsAndFactsOfEveryFormTheGameShows) {
    const asPARSECASE arrCases[] = {
        {"3+5=□", "8", ProblemKind::ADDITION, "3+5", true},
        {"12-5=□", "7", ProblemKind::SUBTRACTION, "12-5", true},
        {"□+3=8", "5", ProblemKind::FILL_BLANK, "5+3", true},
        {"5+□=8", "3", ProblemKind::FILL_BLANK, "5+3", true},
        {"12-□=7", "5", ProblemKind::FILL_BLANK, "12-5", true},
        {"□-5=7", "12", ProblemKind::FILL_BLANK, "12-5", true},
        {"9-2-3=□", "4", ProblemKind::CHAIN, "9-2-3", false},
        {"1+2+3=□", "6", ProblemKind::CHAIN, "1+2+3", false},
        {"4+5-2=□", "7", ProblemKind::MIXED, "4+5-2", false},
        {"9-4+2=□", "7", ProblemKind::MIXED, "9-4+2", false},
        {"9-□-3=4", "2", ProblemKind::FILL_BLANK, "9-2-3", false},
        {"3 + 5 = □", "8", ProblemKind::ADDITION, "3+5", true}, // spaces as on screen
        {"0+0=□", "0", ProblemKind::ADDITION, "0+0", true},
        {"20-0=□", "20", ProblemKind::SUBTRACTION, "20-0", true},
        {"15+6=□", "21", ProblemKind::ADDITION, "15+6", false}, // beyond 20: not on the grid
        {"21-3=□", "18", ProblemKind::SUBTRACTION, "21-3", false},
        {"□+45=100", "55", ProblemKind::FILL_BLANK, "55+45", false},
    };
    for (const asPARSECASE& c : arrCases) {
        const asPROBLEMFACT fact = ParseProblem(c.pProblem, c.pExpected);
        EXPECT_EQ(fact.nKind, c.nKind) << c.pProblem;
        EXPECT_EQ(fact.strFact, c.pFact) << c.pProblem;
        EXPECT_EQ(IsGridFact(fact), c.bGrid) << c.pProblem;
    }
}

TEST(ProblemFact, TextsThatAreNotProblemsOrDoNotAddUpAreUnknown) {
    const std::pair<const char*, const char*> arrCases[] = {
        {"", "1"},           {"3+5", "8"},         {"3+5=8", "8"},  // no blank
        {"□+□=8", "4"},      {"3+5=□", "9"},       {"3+5=□", ""},   // two blanks, false, none
        {"3*5=□", "15"},     {"-3+5=□", "2"},      {"3++5=□", "8"}, // signs out of place
        {"1+2+3+4=□", "10"}, {"3+5=□=8", "8"},     {"3+5=□", "8a"}, // too long, two =, junk
        {"3+5=?", "8"},      {"9999999+1=□", "1"}, {"3+5=□", "-8"},
    };
    for (const auto& [problem, expected] : arrCases) {
        const asPROBLEMFACT fact = ParseProblem(problem, expected);
        EXPECT_EQ(fact.nKind, ProblemKind::UNKNOWN) << problem << " " << expected;
        EXPECT_TRUE(fact.strFact.empty()) << problem;
        EXPECT_FALSE(IsGridFact(fact)) << problem;
    }
}

TEST(ProblemFact, AWrongAnswerIsWrittenIntoTheBlank) {
    EXPECT_EQ(FillRecordedBlank("□+3=8", "4"), "4+3=8");
    EXPECT_EQ(FillRecordedBlank("3+5=□", "9"), "3+5=9");
    EXPECT_EQ(FillRecordedBlank("3+5=8", "9"), "3+5=8");
}

} // namespace
