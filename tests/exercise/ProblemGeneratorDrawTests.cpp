// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Problem generator: the order of the draws, the page sizes and the sets it must survive.
#include "exercise/ProblemGenerator.h"
#include "tests/exercise/ScriptedRand.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

struct asPAGE {
    std::vector<std::string> arrProblems;
    std::vector<std::string> arrAnswers;
    int nReturned = -1;
};

asPAGE Generate(int nRange, uint32_t nOperations, const std::function<int()>& fnRand) {
    asPAGE page;
    page.nReturned = GenerateProblems(page.arrProblems, page.arrAnswers,
                                      ExerciseSet{nRange, 0, nOperations}, fnRand);
    return page;
}

std::function<int()> BoundedRand(unsigned seed) {
    return ScriptedRand({}, seed);
}

std::set<std::string> AsSet(const std::vector<std::string>& arr) {
    return {arr.begin(), arr.end()};
}

} // namespace

TEST(ProblemGeneratorDraws, WorkedExampleGivesTheTwoProblemsItDescribes) {
    // The nine values of the example, then a third problem that shows they were all used:
    // kind 0 (addition), blank 0, x = 1, y = 0.
    const asPAGE page = Generate(5, 35, ScriptedRand({5, 7, 8, 9, 3, 1, 2, 4, 2, 0, 0, 1, 0}));
    ASSERT_EQ(page.arrProblems.size(), 12u);
    EXPECT_EQ(page.arrProblems[0], "2 + ( %s ) = 3");
    EXPECT_EQ(page.arrAnswers[0], "1");
    EXPECT_EQ(page.arrProblems[1], "5 - 2 = ( %s )");
    EXPECT_EQ(page.arrAnswers[1], "3");
    EXPECT_EQ(page.arrProblems[2], "( %s ) + 0 = 1");
    EXPECT_EQ(page.arrAnswers[2], "1");
}

TEST(ProblemGeneratorDraws, ChainAdditionDrawsFollowTheZeroRules) {
    const asPAGE page = Generate(5, OP_CHAIN_ADD,
                                 ScriptedRand({2, 0, 7, 9,    // x = 0: y = 7 % 4 + 1, z = 9 % 1 + 1
                                               2, 2, 3, 8,    // y = 3: z = 8 % 1
                                               2, 1, 0, 6})); // y = 0: z = 6 % 4 + 1
    ASSERT_EQ(page.arrProblems.size(), 10u);
    EXPECT_EQ(page.arrProblems[0], "0 + 4 + 1 = ( %s )");
    EXPECT_EQ(page.arrAnswers[0], "5");
    EXPECT_EQ(page.arrProblems[1], "2 + 3 + 0 = ( %s )");
    EXPECT_EQ(page.arrAnswers[1], "5");
    EXPECT_EQ(page.arrProblems[2], "1 + 0 + 3 = ( %s )");
    EXPECT_EQ(page.arrAnswers[2], "4");
}

TEST(ProblemGeneratorDraws, ChainSubtractionTakesNoDrawWhenNothingIsLeft) {
    // 3 - 3 leaves nothing: the second subtrahend is 0 without a draw, so the next value (3)
    // already picks the kind of the second problem.
    const asPAGE page = Generate(5, OP_CHAIN_SUBTRACT, ScriptedRand({3, 2, 3, 3, 4, 1, 7}));
    ASSERT_EQ(page.arrProblems.size(), 12u);
    EXPECT_EQ(page.arrProblems[0], "3 - 3 - 0 = ( %s )");
    EXPECT_EQ(page.arrAnswers[0], "0");
    EXPECT_EQ(page.arrProblems[1], "5 - 1 - 4 = ( %s )");
    EXPECT_EQ(page.arrAnswers[1], "0");
}

TEST(ProblemGeneratorDraws, MixedFormZeroTakesTheValueForYBeforeLookingAtX) {
    const asPAGE page = Generate(10, OP_MIXED,
                                 ScriptedRand({4, 0, 3, 20, 5,   // y = 20 % 8
                                               4, 0, 0, 25, 2,   // x = 0: y = 25 % 10 + 1
                                               4, 1, 6, 3, 9})); // form 1: 7 - 3 + 2
    ASSERT_EQ(page.arrProblems.size(), 12u);
    EXPECT_EQ(page.arrProblems[0], "3 + 4 - 5 = ( %s )");
    EXPECT_EQ(page.arrAnswers[0], "2");
    EXPECT_EQ(page.arrProblems[1], "0 + 6 - 2 = ( %s )");
    EXPECT_EQ(page.arrAnswers[1], "4");
    EXPECT_EQ(page.arrProblems[2], "7 - 3 + 2 = ( %s )");
    EXPECT_EQ(page.arrAnswers[2], "6");
}

TEST(ProblemGeneratorDraws, BlankPositionIsDrawnBeforeTheMixedForm) {
    const asPAGE page =
        Generate(10, OP_MIXED | OP_FILL_BLANK, ScriptedRand({4, 1, 0, 3, 20, 5, 9, 3, 1, 6, 3, 9}));
    ASSERT_EQ(page.arrProblems.size(), 12u);
    EXPECT_EQ(page.arrProblems[0], "3 + ( %s ) - 5 = 2");
    EXPECT_EQ(page.arrAnswers[0], "4");
    EXPECT_EQ(page.arrProblems[1], "7 - 3 + 2 = ( %s )"); // p = 3, form 1
    EXPECT_EQ(page.arrAnswers[1], "6");
}

TEST(ProblemGeneratorDraws, DuplicateTextIsDroppedButAnotherBlankIsANewProblem) {
    const asPAGE additions = Generate(3, OP_ADD, ScriptedRand({0, 1, 1, 0, 1, 1, 0, 2, 0}));
    ASSERT_EQ(additions.arrProblems.size(), 9u);
    EXPECT_EQ(additions.arrProblems[0], "1 + 1 = ( %s )");
    EXPECT_EQ(additions.arrProblems[1], "2 + 0 = ( %s )");

    const asPAGE blanks =
        Generate(3, OP_ADD | OP_FILL_BLANK, ScriptedRand({0, 0, 1, 1, 0, 1, 1, 1}));
    ASSERT_EQ(blanks.arrProblems.size(), 12u);
    EXPECT_EQ(blanks.arrProblems[0], "( %s ) + 1 = 2");
    EXPECT_EQ(blanks.arrProblems[1], "1 + ( %s ) = 2");
    EXPECT_EQ(blanks.arrAnswers[1], "1");
}

TEST(ProblemGeneratorPageSize, AdditionsWithinThreeAreExactlyTheNineThatExist) {
    const asPAGE page = Generate(3, OP_ADD, BoundedRand(7));
    EXPECT_EQ(page.nReturned, 9);
    EXPECT_EQ(AsSet(page.arrProblems),
              (std::set<std::string>{"0 + 1 = ( %s )", "0 + 2 = ( %s )", "0 + 3 = ( %s )",
                                     "1 + 0 = ( %s )", "1 + 1 = ( %s )", "1 + 2 = ( %s )",
                                     "2 + 0 = ( %s )", "2 + 1 = ( %s )", "3 + 0 = ( %s )"}));
    EXPECT_EQ(page.arrProblems.size(), 9u);
}

TEST(ProblemGeneratorPageSize, SubtractionsWithinThreeAreNineAndWithinFourTwelve) {
    EXPECT_EQ(Generate(3, OP_SUBTRACT, BoundedRand(8)).arrProblems.size(), 9u);
    EXPECT_EQ(Generate(4, OP_SUBTRACT, BoundedRand(9)).arrProblems.size(), 12u);
    EXPECT_EQ(Generate(4, OP_ADD, BoundedRand(10)).arrProblems.size(), 12u);
}

TEST(ProblemGeneratorPageSize, ChainAdditionsAloneGiveTenForEveryLimit) {
    for (int n = 3; n <= 100; ++n) {
        const asPAGE page = Generate(n, OP_CHAIN_ADD, BoundedRand(n));
        EXPECT_EQ(page.nReturned, 10) << "N = " << n;
        EXPECT_EQ(page.arrAnswers.size(), 10u) << "N = " << n;
    }
}

TEST(ProblemGeneratorPageSize, ChainAdditionsWithinThreeAreTheTenWithAtMostOneZero) {
    std::set<std::string> expected;
    for (int x = 0; x <= 3; ++x)
        for (int y = 0; y + x <= 3; ++y)
            for (int z = 0; x + y + z <= 3; ++z)
                if ((x == 0) + (y == 0) + (z == 0) <= 1)
                    expected.insert(std::to_string(x) + " + " + std::to_string(y) + " + " +
                                    std::to_string(z) + " = ( %s )");
    ASSERT_EQ(expected.size(), 10u);
    for (unsigned seed = 1; seed <= 5; ++seed)
        EXPECT_EQ(AsSet(Generate(3, OP_CHAIN_ADD, BoundedRand(seed)).arrProblems), expected);
}

TEST(ProblemGeneratorPageSize, SmallPagesOnlyForTheExactValuesOneTwoAndFour) {
    EXPECT_EQ(Generate(3, OP_ADD | OP_CHAIN_ADD, BoundedRand(1)).nReturned, 12);
    EXPECT_EQ(Generate(57, OP_ADD | OP_CHAIN_ADD, BoundedRand(2)).nReturned, 12);
    EXPECT_EQ(Generate(3, OP_ADD | OP_FILL_BLANK, BoundedRand(3)).nReturned, 12);
    EXPECT_EQ(Generate(3, OP_CHAIN_ADD | OP_FILL_BLANK, BoundedRand(4)).nReturned, 12);
    EXPECT_EQ(Generate(3, OP_SUBTRACT | OP_FILL_BLANK, BoundedRand(5)).nReturned, 12);
}

TEST(ProblemGeneratorUnusualSets, SetWithoutAKindGivesAnEmptyPageWithoutDrawing) {
    for (uint32_t nOperations : {0u, uint32_t{OP_FILL_BLANK}, 64u, 0xFFFFFFC0u}) {
        std::shared_ptr<asSCRIPTEDRAND> state;
        asPAGE page;
        page.arrProblems = {"1 + 1 = ( %s )"};
        page.arrAnswers = {"2"};
        page.nReturned =
            GenerateProblems(page.arrProblems, page.arrAnswers, ExerciseSet{10, 0, nOperations},
                             ScriptedRand({}, 1, &state));
        EXPECT_EQ(page.nReturned, 0) << nOperations;
        EXPECT_TRUE(page.arrProblems.empty()) << nOperations;
        EXPECT_TRUE(page.arrAnswers.empty()) << nOperations;
        EXPECT_EQ(state->nCalls, 0) << nOperations;
    }
}

TEST(ProblemGeneratorUnusualSets, LimitsBelowThreeDrawAsThreeAndEnd) {
    for (int n : {-5, 0, 1, 2}) {
        for (uint32_t nOperations : {1u, 2u, 4u, 8u, 16u, 31u, 63u}) {
            const asPAGE page = Generate(n, nOperations, BoundedRand(n + 100));
            const int nExpected = nOperations == 1 || nOperations == 2 ? 9
                                  : nOperations == 4                   ? 10
                                                                       : 12;
            EXPECT_EQ(page.nReturned, nExpected) << "N = " << n << ", kinds " << nOperations;
            for (const std::string& answer : page.arrAnswers)
                EXPECT_LE(std::stoi(answer), 3) << "N = " << n << ", kinds " << nOperations;
        }
    }
}

TEST(ProblemGeneratorUnusualSets, LimitsAboveAHundredDrawAsAHundred) {
    for (int page = 0; page < 50; ++page) {
        const asPAGE result = Generate(100000, OP_ADD, BoundedRand(page));
        for (const std::string& answer : result.arrAnswers)
            EXPECT_LE(std::stoi(answer), 100);
    }
}

TEST(ProblemGeneratorLists, BothListsAreEmptiedAtEveryCall) {
    std::vector<std::string> arrProblems(20, "stale");
    std::vector<std::string> arrAnswers(30, "stale");
    EXPECT_EQ(GenerateProblems(arrProblems, arrAnswers, ExerciseSet{3, 0, OP_ADD}, BoundedRand(1)),
              9);
    EXPECT_EQ(arrProblems.size(), 9u);
    EXPECT_EQ(arrAnswers.size(), 9u);
    for (size_t i = 0; i < arrProblems.size(); ++i) {
        EXPECT_NE(arrProblems[i], "stale");
        EXPECT_NE(arrAnswers[i], "stale");
    }
}
