// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard: a table of keys and where each screen's focus ends; a key choosing a control
// leads where a click on it leads, pixel for pixel and byte for byte; the pointer's part; the
// held Left and Right on the panel's timers; no key but the leave sign's own way out leaves.
#include "exercise/ExerciseLayout.h"
#include "gfx/Gbk.h"
#include "tests/app/WindowTestSupport.h"
#include "users/DataFile.h"
#include "users/UserLayout.h"

#include <cstring>
#include <functional>
#include <tuple>
#include <vector>

namespace {

constexpr unsigned S_TAB = VK_TAB | VK_SHIFT_HELD;
constexpr Rect NOWHERE = {};
constexpr Rect PANEL3_DOWN = {268, 331, 329, 360}; // set 3's panel hangs from (250, 320)
constexpr Rect PanelBox(int j) {
    return {386, 388 + 25 * j, 406, 408 + 25 * j};
}
constexpr Rect CHART = {187, 322, 860, 475};
constexpr Color RING_BAND = RGB(0xff, 0xd2, 0x3f);

using Steps = std::function<void(CSumoraWnd&)>;

void Key(CSumoraWnd& wnd, unsigned vk, int times = 1) {
    for (int i = 0; i < times; ++i) {
        wnd.OnKeyDown(vk);
        wnd.OnKeyUp(vk & VK_CODE_MASK);
    }
}
// Each pressed once, in order; a 0 is followed by a count and the key pressed that often.
void Keys(CSumoraWnd& wnd, const std::vector<unsigned>& keys) {
    for (size_t i = 0; i < keys.size(); i += keys[i] == 0 ? 3 : 1)
        Key(wnd, keys[i] == 0 ? keys[i + 2] : keys[i], keys[i] == 0 ? int(keys[i + 1]) : 1);
}
void AddUser(const char* name) {
    asUSERINFO user;
    user.strName = GbkFromUtf8(name);
    AppendScore(user, 40);
    g_nCurrentUser = AppendUser(user);
}
Steps ClickAt(const Rect& rc) {
    return [=](CSumoraWnd& wnd) {
        const int x = (rc.left + rc.right) / 2, y = (rc.top + rc.bottom) / 2;
        wnd.OnMouseMove(x, y, 0);
        wnd.OnLButtonDown(x, y);
        wnd.OnLButtonUp(x, y);
    };
}
Steps Then(std::vector<Steps> steps) {
    return [=](CSumoraWnd& wnd) {
        for (const Steps& step : steps)
            step(wnd);
    };
}
const Steps NOTHING = [](CSumoraWnd&) {};
const Steps TO_USERS = ClickAt(TITLE_ITEM_RECTS[8]);
const Steps TO_EXERCISE = ClickAt(TITLE_ITEM_RECTS[2]);
const Steps CHILDREN = [](CSumoraWnd& wnd) {
    for (const char* name : {"Tom", "Ann", "Bo"})
        AddUser(name);
    g_nCurrentUser = 1;
    TO_USERS(wnd);
};
const Steps NAME_BOARD = Then({TO_USERS, ClickAt(g_rcUserButtons[0])});
const Steps PANEL3 = Then({TO_USERS, [](CSumoraWnd& wnd) { wnd.m_UserScreen.OpenPanel(3); }});

// What a play from a fresh start ends with: the frame, the data file's bytes, the focus.
struct asOUTCOME {
    uint32_t nScreenState = 0;
    std::vector<uint32_t> arrPixels;
    std::vector<uint8_t> arrData;
    Rect rcFocus;
};

asOUTCOME Play(const Steps& steps) {
    g_arrUsers.clear();
    g_nCurrentUser = 0;
    SetDefaultExerciseSets();
    CHeadlessWindow host;
    CSumoraWnd wnd(host);
    EXPECT_EQ(wnd.OnCreate(), 0);
    wnd.StopCartoons(); // wings that stand still, so that two plays compare
    wnd.m_TransitionPace = QUICK_PACE;
    wnd.m_fnRand = [n = 0]() mutable { return (n++ * 7919 + 13) % 32768; };
    steps(wnd);
    asOUTCOME outcome;
    outcome.nScreenState = wnd.m_nScreenState;
    if (const std::optional<asFOCUSCONTROL> focus = wnd.ShownFocus()) outcome.rcFocus = focus->rc;
    wnd.ComposeFrame();
    const uint32_t* pixels = wnd.m_hBitmap->Data();
    outcome.arrPixels.assign(pixels, pixels + size_t(CLIENT_WIDTH) * CLIENT_HEIGHT);
    outcome.arrData = EncodeDataFile(g_ExerciseSets, g_arrUsers, g_nCurrentUser);
    wnd.OnDestroy();
    g_arrUsers.clear();
    return outcome;
}
uint32_t PixelOf(const asOUTCOME& outcome, int x, int y) {
    return outcome.arrPixels[size_t(y) * CLIENT_WIDTH + size_t(x)];
}

struct asFOCUSROW {
    const char* strWhat;
    Steps start;
    std::vector<unsigned> arrKeys; // each pressed once, in order; a count follows a 0
    Rect rcFocus;                  // NOWHERE: not shown
};

const asFOCUSROW FOCUS_TABLE[] = {
    {"a first key shows the focus where it rests", NOTHING, {VK_DOWN}, TITLE_ITEM_RECTS[0]},
    {"Down reads down the planks", NOTHING, {VK_DOWN, VK_DOWN, VK_DOWN}, TITLE_ITEM_RECTS[2]},
    {"Down stops at the leave sign", NOTHING, {0, 14, VK_DOWN}, g_rcLeave},
    {"Shift+Tab goes round to the leave sign", NOTHING, {S_TAB, S_TAB}, g_rcLeave},
    {"Tab goes round from the leave sign", NOTHING, {0, 11, VK_TAB}, TITLE_ITEM_RECTS[0]},
    {"the settings rows come first", TO_USERS, {VK_DOWN, VK_DOWN}, UserRow(1)},
    {"the five buttons follow the rows", TO_USERS, {0, 9, VK_TAB}, g_rcUserButtons[0]},
    {"Left and Right walk the buttons",
     TO_USERS,
     {S_TAB, S_TAB, VK_LEFT, VK_LEFT, VK_RIGHT},
     g_rcUserButtons[3]},
    {"Right on a row opens its panel on <<", TO_USERS, {0, 4, VK_DOWN, VK_RIGHT}, PANEL3_DOWN},
    {"Tab walks the arrows, then the boxes", PANEL3, {0, 3, VK_TAB}, PanelBox(0)},
    {"Shift+Tab goes round to the last box", PANEL3, {S_TAB, S_TAB}, PanelBox(5)},
    {"Escape closes the panel onto its row", PANEL3, {VK_TAB, VK_ESCAPE}, UserRow(3)},
    {"the name board's focus rests on OK", NAME_BOARD, {VK_DOWN}, g_rcNameOk},
    {"Left goes to Cancel and stops", NAME_BOARD, {VK_LEFT, VK_LEFT}, g_rcNameCancel},
    {"Space is part of a name", NAME_BOARD, {VK_SPACE}, NOWHERE},
    {"the focus rests on the current child",
     Then({CHILDREN, ClickAt(g_rcChangeUser)}),
     {VK_DOWN},
     UserRow(1)},
    {"the way back follows the children",
     Then({CHILDREN, ClickAt(g_rcUserButtons[1])}),
     {0, 5, VK_DOWN},
     g_rcUserButtons[1]},
    {"the chart takes the focus", Then({CHILDREN, ClickAt(g_rcUserButtons[2])}), {VK_TAB}, CHART},
};

} // namespace

TEST(KeyFocus, EachScreensKeysMoveTheFocusAsTheTableSaysAndRingWhatHasNoHighlight) {
    for (const asFOCUSROW& row : FOCUS_TABLE) {
        SCOPED_TRACE(row.strWhat);
        uint32_t screen = 0;
        const asOUTCOME outcome = Play([&](CSumoraWnd& wnd) {
            wnd.OnMouseMove(900, 10, 0); // the hand on the sky, away from every control
            row.start(wnd);
            screen = wnd.m_nScreenState;
            Keys(wnd, row.arrKeys);
        });
        EXPECT_EQ(outcome.rcFocus, row.rcFocus);
        EXPECT_EQ(outcome.nScreenState, screen) << "moving the focus changes no screen";
        // Rows and the chart have two pixels of room round their ring, a small box none.
        const Rect& rc = row.rcFocus;
        const bool ringed = rc == CHART || rc == UserRow(0) || rc == UserRow(1) ||
                            rc == UserRow(3) || rc == PanelBox(0) || rc == PanelBox(5);
        EXPECT_TRUE(!ringed || PixelOf(outcome, rc.left - (rc.Height() < 30 ? 2 : 4),
                                       rc.top + 10) == RING_BAND);
    }
}

// The hand rests on the control in both plays: the frames that follow show the same hand.
TEST(KeyFocus, AKeyChoosingAControlLeadsWhereAClickOnItLeads) {
    const struct {
        const char* strWhat;
        Steps before;
        Rect rcControl;
        unsigned nKey;
    } rows[] = {
        {"a plank starts its set", NOTHING, TITLE_ITEM_RECTS[2], VK_RETURN},
        {"or its digit does", NOTHING, TITLE_ITEM_RECTS[5], VK_NUMPAD0 + 6},
        {"new user", TO_USERS, g_rcUserButtons[0], VK_RETURN},
        {"free space is Escape", TO_USERS, {600, 690, 601, 691}, VK_ESCAPE},
        {"a kind box ticked with Space",
         Then({TO_USERS, [](CSumoraWnd& wnd) { wnd.OnMouseMove(300, UserRow(3).top + 10, 0); }}),
         PanelBox(2), VK_SPACE},
        {"OK on the name board",
         Then({TO_USERS, ClickAt(g_rcUserButtons[0]),
               [](CSumoraWnd& wnd) { wnd.OnChar('A', false); }}),
         g_rcNameOk, VK_RETURN},
        {"a child chosen", Then({CHILDREN, ClickAt(g_rcChangeUser)}), UserRow(0), VK_RETURN},
        {"back from choosing is Escape", Then({CHILDREN, ClickAt(g_rcChangeUser)}), g_rcChangeUser,
         VK_ESCAPE},
        {"the magnifier is H", TO_EXERCISE, g_rcHint, VK_H},
        {"the finish book is Ctrl+Enter",
         Then({[](CSumoraWnd&) { AddUser("Tom"); }, TO_EXERCISE, ClickAt(g_rcHint)}), g_rcFinish,
         VK_RETURN | VK_CTRL_HELD},
        {"the certificate goes on with Escape",
         Then({TO_EXERCISE, ClickAt(g_rcHint), ClickAt(g_rcFinish)}),
         {500, 400, 501, 401},
         VK_ESCAPE},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.strWhat);
        const Steps point = [&](CSumoraWnd& wnd) {
            wnd.OnMouseMove((row.rcControl.left + row.rcControl.right) / 2,
                            (row.rcControl.top + row.rcControl.bottom) / 2, 0);
        };
        const asOUTCOME clicked = Play(Then({row.before, ClickAt(row.rcControl)}));
        const asOUTCOME keyed =
            Play(Then({row.before, point, [&](CSumoraWnd& wnd) { Key(wnd, row.nKey); }}));
        const asOUTCOME pointed = Play(Then({row.before, point}));
        EXPECT_EQ(keyed.nScreenState, clicked.nScreenState);
        EXPECT_TRUE(keyed.arrPixels == clicked.arrPixels) << "the screen that follows differs";
        EXPECT_EQ(keyed.arrData, clicked.arrData);
        EXPECT_TRUE(pointed.arrPixels != clicked.arrPixels || pointed.arrData != clicked.arrData)
            << "the click must do something for the row to prove anything";
    }
}

// The focus is given to the second child by the pointer, as in the rows above.
TEST(KeyFocus, AChildDeletedByKeyLeavesTheFocusOnTheWayBackSoAHeldKeyDeletesNoOther) {
    const asOUTCOME held = Play(Then({CHILDREN, ClickAt(g_rcUserButtons[1]), [](CSumoraWnd& wnd) {
                                          wnd.OnMouseMove(500, UserRow(1).top + 17, 0);
                                          wnd.OnKeyDown(VK_RETURN);
                                          wnd.OnKeyDown(VK_RETURN); // the keyboard's repeat
                                          EXPECT_EQ(g_arrUsers.size(), 2u);
                                      }}));
    EXPECT_EQ(held.nScreenState, SCREEN_USERS) << "the repeat goes back";
}

// The keys alone, the pointer outside the window (never in, or gone from plank 4 in the middle):
// after each way back, what is lifted or ringed and what Enter chooses is the shown focus.
TEST(KeyFocus, AfterEveryWayBackByKeyWhatIsLitOpenAndChosenIsTheFocus) {
    const Steps gone = [](CSumoraWnd& wnd) {
        wnd.OnMouseMove(CLIENT_WIDTH / 2, CLIENT_HEIGHT / 2, 0);
        wnd.OnMouseLeave();
    };
    const std::tuple<Steps, std::vector<unsigned>, Rect> rows[] = {
        {NOTHING,
         {VK_DOWN, S_TAB, S_TAB, VK_RETURN, VK_ESCAPE, VK_0 + 2, VK_HOME},
         TITLE_ITEM_RECTS[1]},
        {gone, {VK_0 + 2, VK_H, VK_RETURN | VK_CTRL_HELD, VK_RETURN}, TITLE_ITEM_RECTS[1]},
        {gone, {S_TAB, 0, 4, VK_DOWN, VK_RETURN, VK_ESCAPE}, TITLE_ITEM_RECTS[8]},
        {gone, {S_TAB, 0, 4, VK_DOWN, VK_RETURN, 0, 8, VK_TAB, VK_RETURN, VK_RETURN}, UserRow(0)},
    };
    for (const auto& [pointer, keys, focus] : rows)
        Play(Then({pointer, [&](CSumoraWnd& wnd) {
                       Keys(wnd, keys);
                       EXPECT_TRUE(wnd.HandBox().IsEmpty() && wnd.m_UserScreen.m_rcPanel.IsEmpty());
                       EXPECT_EQ(wnd.ShownFocus().value_or(asFOCUSCONTROL{}).rc, focus);
                       for (int k = 0; k < TITLE_ITEM_COUNT; ++k)
                           EXPECT_EQ(wnd.m_nScreenState == SCREEN_TITLE &&
                                         wnd.m_TitleItems[size_t(k)].nFlags,
                                     TITLE_ITEM_RECTS[size_t(k)] == focus)
                               << k;
                   }}));
}

TEST_F(WindowTest, KeyFocusFollowsThePointerAndAShownFocusGoesWithTheNextMove) {
    const Rect& plank4 = TITLE_ITEM_RECTS[4];
    wnd.OnMouseMove(400, plank4.top + 5, 0);
    Key(wnd, VK_DOWN); // the hand shows plank 4 already: the focus moves on at once
    EXPECT_EQ(wnd.ShownFocus()->rc, TITLE_ITEM_RECTS[5]);
    EXPECT_EQ(wnd.m_TitleItems[5].nFlags, 1) << "the focused plank is the lifted one";
    EXPECT_EQ(wnd.m_TitleItems[4].nFlags, 0);

    host.m_bKeepScreen = true;
    wnd.OnMouseMove(400, TITLE_ITEM_RECTS[2].top + 5, 0);
    EXPECT_FALSE(wnd.ShownFocus()) << "the pointer hides the keyboard's focus";
    CImageLayer whole;
    ASSERT_TRUE(whole.CreateSurface(CLIENT_WIDTH, CLIENT_HEIGHT));
    wnd.ComposeFrame(whole);
    EXPECT_EQ(std::memcmp(host.m_Screen.Data(), whole.m_hBitmap->Data(),
                          size_t(CLIENT_WIDTH) * CLIENT_HEIGHT * 4),
              0)
        << "the move repaints what the focus lit";
    wnd.OnMouseMove(900, 700, 0); // onto the grass
    Key(wnd, VK_DOWN);
    EXPECT_EQ(wnd.ShownFocus()->rc, TITLE_ITEM_RECTS[2]) << "shown where the pointer left it";
}

TEST_F(WindowTest, KeyFocusNoKeyButTheLeaveSignsOwnWayOutEndsARunOrTheGame) {
    ClickPlank(1);
    for (unsigned vk : {VK_H, VK_RETURN, VK_ESCAPE, VK_SPACE, VK_H, VK_TAB, VK_LEFT})
        wnd.OnKeyDown(vk);
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_EXERCISE);
    EXPECT_EQ(wnd.m_Run.m_nTotalDone, 1) << "the magnifier works once a page";
    wnd.OnKeyDown((VK_0 + 7) | VK_SHIFT_HELD);
    EXPECT_EQ(wnd.m_Run.m_strInput, "7") << "Shift keeps no digit from typing";
    wnd.OnKeyDown(VK_HOME);
    wnd.OnKeyDown(VK_ESCAPE); // the certificate goes on
    for (unsigned vk : {VK_ESCAPE, VK_HOME, VK_DELETE, VK_BACK, S_TAB, S_TAB})
        wnd.OnKeyDown(vk);
    ASSERT_FALSE(wnd.IsDestroyed());
    wnd.OnKeyDown(VK_RETURN); // on the leave sign
    EXPECT_TRUE(host.m_bDestroyed);
}

TEST_F(WindowTest, KeyFocusAHeldLeftOrRightStepsOnThePanelsTimers) {
    wnd.m_nScreenState = SCREEN_USERS;
    wnd.OnKeyDown(VK_DOWN);
    wnd.OnKeyDown(VK_RIGHT); // opens set 0's panel (limit 3); its repeat steps nothing
    wnd.OnKeyDown(VK_RIGHT);
    ASSERT_EQ(wnd.m_UserScreen.m_nPanelSet, 0);
    EXPECT_EQ(g_ExerciseSets[0].nRange, 3);
    wnd.OnKeyUp(VK_RIGHT);
    wnd.OnKeyDown(VK_RIGHT);
    wnd.OnKeyDown(VK_RIGHT); // the keyboard's repeat
    EXPECT_EQ(g_ExerciseSets[0].nRange, 4) << "a press steps once, at once";
    EXPECT_EQ(host.m_mapTimers[TIMER_INCREASE_DELAY], ARROW_DELAY_MS);
    wnd.OnTimer(TIMER_INCREASE_DELAY);
    EXPECT_EQ(host.m_mapTimers[TIMER_INCREASE_REPEAT], ARROW_REPEAT_MS);
    for (int i = 0; i < 5; ++i)
        wnd.OnTimer(TIMER_INCREASE_REPEAT);
    EXPECT_EQ(g_ExerciseSets[0].nRange, 9);
    wnd.OnKeyUp(VK_RIGHT);
    EXPECT_TRUE(host.m_mapTimers.empty());
    wnd.OnKeyDown(VK_LEFT);
    EXPECT_TRUE(host.HasTimer(TIMER_DECREASE_DELAY));
    wnd.OnKeyDown(VK_ESCAPE); // the panel closes: a held key steps no other set
    EXPECT_TRUE(host.m_mapTimers.empty());
    EXPECT_EQ(g_ExerciseSets[0].nRange, 8);
}
