// Exercise run: typing, marking, the hint and new pages, driven through the main window.
#include "tests/exercise/RunFixture.h"

using AnswerEntry = RunTest;
using Hint = RunTest;
using Pages = RunTest;

TEST_F(AnswerEntry, SubmittingNothingChangesNothingAndKeepsTheTryClean) {
    Start(0);
    m_wnd.SubmitAnswer();
    EXPECT_EQ(m_wnd.m_bWrongShown, 0);
    EXPECT_EQ(m_wnd.m_bCleanTry, 1);
    EXPECT_EQ(m_wnd.m_nCurrent, 0);
    AnswerRight();
    EXPECT_EQ(m_wnd.m_nTotalDone, 1);
    EXPECT_EQ(m_wnd.m_nTotalFirstTry, 1);
    EXPECT_EQ(m_wnd.m_nPageFirstTry, 1);
}

TEST_F(AnswerEntry, AWrongAnswerStaysMarkedAndSpoilsOnlyTheFirstTry) {
    Start(0);
    const std::string strWrong = WrongAnswer();
    AnswerWrong();
    EXPECT_EQ(m_wnd.m_strInput, strWrong);
    EXPECT_EQ(m_wnd.m_bWrongShown, 1);
    EXPECT_EQ(m_wnd.m_bCleanTry, 0);
    EXPECT_EQ(m_wnd.m_nCurrent, 0);
    EXPECT_EQ(m_wnd.m_nTotalDone, 0);

    m_wnd.ClearInput();
    AnswerRight();
    EXPECT_EQ(m_wnd.m_nCurrent, 1);
    EXPECT_EQ(m_wnd.m_nTotalDone, 1);
    EXPECT_EQ(m_wnd.m_nTotalFirstTry, 0);
    EXPECT_EQ(m_wnd.m_nPageFirstTry, 0);
    EXPECT_TRUE(m_wnd.m_strInput.empty());
    EXPECT_EQ(m_wnd.m_bWrongShown, 0);
    // The next problem starts clean again.
    EXPECT_EQ(m_wnd.m_bCleanTry, 1);
    AnswerRight();
    EXPECT_EQ(m_wnd.m_nTotalFirstTry, 1);
}

TEST_F(AnswerEntry, DigitsKeepTheWrongMarkEraseAndClearRemoveIt) {
    Start(0);
    AnswerWrong();
    Type("7");
    EXPECT_EQ(m_wnd.m_bWrongShown, 1);
    EXPECT_EQ(m_wnd.m_strInput.size(), 2u);
    m_wnd.EraseLastDigit();
    EXPECT_EQ(m_wnd.m_bWrongShown, 0);
    EXPECT_EQ(m_wnd.m_strInput.size(), 1u);

    m_wnd.SubmitAnswer();
    EXPECT_EQ(m_wnd.m_bWrongShown, 1);
    m_wnd.ClearInput();
    EXPECT_EQ(m_wnd.m_bWrongShown, 0);
    EXPECT_TRUE(m_wnd.m_strInput.empty());
    // Erasing an empty input changes nothing.
    m_wnd.m_bWrongShown = 1;
    m_wnd.EraseLastDigit();
    EXPECT_EQ(m_wnd.m_bWrongShown, 1);
}

TEST_F(AnswerEntry, ALeadingZeroMakesTheAnswerWrong) {
    m_wnd.m_fnRand = ScriptedRand({0, 1, 2}, 5); // first problem 1 + 2 = ( %s )
    Start(0);
    ASSERT_EQ(m_wnd.m_arrProblems[0], "1 + 2 = ( %s )");
    Type("03");
    m_wnd.SubmitAnswer();
    EXPECT_EQ(m_wnd.m_nCurrent, 0);
    EXPECT_EQ(m_wnd.m_bCleanTry, 0);
    m_wnd.ClearInput();
    Type("3");
    m_wnd.SubmitAnswer();
    EXPECT_EQ(m_wnd.m_nCurrent, 1);
    EXPECT_EQ(m_wnd.m_nTotalDone, 1);
}

TEST_F(AnswerEntry, ZeroIsAnsweredWithTheSingleDigit) {
    g_ExerciseSets[1] = ExerciseSet{3, 0, OP_SUBTRACT};
    m_wnd.m_fnRand = ScriptedRand({1, 1, 2}, 6); // first problem 2 - 2 = ( %s )
    Start(1);
    ASSERT_EQ(m_wnd.m_arrProblems[0], "2 - 2 = ( %s )");
    Type("00");
    m_wnd.SubmitAnswer();
    EXPECT_EQ(m_wnd.m_nCurrent, 0);
    m_wnd.ClearInput();
    Type("0");
    m_wnd.SubmitAnswer();
    EXPECT_EQ(m_wnd.m_nCurrent, 1);
}

TEST_F(AnswerEntry, AFinishedPageTakesNoDigitsSubmissionOrHintAndKeepsItsEndTick) {
    Start(0);
    ASSERT_EQ(PageSize(), 9);
    for (int i = 0; i < 8; ++i)
        AnswerRight();
    EXPECT_EQ(m_wnd.m_dwEndTick, 0u);
    m_host.m_dwTick = 987654;
    AnswerRight();
    EXPECT_EQ(m_wnd.m_nCurrent, 9);
    EXPECT_EQ(m_wnd.m_dwEndTick, 987654u);
    EXPECT_EQ(m_wnd.m_nPageFirstTry, 9);

    m_host.m_dwTick = 999999;
    Type("12");
    EXPECT_TRUE(m_wnd.m_strInput.empty());
    m_wnd.m_strInput = "1";
    m_wnd.SubmitAnswer();
    m_wnd.RevealAnswer();
    EXPECT_EQ(m_wnd.m_nTotalDone, 9);
    EXPECT_EQ(m_wnd.m_nCurrent, 9);
    EXPECT_EQ(m_wnd.m_bHintAvailable, 1);
    EXPECT_EQ(m_wnd.m_dwEndTick, 987654u);
}

TEST_F(Hint, BeforeAWrongTryItCountsAsRightAtTheFirstTry) {
    Start(0);
    AnswerRight();
    const std::string strAnswer = CurrentAnswer();
    Type("5"); // typed but not submitted: the hint replaces it
    m_wnd.RevealAnswer();
    EXPECT_EQ(m_wnd.m_nHintIndex, 1);
    EXPECT_EQ(m_wnd.m_bHintAvailable, 0);
    EXPECT_EQ(m_wnd.m_nCurrent, 2);
    EXPECT_EQ(m_wnd.m_nTotalDone, 2);
    EXPECT_EQ(m_wnd.m_nTotalFirstTry, 2);
    EXPECT_EQ(m_wnd.m_nPageFirstTry, 2);
    EXPECT_TRUE(m_wnd.m_strInput.empty());
    EXPECT_EQ(m_wnd.m_bWrongShown, 0);
}

TEST_F(Hint, AfterAWrongTryItCountsOnlyAsDone) {
    Start(0);
    AnswerWrong();
    m_wnd.RevealAnswer();
    EXPECT_EQ(m_wnd.m_nHintIndex, 0);
    EXPECT_EQ(m_wnd.m_nCurrent, 1);
    EXPECT_EQ(m_wnd.m_nTotalDone, 1);
    EXPECT_EQ(m_wnd.m_nTotalFirstTry, 0);
    EXPECT_EQ(m_wnd.m_nPageFirstTry, 0);
}

TEST_F(Hint, WorksOncePerPageAndIsOfferedAgainOnANewPage) {
    Start(0);
    m_wnd.RevealAnswer();
    m_wnd.RevealAnswer();
    EXPECT_EQ(m_wnd.m_nCurrent, 1);
    EXPECT_EQ(m_wnd.m_nHintIndex, 0);
    EXPECT_TRUE(m_wnd.m_strInput.empty());

    m_wnd.StartNewPage();
    EXPECT_EQ(m_wnd.m_bHintAvailable, 1);
    EXPECT_EQ(m_wnd.m_nHintIndex, -1);
    m_wnd.RevealAnswer();
    EXPECT_EQ(m_wnd.m_nCurrent, 1);
    EXPECT_EQ(m_wnd.m_nTotalDone, 2);
}

TEST_F(Pages, ANewPageMidPageKeepsTheTotalsAndRestartsThePage) {
    Start(0);
    AnswerRight();
    AnswerWrong();
    m_wnd.ClearInput();
    AnswerRight();
    AnswerWrong(); // the third problem is left with a wrong answer typed
    m_wnd.RevealAnswer();
    ASSERT_EQ(m_wnd.m_nTotalDone, 3);
    AnswerWrong();
    const std::vector<std::string> arrOldPage = m_wnd.m_arrProblems;

    m_host.m_dwTick = 500000;
    m_wnd.StartNewPage();
    EXPECT_EQ(m_wnd.m_nTotalDone, 3);
    EXPECT_EQ(m_wnd.m_nTotalFirstTry, 1);
    EXPECT_EQ(m_wnd.m_nCurrent, 0);
    EXPECT_EQ(m_wnd.m_nPageFirstTry, 0);
    EXPECT_EQ(m_wnd.m_bCleanTry, 1);
    EXPECT_EQ(m_wnd.m_bWrongShown, 0);
    EXPECT_TRUE(m_wnd.m_strInput.empty());
    EXPECT_EQ(m_wnd.m_bHintAvailable, 1);
    EXPECT_EQ(m_wnd.m_nHintIndex, -1);
    // The start tick is taken when the new page is in place, after its fade.
    EXPECT_GE(m_wnd.m_dwStartTick, 500000u);
    EXPECT_EQ(m_wnd.m_dwStartTick, m_host.m_dwTick);
    EXPECT_EQ(m_wnd.m_dwEndTick, 0u);
    EXPECT_EQ(m_wnd.m_nScreenState, SCREEN_EXERCISE);
    EXPECT_EQ(PageSize(), 9);
    EXPECT_EQ(m_wnd.m_arrAnswers.size(), 9u);
    EXPECT_NE(m_wnd.m_arrProblems, arrOldPage);
}

TEST_F(Pages, ANewPageAfterAFinishedOneClearsTheEndTickAndRepaints) {
    Start(0);
    while (m_wnd.m_nCurrent < PageSize())
        AnswerRight();
    ASSERT_NE(m_wnd.m_dwEndTick, 0u);
    const int nPresents = m_host.m_nPresents;
    m_wnd.StartNewPage();
    EXPECT_EQ(m_wnd.m_dwEndTick, 0u);
    EXPECT_GT(m_host.m_nPresents, nPresents);
    EXPECT_EQ(m_wnd.m_nTotalDone, 9);
    EXPECT_EQ(m_wnd.m_nTotalFirstTry, 9);
    EXPECT_EQ(m_wnd.m_nPageFirstTry, 0);
}
