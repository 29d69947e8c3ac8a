// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The hit test of every screen, edges included, and the layout rectangles it walks.
#include "exercise/ExerciseLayout.h"
#include "tests/app/WindowTestSupport.h"
#include "users/UserLayout.h"

namespace {

struct HitCase {
    uint32_t nScreen;
    int x, y;
    int nExpected;
};

} // namespace

TEST(LayoutTables, DerivedRectanglesLandWhereTheScreensExpectThem) {
    EXPECT_EQ(g_rcKeypad[0], (Rect{133, 709, 187, 763}));
    EXPECT_EQ(g_rcKeypad[11], (Rect{837, 709, 891, 763}));
    EXPECT_EQ(g_rcFinish, (Rect{18, 686, 82, 750}));
    EXPECT_EQ(g_rcNewPage, (Rect{824, 568, 924, 668}));
    EXPECT_EQ(g_rcHint, (Rect{947, 691, 1001, 745}));
    EXPECT_EQ(g_rcProblemLines[0], (Rect{270, 150, 724, 190}));
    EXPECT_EQ(g_rcProblemLines[11], (Rect{270, 590, 724, 630}));
    EXPECT_EQ(g_rcLineMarks[11], (Rect{190, 590, 230, 630}));
    EXPECT_EQ(g_rcUserButtons[2], (Rect{428, 491, 529, 527}));
    EXPECT_EQ(g_rcUserButtons[3], (Rect{740, 491, 841, 527}));
    EXPECT_EQ(g_rcChangeUser, (Rect{740, 566, 841, 602}));
    EXPECT_EQ(g_rcNameOk, (Rect{678, 366, 764, 405}));
    EXPECT_EQ(g_rcNameCancel, (Rect{585, 366, 671, 405}));
    EXPECT_EQ(g_rcNameText, (Rect{286, 295, 764, 349}));
    EXPECT_EQ(g_rcNameNotice, (Rect{286, 366, 576, 405}));
    EXPECT_EQ(g_rcCurrentUser, (Rect{206, 563, 496, 602}));
    EXPECT_EQ(g_rcRowBands[11], (Rect{0, 704, 1024, 768}));
    EXPECT_EQ(g_nKeypadBitmaps[2], 141);
}

TEST_F(WindowTest, EveryScreenNamesTheControlUnderThePoint) {
    const HitCase cases[] = {
        {SCREEN_TITLE, 400, 200, 0},
        {SCREEN_TITLE, 400, 269, 1},
        {SCREEN_TITLE, 400, 270, 2}, // a shared edge belongs to the lower plank
        {SCREEN_TITLE, 400, 225, HIT_NOTHING},
        {SCREEN_TITLE, 689, 534, 7},
        {SCREEN_TITLE, 690, 534, HIT_NOTHING},
        {SCREEN_TITLE, 400, 555, HIT_INFO_PLANK},
        {SCREEN_TITLE, 79, 522, HIT_LEAVE},
        {SCREEN_TITLE, 196, 540, HIT_NOTHING},
        {SCREEN_EXERCISE, 186, 720, 6},
        {SCREEN_EXERCISE, 187, 720, HIT_NOTHING}, // right edge outside, then a 10-pixel gap
        {SCREEN_EXERCISE, 200, 720, 7},
        {SCREEN_EXERCISE, 890, 762, HIT_KEYPAD_ENTER},
        {SCREEN_EXERCISE, 838, 709, 17},
        {SCREEN_EXERCISE, 773, 720, HIT_KEYPAD_CLEAR},
        {SCREEN_EXERCISE, 18, 686, HIT_FINISH},
        {SCREEN_EXERCISE, 923, 667, HIT_NEW_PAGE},
        {SCREEN_EXERCISE, 947, 691, HIT_HINT},
        {SCREEN_EXERCISE, 500, 300, HIT_NOTHING},
        {SCREEN_CERTIFICATE, 3, 3, HIT_FINISH},
        {SCREEN_CERTIFICATE, 1000, 700, HIT_FINISH},
        {SCREEN_USERS, 206, 491, HIT_NEW_USER},
        {SCREEN_USERS, 417, 526, HIT_DELETE_USER},
        {SCREEN_USERS, 428, 500, HIT_VIEW_SCORES},
        {SCREEN_USERS, 840, 500, HIT_DEFAULT_SETTINGS},
        {SCREEN_USERS, 740, 601, HIT_CHANGE_USER},
        {SCREEN_USERS, 300, 200, HIT_FINISH}, // a settings row is free space
        {SCREEN_USERS_SCORES, 430, 500, HIT_VIEW_SCORES},
        {SCREEN_USERS_SCORES, 210, 500, HIT_NOTHING},
        {SCREEN_USERS_NEWNAME, 678, 366, HIT_NAME_OK},
        {SCREEN_USERS_NEWNAME, 670, 404, HIT_NAME_CANCEL},
        {SCREEN_USERS_NEWNAME, 671, 380, HIT_NOTHING},
        {SCREEN_USERS_CHOOSE, 750, 570, HIT_CHANGE_USER},
        {SCREEN_USERS_CHOOSE, 210, 500, HIT_PANEL_OR_ROW},
        {SCREEN_USERS_DELETE, 320, 500, HIT_DELETE_USER},
        {SCREEN_USERS_DELETE, 750, 570, HIT_PANEL_OR_ROW},
    };
    for (const HitCase& c : cases) {
        wnd.m_nScreenState = c.nScreen;
        EXPECT_EQ(wnd.HitTest(c.x, c.y), c.nExpected)
            << "screen 0x" << std::hex << c.nScreen << std::dec << " at " << c.x << "," << c.y;
    }
}

TEST_F(WindowTest, TheMagnifierIsAControlOnlyWhileTheHintIsAvailable) {
    wnd.m_nScreenState = SCREEN_EXERCISE;
    wnd.m_Run.m_bHintAvailable = 0;
    EXPECT_EQ(wnd.HitTest(960, 700), HIT_NOTHING);
    wnd.m_Run.m_bHintAvailable = 1;
    EXPECT_EQ(wnd.HitTest(960, 700), HIT_HINT);
}

TEST_F(WindowTest, AnOpenPanelComesFirstOnTheUserScreen) {
    wnd.m_nScreenState = SCREEN_USERS;
    wnd.m_UserScreen.m_rcPanel = {250, 460, 435, 684}; // under the last row, over three buttons
    EXPECT_EQ(wnd.HitTest(300, 500), HIT_PANEL_OR_ROW);
    EXPECT_EQ(wnd.HitTest(450, 500), HIT_VIEW_SCORES);
}
