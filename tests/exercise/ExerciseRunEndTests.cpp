// Exercise run: starting a run, finishing it, leaving it with Home, and its score.
#include "tests/exercise/RunFixture.h"

#include <algorithm>

using RunStart = RunTest;
using RunEnd = RunTest;
using Score = RunTest;

namespace {

bool AnyButterflyVisible(const CSumoraWnd& wnd) {
    return std::any_of(wnd.m_arrCartoons.m_arrCartoons.begin(),
                       wnd.m_arrCartoons.m_arrCartoons.end(),
                       [](const asCARTOONCONTROL& c) { return c.bVisible.load() != 0; });
}

void AddUser(const char* pName) {
    asUSERINFO user;
    user.strName = pName;
    g_arrUsers.push_back(user);
}

} // namespace

TEST_F(RunStart, ResetsTheRunDrawsAPageAndTakesTheStartTickAfterTheSlide) {
    g_ExerciseSets[3] = ExerciseSet{5, 0, 35};
    m_wnd.m_fnRand = ScriptedRand({5, 7, 8, 9, 3, 1, 2, 4, 2});
    m_host.m_dwTick = 40000;
    Start(3);
    EXPECT_EQ(m_wnd.m_nScreenState, SCREEN_EXERCISE);
    EXPECT_EQ(m_wnd.m_nRunItem, 3);
    ASSERT_EQ(PageSize(), 12);
    EXPECT_EQ(m_wnd.m_arrProblems[0], "2 + ( %s ) = 3");
    EXPECT_EQ(m_wnd.m_arrAnswers[1], "3");
    EXPECT_GE(m_wnd.m_dwStartTick, 40000u);
    EXPECT_EQ(m_wnd.m_dwStartTick, m_host.m_dwTick);
    EXPECT_EQ(m_wnd.m_dwEndTick, 0u);
    EXPECT_TRUE(AnyButterflyVisible(m_wnd));
}

TEST_F(RunStart, ANewRunForgetsWhatTheLastOneLeftBehind) {
    Start(0);
    AnswerRight();
    m_wnd.RevealAnswer();
    AnswerWrong();
    Type("4");
    m_wnd.LeaveRun();
    ASSERT_EQ(m_wnd.m_nScreenState, SCREEN_CERTIFICATE);
    m_wnd.m_nScreenState = SCREEN_TITLE;

    Start(0);
    EXPECT_TRUE(m_wnd.m_strInput.empty());
    EXPECT_EQ(m_wnd.m_bWrongShown, 0);
    EXPECT_EQ(m_wnd.m_bCleanTry, 1);
    EXPECT_EQ(m_wnd.m_bHintAvailable, 1);
    EXPECT_EQ(m_wnd.m_nHintIndex, -1);
    EXPECT_EQ(m_wnd.m_nCurrent, 0);
    EXPECT_EQ(m_wnd.m_nPageFirstTry, 0);
    EXPECT_EQ(m_wnd.m_nTotalDone, 0);
    EXPECT_EQ(m_wnd.m_nTotalFirstTry, 0);
}

TEST_F(RunStart, ASetWithoutAKindStartsNoRunAndLeavesTheTitleAsItWas) {
    for (uint32_t nOperations : {0u, uint32_t{OP_FILL_BLANK}}) {
        g_ExerciseSets[5] = ExerciseSet{10, 0, nOperations};
        m_wnd.m_nScreenState = SCREEN_TITLE;
        m_wnd.m_nRunItem = 2;
        m_wnd.m_arrProblems = {"1 + 1 = ( %s )"};
        m_wnd.m_arrAnswers = {"2"};
        m_wnd.m_nTotalDone = 4;
        m_wnd.m_nTotalFirstTry = 3;
        m_wnd.m_dwStartTick = 77;
        const int nPresents = m_host.m_nPresents;
        const uint32_t dwTick = m_host.m_dwTick;

        Start(5);
        EXPECT_EQ(m_wnd.m_nScreenState, SCREEN_TITLE);
        EXPECT_EQ(m_wnd.m_nRunItem, 2);
        EXPECT_EQ(m_wnd.m_arrProblems, std::vector<std::string>{"1 + 1 = ( %s )"});
        EXPECT_EQ(m_wnd.m_arrAnswers, std::vector<std::string>{"2"});
        EXPECT_EQ(m_wnd.m_nTotalDone, 4);
        EXPECT_EQ(m_wnd.m_nTotalFirstTry, 3);
        EXPECT_EQ(m_wnd.m_dwStartTick, 77u);
        EXPECT_EQ(m_host.m_nPresents, nPresents) << "no slide";
        EXPECT_EQ(m_host.m_dwTick, dwTick);
        EXPECT_FALSE(AnyButterflyVisible(m_wnd));
    }
}

TEST_F(RunStart, AnOldLimitOfZeroStillGivesAPage) {
    g_ExerciseSets[6] = ExerciseSet{0, 0, OP_ADD};
    Start(6);
    EXPECT_EQ(m_wnd.m_nScreenState, SCREEN_EXERCISE);
    EXPECT_EQ(PageSize(), 9);
}

TEST_F(RunEnd, FinishingWithNothingDoneReturnsToTheTitleAndRecordsNothing) {
    AddUser("a");
    g_nCurrentUser = 0;
    Start(0);
    AnswerWrong();
    m_wnd.FinishRun();
    EXPECT_EQ(m_wnd.m_nScreenState, SCREEN_TITLE);
    EXPECT_EQ(g_arrUsers[0].nLastScore, -1);
    EXPECT_FALSE(AnyButterflyVisible(m_wnd));
}

TEST_F(RunEnd, FinishingRecordsTheScoreForTheCurrentUserOnly) {
    AddUser("a");
    AddUser("b");
    g_nCurrentUser = 1;
    Start(0);
    AnswerRight();
    AnswerWrong();
    m_wnd.ClearInput();
    AnswerRight();
    AnswerRight();
    m_wnd.FinishRun();
    EXPECT_EQ(m_wnd.m_nScreenState, SCREEN_CERTIFICATE);
    EXPECT_EQ(m_wnd.RunScore(), 66);
    EXPECT_EQ(g_arrUsers[1].nLastScore, 0);
    EXPECT_EQ(g_arrUsers[1].byScores[0], 66);
    EXPECT_EQ(g_arrUsers[0].nLastScore, -1);
    EXPECT_FALSE(AnyButterflyVisible(m_wnd));
}

TEST_F(RunEnd, WithoutUsersTheCertificateIsShownAndNoHistoryAppears) {
    Start(0);
    AnswerRight();
    m_wnd.FinishRun();
    EXPECT_EQ(m_wnd.m_nScreenState, SCREEN_CERTIFICATE);
    EXPECT_TRUE(g_arrUsers.empty());
    EXPECT_EQ(m_wnd.RunScore(), 100);
}

TEST_F(RunEnd, HomeShowsTheCertificateAfterAnswersButRecordsNothing) {
    AddUser("a");
    g_nCurrentUser = 0;
    Start(0);
    AnswerRight();
    AnswerRight();
    m_wnd.LeaveRun();
    EXPECT_EQ(m_wnd.m_nScreenState, SCREEN_CERTIFICATE);
    EXPECT_EQ(m_wnd.m_nTotalDone, 2);
    EXPECT_EQ(m_wnd.RunScore(), 100);
    EXPECT_EQ(g_arrUsers[0].nLastScore, -1);
    EXPECT_FALSE(AnyButterflyVisible(m_wnd));
}

TEST_F(RunEnd, HomeWithNothingDoneReturnsToTheTitle) {
    AddUser("a");
    g_nCurrentUser = 0;
    Start(0);
    AnswerWrong();
    m_wnd.LeaveRun();
    EXPECT_EQ(m_wnd.m_nScreenState, SCREEN_TITLE);
    EXPECT_EQ(g_arrUsers[0].nLastScore, -1);
}

TEST_F(Score, DividesBeforeMultiplyingCutsTowardZeroAndIsZeroWithNothingDone) {
    struct {
        int nFirstTry, nDone, nScore;
    } const cases[] = {{29, 100, 28}, {29, 50, 57}, {2, 3, 66},  {10, 12, 83}, {7, 10, 70},
                       {0, 5, 0},     {0, 0, 0},    {5, 5, 100}, {1, 3, 33}};
    for (const auto& c : cases) {
        m_wnd.m_nTotalFirstTry = c.nFirstTry;
        m_wnd.m_nTotalDone = c.nDone;
        EXPECT_EQ(m_wnd.RunScore(), c.nScore) << c.nFirstTry << " of " << c.nDone;
    }
}
