// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The user screen through the window's handlers: text input while the name board is open, the
// panel following the hand, the held arrows' timers, and the page each click leads to.
#include "gfx/Gbk.h"
#include "tests/app/WindowTestSupport.h"
#include "users/UserLayout.h"

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int GRASS_X = 100, GRASS_Y = 700;

// A point on user row k, away from where its text is drawn.
int RowY(int k) {
    return UserRow(k).top + 17;
}

struct UserScreenRouting : WindowTest {
    void SetUp() override {
        WindowTest::SetUp();
        wnd.m_nScreenState = SCREEN_USERS;
    }

    static void AddUser(const std::string& utf8Name) {
        asUSERINFO user;
        user.strName = GbkFromUtf8(utf8Name);
        AppendUser(user);
    }
    void Type(std::string_view utf8) {
        for (char byte : GbkFromUtf8(utf8))
            wnd.OnChar(static_cast<unsigned char>(byte), false);
    }
    // New user, left of any panel the last click may have opened.
    void ClickNewUser() { Click(220, 500); }
    void ClickAt(const Rect& rc) { Click((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2); }
    void PressAt(const Rect& rc) {
        wnd.OnLButtonDown((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    }
    void ReleaseAt(const Rect& rc) {
        wnd.OnLButtonUp((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    }
    // The hand onto row k, which opens its panel, then onto the panel.
    Rect OpenPanel(int k) {
        wnd.OnMouseMove(300, UserRow(k).top + 10, 0);
        EXPECT_EQ(wnd.m_UserScreen.m_nPanelSet, k);
        const Rect panel = wnd.m_UserScreen.m_rcPanel;
        wnd.OnMouseMove(panel.left + 5, panel.top + 5, 0);
        EXPECT_EQ(wnd.m_UserScreen.m_rcPanel, panel);
        return panel;
    }
};

} // namespace

TEST_F(UserScreenRouting, TheNameBoardTakesTextInputAndATakenNameKeepsItOpen) {
    AddUser("tom");
    ClickNewUser();
    ASSERT_EQ(wnd.m_nScreenState, SCREEN_USERS_NEWNAME);
    EXPECT_TRUE(host.m_bTextInput);
    Type("Tom");
    ClickAt(g_rcNameOk);
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_USERS_NEWNAME);
    EXPECT_TRUE(host.m_bTextInput);
    EXPECT_FALSE(wnd.m_UserScreen.m_strNotice.empty());

    wnd.OnKeyDown(VK_BACK);
    EXPECT_EQ(wnd.m_UserScreen.m_strNewName, "To");
    EXPECT_TRUE(wnd.m_UserScreen.m_strNotice.empty());
    Type("小红");
    ClickAt(g_rcNameOk);
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_USERS);
    EXPECT_FALSE(host.m_bTextInput);
    ASSERT_EQ(g_arrUsers.size(), 2u);
    EXPECT_EQ(Utf8FromGbk(g_arrUsers[1].strName), "To小红");
    EXPECT_EQ(g_nCurrentUser, 1);
}

TEST_F(UserScreenRouting, CancelOrOkWithNoNameEndsTextInputAndTheBoardReopensEmpty) {
    AddUser("tom");
    ClickNewUser();
    Type("tom");
    ClickAt(g_rcNameOk);
    ASSERT_FALSE(wnd.m_UserScreen.m_strNotice.empty());
    ClickAt(g_rcNameCancel);
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_USERS);
    EXPECT_FALSE(host.m_bTextInput);

    ClickNewUser();
    EXPECT_TRUE(host.m_bTextInput);
    EXPECT_TRUE(wnd.m_UserScreen.m_strNewName.empty());
    EXPECT_TRUE(wnd.m_UserScreen.m_strNotice.empty());
    ClickAt(g_rcNameOk);
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_USERS);
    EXPECT_FALSE(host.m_bTextInput);
    EXPECT_EQ(g_arrUsers.size(), 1u);
}

TEST_F(UserScreenRouting, AnAcceptedByteIsShownAtOnceARefusedOneAndOneOffTheBoardAreNot) {
    const int start = host.m_nPresents;
    wnd.OnChar('a', false);
    EXPECT_EQ(host.m_nPresents, start) << "no name board: typing goes nowhere";
    ClickNewUser();
    EXPECT_TRUE(wnd.m_UserScreen.m_strNewName.empty());
    const int before = host.m_nPresents;
    wnd.OnChar('a', false);
    EXPECT_EQ(host.m_nPresents, before + 1);
    wnd.OnChar('a', true); // a Ctrl letter is refused: no repaint
    EXPECT_EQ(host.m_nPresents, before + 1);
    EXPECT_EQ(wnd.m_UserScreen.m_strNewName, "a");
}

TEST_F(UserScreenRouting, ARefusedCharacterIsSaidUnderTheNameForTwoSecondsThenTheBoardIsAsItWas) {
    host.m_bKeepScreen = true;
    std::vector<uint32_t> said[2]; // the notice line: no GBK form (䶮 typed), no room left
    for (int row = 0; row < 2; ++row) {
        ClickNewUser();
        Type(std::string(size_t(row * MAX_NAME_BYTES), 'a'));
        const Surface board = host.m_Screen;
        row == 0 ? wnd.OnCharRefused() : Type("b");
        EXPECT_EQ(host.m_mapTimers[TIMER_NAME_REFUSAL], NAME_REFUSAL_MS);
        EXPECT_EQ(host.m_rcLastChanged, g_rcNameNotice) << "the notice line alone is repainted";
        for (int y = g_rcNameNotice.top; y < g_rcNameNotice.bottom; ++y)
            for (int x = g_rcNameNotice.left; x < g_rcNameNotice.right; ++x)
                said[row].push_back(host.m_Screen.GetPixel(x, y));
        wnd.OnTimer(TIMER_NAME_REFUSAL);
        EXPECT_EQ(std::memcmp(host.m_Screen.Data(), board.Data(),
                              size_t(CLIENT_WIDTH) * CLIENT_HEIGHT * 4),
                  0)
            << "the board and the name as they were, " << row;
        ClickAt(g_rcNameCancel);
    }
    EXPECT_NE(said[0], said[1]) << "each reason has its own words";
}

TEST_F(UserScreenRouting, ThePanelFollowsTheHandAndLeavingItClosesIt) {
    wnd.OnMouseMove(700, UserRow(3).top + 5, 0);
    EXPECT_EQ(wnd.m_UserScreen.m_nPanelSet, 3);
    wnd.OnMouseMove(GRASS_X, GRASS_Y, 0);
    EXPECT_TRUE(wnd.m_UserScreen.m_rcPanel.IsEmpty()) << "left from its row";

    OpenPanel(1);
    wnd.OnMouseMove(GRASS_X, GRASS_Y, 0);
    EXPECT_TRUE(wnd.m_UserScreen.m_rcPanel.IsEmpty());
    EXPECT_EQ(wnd.m_UserScreen.m_nPanelSet, -1) << "left from the panel";
    wnd.OnMouseMove(700, UserRow(4).top + 5, 0);
    EXPECT_EQ(wnd.m_UserScreen.m_nPanelSet, 4);
}

TEST_F(UserScreenRouting, AClickOnThePanelActsOnItLeavesNoTimerAndTheScreenStays) {
    const Rect panel = OpenPanel(0);
    ClickAt(wnd.m_UserScreen.m_rcRangeUp);
    EXPECT_EQ(g_ExerciseSets[0].nRange, 4);
    EXPECT_TRUE(host.m_mapTimers.empty());
    ClickAt({panel.left + 136, panel.top + 118, panel.left + 156, panel.top + 138}); // third box
    EXPECT_EQ(g_ExerciseSets[0].nOperations, 35u | OP_CHAIN_ADD);
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_USERS);
    EXPECT_EQ(wnd.m_UserScreen.m_rcPanel, panel);
}

TEST_F(UserScreenRouting, AClickOnThePanelOverAButtonActsOnThePanel) {
    OpenPanel(7);
    Click(280, 510); // New user's face lies under the panel here
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_USERS);
    Click(380, 495); // the raise arrow over Delete user's face
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_USERS);
    EXPECT_EQ(g_ExerciseSets[7].nRange, 11);
}

TEST_F(UserScreenRouting, HoldingRaiseStepsOncePerRepeatTickAndOnceMoreAtTheRelease) {
    OpenPanel(3); // limit 6
    const Rect up = wnd.m_UserScreen.m_rcRangeUp;
    PressAt(up);
    EXPECT_EQ(host.m_mapTimers, (std::map<int, unsigned>{{TIMER_INCREASE_DELAY, 500}}));
    EXPECT_EQ(g_ExerciseSets[3].nRange, 6) << "nothing changes at the press";

    wnd.OnTimer(TIMER_INCREASE_DELAY);
    EXPECT_EQ(host.m_mapTimers, (std::map<int, unsigned>{{TIMER_INCREASE_REPEAT, 50}}));
    EXPECT_EQ(g_ExerciseSets[3].nRange, 6) << "the delay itself does not step";
    for (int tick = 0; tick < 5; ++tick)
        wnd.OnTimer(TIMER_INCREASE_REPEAT);
    EXPECT_EQ(g_ExerciseSets[3].nRange, 11);

    ReleaseAt(up);
    EXPECT_EQ(g_ExerciseSets[3].nRange, 12);
    EXPECT_TRUE(host.m_mapTimers.empty());
}

TEST_F(UserScreenRouting, HeldArrowsStopAtThreeAndAtHundred) {
    OpenPanel(6); // limit 9
    const Rect down = wnd.m_UserScreen.m_rcRangeDown;
    PressAt(down);
    EXPECT_EQ(host.m_mapTimers, (std::map<int, unsigned>{{TIMER_DECREASE_DELAY, 500}}));
    wnd.OnTimer(TIMER_DECREASE_DELAY);
    EXPECT_EQ(host.m_mapTimers, (std::map<int, unsigned>{{TIMER_DECREASE_REPEAT, 50}}));
    for (int tick = 0; tick < 20; ++tick)
        wnd.OnTimer(TIMER_DECREASE_REPEAT);
    EXPECT_EQ(g_ExerciseSets[6].nRange, 3);
    ReleaseAt(down);
    EXPECT_EQ(g_ExerciseSets[6].nRange, 3);

    g_ExerciseSets[6].nRange = 97;
    const Rect up = wnd.m_UserScreen.m_rcRangeUp;
    PressAt(up);
    wnd.OnTimer(TIMER_INCREASE_DELAY);
    for (int tick = 0; tick < 10; ++tick)
        wnd.OnTimer(TIMER_INCREASE_REPEAT);
    EXPECT_EQ(g_ExerciseSets[6].nRange, 100);
    ReleaseAt(up);
    EXPECT_EQ(g_ExerciseSets[6].nRange, 100);
}

TEST_F(UserScreenRouting, APressOnThePanelOffTheArrowsStartsNoTimer) {
    const Rect panel = OpenPanel(0);
    wnd.OnLButtonDown(panel.left + 146, panel.top + 78); // on the first box
    EXPECT_TRUE(host.m_mapTimers.empty());
}

TEST_F(UserScreenRouting, ReleaseOnTheGrassAfterDraggingOffThePanelEndsTheRepeat) {
    OpenPanel(0);
    PressAt(wnd.m_UserScreen.m_rcRangeUp);
    wnd.OnTimer(TIMER_INCREASE_DELAY);
    wnd.OnTimer(TIMER_INCREASE_REPEAT);
    ASSERT_EQ(g_ExerciseSets[0].nRange, 4);
    wnd.OnMouseMove(GRASS_X, GRASS_Y, MK_LBUTTON);
    EXPECT_EQ(wnd.m_UserScreen.m_nPanelSet, -1);
    wnd.OnTimer(TIMER_INCREASE_REPEAT); // a tick already queued changes nothing
    wnd.OnLButtonUp(GRASS_X, GRASS_Y);
    EXPECT_TRUE(host.m_mapTimers.empty());
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_TITLE);
    EXPECT_EQ(g_ExerciseSets[0].nRange, 4);
}

TEST_F(UserScreenRouting, DraggingAHeldArrowOntoAnotherRowDoesNotStepThatRow) {
    OpenPanel(0);
    PressAt(wnd.m_UserScreen.m_rcRangeUp);
    wnd.OnTimer(TIMER_INCREASE_DELAY);
    wnd.OnMouseMove(700, UserRow(7).top + 5, MK_LBUTTON);
    EXPECT_EQ(wnd.m_UserScreen.m_nPanelSet, 7) << "the row under the pointer opens its panel";
    EXPECT_TRUE(host.m_mapTimers.empty()) << "the repeat ended with the panel it started on";
    EXPECT_EQ(g_ExerciseSets[7].nRange, 10);
}

TEST_F(UserScreenRouting, AClickOnASettingsRowLeavesForTheTitleWithRebuiltCaptions) {
    OpenPanel(0);
    ClickAt(wnd.m_UserScreen.m_rcRangeUp);
    Click(700, UserRow(5).top + 5);
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_TITLE);
    EXPECT_EQ(wnd.m_TitleItems[0].strCaption, GbkFromUtf8("4 以内算术题"));
}

TEST_F(UserScreenRouting, ARowClickChoosesOrDeletesAndThePageStays) {
    AddUser("Anna");
    AddUser("Tom");
    AddUser("小明");
    ClickAt(g_rcChangeUser);
    Click(300, RowY(2));
    EXPECT_EQ(g_nCurrentUser, 2);
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_USERS_CHOOSE);
    ClickAt(g_rcChangeUser);
    ClickAt(g_rcUserButtons[1]);
    Click(500, RowY(0));
    EXPECT_EQ(g_arrUsers.size(), 2u);
    EXPECT_EQ(g_nCurrentUser, 1) << "still 小明";
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_USERS_DELETE);
}

TEST_F(UserScreenRouting, TwelveUsersAreServedOnEveryPage) {
    for (int k = 0; k < 12; ++k)
        AddUser("u" + std::string(1, char('a' + k)));
    g_nCurrentUser = 11;
    for (uint32_t screen : {SCREEN_USERS, SCREEN_USERS_CHOOSE, SCREEN_USERS_SCORES,
                            SCREEN_USERS_DELETE, SCREEN_USERS_NEWNAME}) {
        wnd.m_nScreenState = screen;
        wnd.OnMouseMove(300, UserRow(11).top + 5, 0);
        wnd.OnMouseMove(301, UserRow(11).top + 6, 0);
    }
    wnd.m_nScreenState = SCREEN_USERS_DELETE;
    Click(300, UserRow(11).top + 5);
    ASSERT_EQ(g_arrUsers.size(), 11u);
    EXPECT_EQ(g_arrUsers.back().strName, "uk");
    EXPECT_EQ(g_nCurrentUser, 0);
}
