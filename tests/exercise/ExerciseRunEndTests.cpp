// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Exercise run: starting a run, what a new run forgets, and the score, on the model alone. How
// the screens follow a run's start and end is in tests/app/RunScreenTests.cpp.
#include "tests/exercise/RunFixture.h"

using RunStart = RunTest;
using Score = RunTest;

TEST_F(RunStart, ResetsTheRunAndDrawsAPage) {
    m_arrSets[3] = ExerciseSet{5, 0, 35};
    m_fnRand = ScriptedRand({5, 7, 8, 9, 3, 1, 2, 4, 2});
    m_dwTick = 40000;
    Start(3);
    EXPECT_EQ(m_run.m_nRunItem, 3);
    ASSERT_EQ(PageSize(), 12);
    EXPECT_EQ(m_run.m_arrProblems[0], "2 + ( %s ) = 3");
    EXPECT_EQ(m_run.m_arrAnswers[1], "3");
    EXPECT_EQ(m_run.m_dwStartTick, 40000u);
    EXPECT_EQ(m_run.m_dwEndTick, 0u);
}

TEST_F(RunStart, ANewRunForgetsWhatTheLastOneLeftBehind) {
    Start(0);
    AnswerRight();
    Reveal();
    AnswerWrong();
    Type("4");
    ASSERT_TRUE(m_run.HasAnswers());

    Start(0);
    EXPECT_TRUE(m_run.m_strInput.empty());
    EXPECT_EQ(m_run.m_bWrongShown, 0);
    EXPECT_EQ(m_run.m_bCleanTry, 1);
    EXPECT_EQ(m_run.m_bHintAvailable, 1);
    EXPECT_EQ(m_run.m_nHintIndex, -1);
    EXPECT_EQ(m_run.m_nCurrent, 0);
    EXPECT_EQ(m_run.m_nPageFirstTry, 0);
    EXPECT_EQ(m_run.m_nTotalDone, 0);
    EXPECT_EQ(m_run.m_nTotalFirstTry, 0);
    EXPECT_FALSE(m_run.HasAnswers());
}

TEST_F(RunStart, ASetWithoutAKindStartsNoRunAndChangesNothing) {
    for (uint32_t nOperations : {0u, uint32_t{OP_FILL_BLANK}}) {
        m_arrSets[5] = ExerciseSet{10, 0, nOperations};
        m_run.m_nRunItem = 2;
        m_run.m_arrProblems = {"1 + 1 = ( %s )"};
        m_run.m_arrAnswers = {"2"};
        m_run.m_strInput = "7";
        m_run.m_nTotalDone = 4;
        m_run.m_nTotalFirstTry = 3;
        m_run.m_dwStartTick = 77;

        EXPECT_FALSE(m_run.Start(5, m_arrSets[5], m_fnRand));
        EXPECT_EQ(m_run.m_nRunItem, 2);
        EXPECT_EQ(m_run.m_arrProblems, std::vector<std::string>{"1 + 1 = ( %s )"});
        EXPECT_EQ(m_run.m_arrAnswers, std::vector<std::string>{"2"});
        EXPECT_EQ(m_run.m_strInput, "7");
        EXPECT_EQ(m_run.m_nTotalDone, 4);
        EXPECT_EQ(m_run.m_nTotalFirstTry, 3);
        EXPECT_EQ(m_run.m_dwStartTick, 77u);
    }
}

TEST_F(RunStart, AnOldLimitOfZeroStillGivesAPage) {
    m_arrSets[6] = ExerciseSet{0, 0, OP_ADD};
    Start(6);
    EXPECT_EQ(PageSize(), 9);
}

TEST_F(Score, DividesBeforeMultiplyingCutsTowardZeroAndIsZeroWithNothingDone) {
    struct {
        int nFirstTry, nDone, nScore;
    } const cases[] = {{29, 100, 28}, {29, 50, 57}, {2, 3, 66},  {10, 12, 83}, {7, 10, 70},
                       {0, 5, 0},     {0, 0, 0},    {5, 5, 100}, {1, 3, 33}};
    for (const auto& c : cases) {
        m_run.m_nTotalFirstTry = c.nFirstTry;
        m_run.m_nTotalDone = c.nDone;
        EXPECT_EQ(m_run.Score(), c.nScore) << c.nFirstTry << " of " << c.nDone;
    }
}
