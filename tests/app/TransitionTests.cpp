// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The transition table driven through the real mouse and key handlers, and the pointer rules.
#include "app/TitleScreen.h"
#include "gfx/Gbk.h"
#include "tests/app/WindowTestSupport.h"

TEST_F(WindowTest, EachProblemPlankStartsARunOfItsOwnSet) {
    for (int k = 0; k < 8; ++k) {
        wnd.m_nScreenState = SCREEN_TITLE;
        wnd.OnMouseMove(400, TITLE_ITEM_RECTS[k].top + 5, 0);
        Click(400, TITLE_ITEM_RECTS[k].top + 5);
        EXPECT_EQ(wnd.m_nScreenState, SCREEN_EXERCISE) << "plank " << k;
        EXPECT_EQ(wnd.m_Run.m_nRunItem, k);
        EXPECT_EQ(wnd.m_nSelectedSet, k);
        EXPECT_FALSE(wnd.m_Run.m_arrProblems.empty());
        wnd.OnKeyDown(VK_HOME); // nothing done: back to the title
        EXPECT_EQ(wnd.m_nScreenState, SCREEN_TITLE);
    }
}

TEST_F(WindowTest, ReleasingOverAnotherPlankStartsTheSetUnderTheRelease) {
    wnd.OnLButtonDown(400, 190); // plank 0
    wnd.OnMouseMove(400, 470, MK_LBUTTON);
    wnd.OnLButtonUp(400, 470); // plank 6
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_EXERCISE);
    EXPECT_EQ(wnd.m_Run.m_nRunItem, 6);
    EXPECT_EQ(wnd.m_nSelectedSet, 6);
}

TEST_F(WindowTest, InformationPlankOpensUsersAndPointingAtItKeepsTheSelectedSet) {
    wnd.OnMouseMove(400, 330, 0); // plank 3
    wnd.OnMouseMove(400, 555, 0); // the information plank
    EXPECT_EQ(wnd.m_nSelectedSet, 3);
    EXPECT_EQ(wnd.m_TitleItems[8].nFlags, 1);
    EXPECT_EQ(wnd.m_TitleItems[3].nFlags, 0);
    Click(400, 555);
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_USERS);
}

TEST_F(WindowTest, TheLeaveSignDestroysTheWindow) {
    Click(100, 530);
    EXPECT_TRUE(wnd.IsDestroyed());
    EXPECT_TRUE(host.m_bDestroyed);
    EXPECT_EQ(wnd.m_hBitmap, nullptr);
}

TEST_F(WindowTest, AnyReleaseOnTheCertificateReturnsToTheTitle) {
    wnd.m_nScreenState = SCREEN_CERTIFICATE;
    wnd.OnLButtonDown(5, 5);
    EXPECT_EQ(host.m_nDrags, 0) << "the certificate has no free spot to drag from";
    wnd.OnLButtonUp(5, 5);
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_TITLE);
}

TEST_F(WindowTest, UserScreenButtonsOpenTheirSubScreensAndLeadBack) {
    struct Row {
        int x, y;
        uint32_t nOpened;
    };
    const Row rows[] = {{450, 500, SCREEN_USERS_SCORES},
                        {330, 500, SCREEN_USERS_DELETE},
                        {750, 580, SCREEN_USERS_CHOOSE}};
    for (const Row& row : rows) {
        wnd.m_nScreenState = SCREEN_USERS;
        Click(row.x, row.y);
        EXPECT_EQ(wnd.m_nScreenState, row.nOpened);
        Click(row.x, row.y);
        EXPECT_EQ(wnd.m_nScreenState, SCREEN_USERS);
    }
    Click(220, 500); // new user
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_USERS_NEWNAME);
    Click(600, 380); // cancel
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_USERS);
}

TEST_F(WindowTest, DefaultSettingsStayAndFreeSpaceLeavesWithRebuiltCaptions) {
    wnd.m_nScreenState = SCREEN_USERS;
    g_ExerciseSets[0].nRange = 42;
    Click(760, 500); // default settings
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_USERS);
    EXPECT_EQ(g_ExerciseSets[0].nRange, 3);
    g_ExerciseSets[0].nRange = 57;
    Click(950, 100); // free space
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_TITLE);
    EXPECT_EQ(wnd.m_TitleItems[0].strCaption, GbkFromUtf8("57 以内算术题"));
}

TEST_F(WindowTest, PressOnAFreeSpotDragsTheWindowWhereThereIsOne) {
    wnd.OnLButtonDown(900, 100); // title meadow
    EXPECT_EQ(host.m_nDrags, 1);
    wnd.m_nScreenState = SCREEN_USERS_SCORES;
    wnd.OnLButtonDown(900, 100);
    EXPECT_EQ(host.m_nDrags, 2);
    for (uint32_t screen : {SCREEN_USERS, SCREEN_USERS_CHOOSE, SCREEN_USERS_DELETE}) {
        wnd.m_nScreenState = screen;
        wnd.OnLButtonDown(900, 100);
    }
    EXPECT_EQ(host.m_nDrags, 2);
}

TEST_F(WindowTest, KeysActOnlyOnTheExerciseScreen) {
    wnd.OnKeyDown(VK_0 + 5);
    EXPECT_TRUE(wnd.m_Run.m_strInput.empty());
    Click(400, 190);
    ASSERT_EQ(wnd.m_nScreenState, SCREEN_EXERCISE);
    wnd.OnKeyDown(VK_0 + 1);
    wnd.OnKeyDown(VK_NUMPAD0 + 2);
    EXPECT_EQ(wnd.m_Run.m_strInput, "12");
    wnd.OnKeyDown(VK_BACK);
    EXPECT_EQ(wnd.m_Run.m_strInput, "1");
    wnd.OnKeyDown(VK_DELETE);
    EXPECT_EQ(wnd.m_Run.m_strInput, "");
    wnd.OnKeyDown('A');
    EXPECT_EQ(wnd.m_Run.m_strInput, "");
}

TEST_F(WindowTest, HandFollowsThePointerAndShowsThePressedPose) {
    EXPECT_EQ(wnd.m_nHandX, -1);
    wnd.OnMouseMove(300, 100, MK_LBUTTON);
    EXPECT_EQ(wnd.m_nHandBitmap, 153);
    wnd.OnMouseMove(301, 100, 0);
    EXPECT_EQ(wnd.m_nHandBitmap, 151);
    EXPECT_EQ(wnd.m_nHandX, 301);
    wnd.OnLButtonDown(400, 190);
    EXPECT_EQ(wnd.m_nHandBitmap, 153);
}

TEST_F(WindowTest, SystemPointerHidesInsideAndShowsOutsideWithABalancedCount) {
    for (int i = 0; i < 50; ++i) {
        wnd.OnMouseMove(500, 300, 0);
        wnd.OnMouseMove(501, 300, 0);
        EXPECT_EQ(host.m_nPointerShowCount, -1);
        EXPECT_TRUE(host.m_bCaptured);
        wnd.OnMouseMove(1100, 300, 0);
        wnd.OnMouseMove(-5, -5, 0);
        EXPECT_EQ(host.m_nPointerShowCount, 0);
        EXPECT_FALSE(host.m_bCaptured);
    }
    wnd.OnMouseMove(500, 300, 0);
    wnd.OnLButtonDown(900, 100); // the drag takes the capture
    wnd.OnMouseMove(600, 300, 0);
    EXPECT_TRUE(host.m_bCaptured);
    EXPECT_EQ(host.m_nPointerShowCount, -1);
}

TEST_F(WindowTest, PressAndHoldTimersStopAtAnyRelease) {
    host.SetTimer(TIMER_INCREASE_REPEAT, 50);
    host.SetTimer(TIMER_DECREASE_DELAY, 500);
    wnd.OnLButtonUp(900, 100);
    EXPECT_TRUE(host.m_mapTimers.empty());
}
