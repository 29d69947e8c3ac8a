// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Exercise run: typing, marking, the hint and new pages, on the model alone.
#include "tests/exercise/RunFixture.h"

using AnswerEntry = RunTest;
using Hint = RunTest;
using Pages = RunTest;

TEST_F(AnswerEntry, SubmittingNothingChangesNothingAndKeepsTheTryClean) {
    Start(0);
    Submit();
    EXPECT_EQ(m_run.m_bWrongShown, 0);
    EXPECT_EQ(m_run.m_bCleanTry, 1);
    EXPECT_EQ(m_run.m_nCurrent, 0);
    AnswerRight();
    EXPECT_EQ(m_run.m_nTotalDone, 1);
    EXPECT_EQ(m_run.m_nTotalFirstTry, 1);
    EXPECT_EQ(m_run.m_nPageFirstTry, 1);
}

TEST_F(AnswerEntry, AWrongAnswerStaysMarkedAndSpoilsOnlyTheFirstTry) {
    Start(0);
    const std::string strWrong = WrongAnswer();
    AnswerWrong();
    EXPECT_EQ(m_run.m_strInput, strWrong);
    EXPECT_EQ(m_run.m_bWrongShown, 1);
    EXPECT_EQ(m_run.m_bCleanTry, 0);
    EXPECT_EQ(m_run.m_nCurrent, 0);
    EXPECT_EQ(m_run.m_nTotalDone, 0);

    m_run.ClearInput();
    AnswerRight();
    EXPECT_EQ(m_run.m_nCurrent, 1);
    EXPECT_EQ(m_run.m_nTotalDone, 1);
    EXPECT_EQ(m_run.m_nTotalFirstTry, 0);
    EXPECT_EQ(m_run.m_nPageFirstTry, 0);
    EXPECT_TRUE(m_run.m_strInput.empty());
    EXPECT_EQ(m_run.m_bWrongShown, 0);
    // The next problem starts clean again.
    EXPECT_EQ(m_run.m_bCleanTry, 1);
    AnswerRight();
    EXPECT_EQ(m_run.m_nTotalFirstTry, 1);
}

TEST_F(AnswerEntry, DigitsKeepTheWrongMarkEraseAndClearRemoveIt) {
    Start(0);
    AnswerWrong();
    Type("7");
    EXPECT_EQ(m_run.m_bWrongShown, 1);
    EXPECT_EQ(m_run.m_strInput.size(), 2u);
    m_run.EraseLastDigit();
    EXPECT_EQ(m_run.m_bWrongShown, 0);
    EXPECT_EQ(m_run.m_strInput.size(), 1u);

    Submit();
    EXPECT_EQ(m_run.m_bWrongShown, 1);
    m_run.ClearInput();
    EXPECT_EQ(m_run.m_bWrongShown, 0);
    EXPECT_TRUE(m_run.m_strInput.empty());
    // Erasing an empty input changes nothing.
    m_run.m_bWrongShown = 1;
    m_run.EraseLastDigit();
    EXPECT_EQ(m_run.m_bWrongShown, 1);
}

// No answer is above its set's limit: a held key stops three digits past the longest.
TEST_F(AnswerEntry, AHeldDigitStopsAFewDigitsPastTheLongestAnswerAnySetAsks) {
    Start(0);
    Type(std::string(349, '7'));
    EXPECT_EQ(m_run.m_strInput, std::string(std::to_string(RANGE_MAX).size() + 3, '7'));
}

TEST_F(AnswerEntry, ALeadingZeroMakesTheAnswerWrong) {
    m_fnRand = ScriptedRand({0, 1, 2}, 5); // first problem 1 + 2 = ( %s )
    Start(0);
    ASSERT_EQ(m_run.m_arrProblems[0], "1 + 2 = ( %s )");
    Type("03");
    Submit();
    EXPECT_EQ(m_run.m_nCurrent, 0);
    EXPECT_EQ(m_run.m_bCleanTry, 0);
    m_run.ClearInput();
    Type("3");
    Submit();
    EXPECT_EQ(m_run.m_nCurrent, 1);
    EXPECT_EQ(m_run.m_nTotalDone, 1);
}

TEST_F(AnswerEntry, ZeroIsAnsweredWithTheSingleDigit) {
    m_arrSets[1] = ExerciseSet{3, 0, OP_SUBTRACT};
    m_fnRand = ScriptedRand({1, 1, 2}, 6); // first problem 2 - 2 = ( %s )
    Start(1);
    ASSERT_EQ(m_run.m_arrProblems[0], "2 - 2 = ( %s )");
    Type("00");
    Submit();
    EXPECT_EQ(m_run.m_nCurrent, 0);
    m_run.ClearInput();
    Type("0");
    Submit();
    EXPECT_EQ(m_run.m_nCurrent, 1);
}

TEST_F(AnswerEntry, AFinishedPageTakesNoDigitsSubmissionOrHintAndKeepsItsEndTick) {
    Start(0);
    ASSERT_EQ(PageSize(), 9);
    for (int i = 0; i < 8; ++i)
        AnswerRight();
    EXPECT_EQ(m_run.m_dwEndTick, 0u);
    m_dwTick = 987654;
    AnswerRight();
    EXPECT_EQ(m_run.m_nCurrent, 9);
    EXPECT_EQ(m_run.m_dwEndTick, 987654u);
    EXPECT_EQ(m_run.m_nPageFirstTry, 9);

    m_dwTick = 999999;
    Type("12");
    EXPECT_TRUE(m_run.m_strInput.empty());
    m_run.m_strInput = "1";
    Submit();
    Reveal();
    EXPECT_EQ(m_run.m_nTotalDone, 9);
    EXPECT_EQ(m_run.m_nCurrent, 9);
    EXPECT_EQ(m_run.m_bHintAvailable, 1);
    EXPECT_EQ(m_run.m_dwEndTick, 987654u);
}

TEST_F(Hint, BeforeAWrongTryItCountsAsRightAtTheFirstTry) {
    Start(0);
    AnswerRight();
    const std::string strAnswer = CurrentAnswer();
    Type("5"); // typed but not submitted: the hint replaces it
    Reveal();
    EXPECT_EQ(m_run.m_nHintIndex, 1);
    EXPECT_EQ(m_run.m_bHintAvailable, 0);
    EXPECT_EQ(Counts(), (asCOUNTS{2, 2, 2, 2}));
    EXPECT_TRUE(m_run.m_strInput.empty());
    EXPECT_EQ(m_run.m_bWrongShown, 0);
}

TEST_F(Hint, AfterAWrongTryItCountsOnlyAsDone) {
    Start(0);
    AnswerWrong();
    Reveal();
    EXPECT_EQ(m_run.m_nHintIndex, 0);
    EXPECT_EQ(m_run.m_nCurrent, 1);
    EXPECT_EQ(m_run.m_nTotalDone, 1);
    EXPECT_EQ(m_run.m_nTotalFirstTry, 0);
    EXPECT_EQ(m_run.m_nPageFirstTry, 0);
}

TEST_F(Hint, WorksOncePerPageAndIsOfferedAgainOnANewPage) {
    Start(0);
    Reveal();
    Reveal();
    EXPECT_EQ(m_run.m_nCurrent, 1);
    EXPECT_EQ(m_run.m_nHintIndex, 0);
    EXPECT_TRUE(m_run.m_strInput.empty());

    NewPage();
    EXPECT_EQ(m_run.m_bHintAvailable, 1);
    EXPECT_EQ(m_run.m_nHintIndex, -1);
    Reveal();
    EXPECT_EQ(m_run.m_nCurrent, 1);
    EXPECT_EQ(m_run.m_nTotalDone, 2);
}

TEST_F(Pages, ANewPageMidPageKeepsTheTotalsAndRestartsThePage) {
    Start(0);
    AnswerRight();
    AnswerWrong();
    m_run.ClearInput();
    AnswerRight();
    AnswerWrong(); // the third problem is left with a wrong answer typed
    Reveal();
    ASSERT_EQ(m_run.m_nTotalDone, 3);
    AnswerWrong();
    const std::vector<std::string> arrOldPage = m_run.m_arrProblems;

    m_dwTick = 500000;
    NewPage();
    EXPECT_EQ(Counts(), (asCOUNTS{0, 3, 1, 0}));
    EXPECT_EQ(m_run.m_bCleanTry, 1);
    EXPECT_EQ(m_run.m_bWrongShown, 0);
    EXPECT_TRUE(m_run.m_strInput.empty());
    EXPECT_EQ(m_run.m_bHintAvailable, 1);
    EXPECT_EQ(m_run.m_nHintIndex, -1);
    EXPECT_EQ(m_run.m_dwStartTick, 500000u);
    EXPECT_EQ(m_run.m_dwEndTick, 0u);
    EXPECT_EQ(PageSize(), 9);
    EXPECT_EQ(m_run.m_arrAnswers.size(), 9u);
    EXPECT_NE(m_run.m_arrProblems, arrOldPage);
}

TEST_F(Pages, ANewPageAfterAFinishedOneClearsTheEndTick) {
    Start(0);
    while (m_run.m_nCurrent < PageSize())
        AnswerRight();
    ASSERT_NE(m_run.m_dwEndTick, 0u);
    m_run.StartNewPage(m_arrSets[0], m_fnRand);
    EXPECT_EQ(m_run.m_dwEndTick, 0u) << "before its clock starts, the new page is unfinished";
    EXPECT_FALSE(m_run.PageFinished());
    EXPECT_EQ(m_run.m_nTotalDone, 9);
    EXPECT_EQ(m_run.m_nTotalFirstTry, 9);
    EXPECT_EQ(m_run.m_nPageFirstTry, 0);
}
