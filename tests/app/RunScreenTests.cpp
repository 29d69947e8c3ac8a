// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How the screens follow a run through the real handlers: the slide and the clock at its start,
// the fade of a new page, the certificate or the title at its end, the score recorded for the
// current user only, and the butterflies.
#include "exercise/ExerciseLayout.h"
#include "tests/app/WindowTestSupport.h"
#include "tests/exercise/ScriptedRand.h"

#include <algorithm>

namespace {

struct RunScreenTest : WindowTest {
    void SetUp() override {
        WindowTest::SetUp();
        // Set 0: the nine additions within 3, blank on the result.
        g_ExerciseSets[0] = ExerciseSet{3, 0, OP_ADD};
        wnd.m_fnRand = ScriptedRand({}, 2024);
    }

    bool AnyButterflyVisible() const {
        const auto& list = wnd.m_arrCartoons.m_arrCartoons;
        return std::any_of(list.begin(), list.end(),
                           [](const asCARTOONCONTROL& c) { return c.bVisible.load() != 0; });
    }
    static void AddUser(const char* pName) {
        asUSERINFO user;
        user.strName = pName;
        g_arrUsers.push_back(user);
    }
    void Key(unsigned vk) { wnd.OnKeyDown(vk); }
    void AnswerRight() {
        for (char digit : wnd.m_Run.m_arrAnswers.at(size_t(wnd.m_Run.m_nCurrent)))
            Key(VK_0 + unsigned(digit - '0'));
        Key(VK_RETURN);
    }
    void AnswerWrong() {
        const std::string& right = wnd.m_Run.m_arrAnswers.at(size_t(wnd.m_Run.m_nCurrent));
        Key(right == "1" ? VK_0 + 2 : VK_0 + 1);
        Key(VK_RETURN);
        Key(VK_DELETE);
    }
    void ClickFinish() { Click(g_rcFinish.left + 5, g_rcFinish.top + 5); }
};

} // namespace

TEST_F(RunScreenTest, APlankSlidesTheRunInAndItsClockStartsAfterTheSlide) {
    host.m_dwTick = 40000;
    const int presents = host.m_nPresents;
    ClickPlank(0);
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_EXERCISE);
    EXPECT_GT(host.m_dwTick, 40000u) << "the slide took its time";
    EXPECT_EQ(wnd.m_Run.m_dwStartTick, host.m_dwTick);
    EXPECT_EQ(wnd.m_Run.m_dwEndTick, 0u);
    EXPECT_GT(host.m_nPresents, presents + 2);
    EXPECT_EQ(host.m_nInputDiscards, 1);
    EXPECT_TRUE(AnyButterflyVisible());
}

TEST_F(RunScreenTest, ASetWithoutAKindLeavesTheTitleAsItWasWithoutASlide) {
    for (uint32_t nOperations : {0u, uint32_t{OP_FILL_BLANK}}) {
        g_ExerciseSets[5] = ExerciseSet{10, 0, nOperations};
        const uint32_t tick = host.m_dwTick;
        const int discards = host.m_nInputDiscards;
        ClickPlank(5);
        EXPECT_EQ(wnd.m_nScreenState, SCREEN_TITLE);
        EXPECT_EQ(host.m_dwTick, tick) << "no slide";
        EXPECT_EQ(host.m_nInputDiscards, discards);
        EXPECT_FALSE(AnyButterflyVisible());
        EXPECT_TRUE(wnd.m_Run.m_arrProblems.empty());
    }
}

TEST_F(RunScreenTest, ANewPageFadesInAndItsClockStartsAfterTheFade) {
    ClickPlank(0);
    while (!wnd.m_Run.PageFinished())
        AnswerRight();
    ASSERT_NE(wnd.m_Run.m_dwEndTick, 0u);
    host.m_dwTick = 500000;
    const int presents = host.m_nPresents;
    Key(VK_NEXT);
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_EXERCISE);
    EXPECT_GT(host.m_dwTick, 500000u);
    EXPECT_EQ(wnd.m_Run.m_dwStartTick, host.m_dwTick);
    EXPECT_EQ(wnd.m_Run.m_dwEndTick, 0u);
    EXPECT_GT(host.m_nPresents, presents + 1) << "the fade's steps and the repaint";
    EXPECT_EQ(wnd.m_Run.m_nTotalDone, 9);
}

TEST_F(RunScreenTest, FinishingWithNothingDoneReturnsToTheTitleAndRecordsNothing) {
    AddUser("a");
    g_nCurrentUser = 0;
    ClickPlank(0);
    AnswerWrong();
    ClickFinish();
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_TITLE);
    EXPECT_EQ(g_arrUsers[0].nLastScore, -1);
    EXPECT_FALSE(AnyButterflyVisible());
}

TEST_F(RunScreenTest, FinishingRecordsTheScoreForTheCurrentUserOnly) {
    AddUser("a");
    AddUser("b");
    g_nCurrentUser = 1;
    ClickPlank(0);
    AnswerRight();
    AnswerWrong();
    AnswerRight();
    AnswerRight();
    ClickFinish();
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_CERTIFICATE);
    EXPECT_EQ(wnd.m_Run.Score(), 66);
    EXPECT_EQ(g_arrUsers[1].nLastScore, 0);
    EXPECT_EQ(g_arrUsers[1].byScores[0], 66);
    EXPECT_EQ(g_arrUsers[0].nLastScore, -1);
    EXPECT_FALSE(AnyButterflyVisible());
}

TEST_F(RunScreenTest, WithoutUsersTheCertificateIsShownAndNoHistoryAppears) {
    g_nCurrentUser = -1;
    ClickPlank(0);
    AnswerRight();
    ClickFinish();
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_CERTIFICATE);
    EXPECT_TRUE(g_arrUsers.empty());
    EXPECT_EQ(wnd.m_Run.Score(), 100);
}

TEST_F(RunScreenTest, HomeShowsTheCertificateAfterAnswersButRecordsNothing) {
    AddUser("a");
    g_nCurrentUser = 0;
    ClickPlank(0);
    AnswerRight();
    AnswerRight();
    Key(VK_HOME);
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_CERTIFICATE);
    EXPECT_EQ(wnd.m_Run.m_nTotalDone, 2);
    EXPECT_EQ(wnd.m_Run.Score(), 100);
    EXPECT_EQ(g_arrUsers[0].nLastScore, -1);
    EXPECT_FALSE(AnyButterflyVisible());
}

TEST_F(RunScreenTest, HomeWithNothingDoneReturnsToTheTitle) {
    AddUser("a");
    g_nCurrentUser = 0;
    ClickPlank(0);
    AnswerWrong();
    Key(VK_HOME);
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_TITLE);
    EXPECT_EQ(g_arrUsers[0].nLastScore, -1);
}
