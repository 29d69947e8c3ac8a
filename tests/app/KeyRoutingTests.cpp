// Keys through the window's handlers: a key that chooses a control leads where a click on it
// leads, pixel for pixel and byte for byte; Escape's step back on each screen; the title's
// digits; the exercise page's keys; the panel's held Left and Right on its own timers.
#include "exercise/ExerciseLayout.h"
#include "gfx/Gbk.h"
#include "tests/app/WindowTestSupport.h"
#include "users/DataFile.h"
#include "users/UserLayout.h"

#include <cstring>
#include <functional>
#include <vector>

namespace {

constexpr unsigned CTRL_ENTER = VK_RETURN | VK_CTRL_HELD;
constexpr int GRASS_X = 900, GRASS_Y = 700;

using Steps = std::function<void(CSumoraWnd&)>;

int CentreX(const Rect& rc) {
    return (rc.left + rc.right) / 2;
}
int CentreY(const Rect& rc) {
    return (rc.top + rc.bottom) / 2;
}
void AddUser(const char* name, std::vector<int> scores = {}) {
    asUSERINFO user;
    user.strName = GbkFromUtf8(name);
    for (int score : scores)
        AppendScore(user, score);
    g_nCurrentUser = AppendUser(user);
}
void Click(CSumoraWnd& wnd, int x, int y) {
    wnd.OnMouseMove(x, y, 0);
    wnd.OnLButtonDown(x, y);
    wnd.OnLButtonUp(x, y);
}
void Key(CSumoraWnd& wnd, unsigned vk) {
    wnd.OnKeyDown(vk);
    wnd.OnKeyUp(vk & VK_CODE_MASK);
}
Steps ClickAt(int x, int y) {
    return [=](CSumoraWnd& wnd) { Click(wnd, x, y); };
}
Steps Then(Steps first, Steps second) {
    return [=](CSumoraWnd& wnd) {
        first(wnd);
        second(wnd);
    };
}
const Steps TO_USERS = ClickAt(400, 555);
const Steps TO_EXERCISE = ClickAt(400, 290);
const Steps WITH_TWO_CHILDREN = [](CSumoraWnd& wnd) {
    AddUser("Tom", {40, 80});
    AddUser("Ann");
    TO_USERS(wnd);
};

// One way of playing from a fresh start: what the screen shows at the end and what would be
// written.
struct asOUTCOME {
    uint32_t nScreenState = 0;
    std::vector<uint32_t> arrPixels;
    std::vector<uint8_t> arrData;
    bool bDestroyed = false;
};

asOUTCOME Play(const Steps& steps) {
    g_arrUsers.clear();
    g_nCurrentUser = 0;
    SetDefaultExerciseSets();
    CHeadlessWindow host;
    CSumoraWnd wnd(host);
    EXPECT_EQ(wnd.OnCreate(), 0);
    wnd.StopCartoons(); // the wings stand still, so two plays can be compared
    wnd.m_TransitionPace = QUICK_PACE;
    wnd.m_fnRand = [n = 0]() mutable { return (n++ * 7919 + 13) % 32768; };
    steps(wnd);
    asOUTCOME outcome;
    outcome.nScreenState = wnd.m_nScreenState;
    outcome.bDestroyed = wnd.IsDestroyed();
    if (!outcome.bDestroyed) {
        wnd.ComposeFrame();
        const Surface& frame = *wnd.m_hBitmap;
        outcome.arrPixels.assign(frame.Data(), frame.Data() + size_t(CLIENT_WIDTH) * CLIENT_HEIGHT);
    }
    outcome.arrData = EncodeDataFile(g_ExerciseSets, g_arrUsers, g_nCurrentUser);
    wnd.OnDestroy();
    g_arrUsers.clear();
    g_nCurrentUser = 0;
    return outcome;
}

struct asCHOICEROW {
    const char* strWhat;
    Steps before;
    Rect rcControl;
    unsigned nKey;
};

struct KeyRoutingWindow : WindowTest {};

} // namespace

// The hand rests on the control in both plays, so the frames that follow include the same hand.
TEST(KeyRouting, AKeyChoosingAControlLeadsWhereAClickOnItLeads) {
    const Rect panel3Box2 = {386, 438, 406, 458};
    const asCHOICEROW rows[] = {
        {"a plank starts its set", [](CSumoraWnd&) {}, TITLE_ITEM_RECTS[2], VK_RETURN},
        {"the information plank", [](CSumoraWnd&) {}, TITLE_ITEM_RECTS[8], VK_SPACE},
        {"new user", TO_USERS, g_rcUserButtons[0], VK_RETURN},
        {"delete user", WITH_TWO_CHILDREN, g_rcUserButtons[1], VK_RETURN},
        {"view scores", WITH_TWO_CHILDREN, g_rcUserButtons[2], VK_SPACE},
        {"default settings",
         Then(
             [](CSumoraWnd&) {
                 g_ExerciseSets[4] = {50, 2, 1};
             },
             TO_USERS),
         g_rcUserButtons[3], VK_RETURN},
        {"change user", WITH_TWO_CHILDREN, g_rcChangeUser, VK_RETURN},
        {"a kind box of the panel",
         Then(TO_USERS, [](CSumoraWnd& wnd) { wnd.OnMouseMove(300, UserRow(3).top + 10, 0); }),
         panel3Box2, VK_SPACE},
        {"OK on the name board",
         Then(Then(TO_USERS, ClickAt(CentreX(g_rcUserButtons[0]), CentreY(g_rcUserButtons[0]))),
              [](CSumoraWnd& wnd) {
                  for (char byte : std::string("Al"))
                      wnd.OnChar(static_cast<unsigned char>(byte), false);
              }),
         g_rcNameOk, VK_RETURN},
        {"Cancel on the name board is Escape",
         Then(TO_USERS, ClickAt(CentreX(g_rcUserButtons[0]), CentreY(g_rcUserButtons[0]))),
         g_rcNameCancel, VK_ESCAPE},
        {"a child chosen",
         Then(WITH_TWO_CHILDREN, ClickAt(CentreX(g_rcChangeUser), CentreY(g_rcChangeUser))),
         UserRow(0), VK_RETURN},
        {"a child deleted",
         Then(WITH_TWO_CHILDREN, ClickAt(CentreX(g_rcUserButtons[1]), CentreY(g_rcUserButtons[1]))),
         UserRow(1), VK_SPACE},
        {"back from the chart",
         Then(WITH_TWO_CHILDREN, ClickAt(CentreX(g_rcUserButtons[2]), CentreY(g_rcUserButtons[2]))),
         g_rcUserButtons[2], VK_RETURN},
        {"the magnifier is H", TO_EXERCISE, g_rcHint, VK_H},
        {"the finish book is Ctrl+Enter",
         Then(Then([](CSumoraWnd&) { AddUser("Tom"); }, TO_EXERCISE),
              [](CSumoraWnd& wnd) { Key(wnd, VK_H); }),
         g_rcFinish, CTRL_ENTER},
        {"on from the certificate",
         Then(Then(TO_EXERCISE, [](CSumoraWnd& wnd) { Key(wnd, VK_H); }),
              ClickAt(CentreX(g_rcFinish), CentreY(g_rcFinish))),
         {500, 400, 501, 401},
         VK_RETURN},
    };
    for (const asCHOICEROW& row : rows) {
        SCOPED_TRACE(row.strWhat);
        const int x = CentreX(row.rcControl), y = CentreY(row.rcControl);
        const asOUTCOME clicked = Play(Then(row.before, ClickAt(x, y)));
        const asOUTCOME keyed = Play(Then(row.before, [&](CSumoraWnd& wnd) {
            wnd.OnMouseMove(x, y, 0);
            Key(wnd, row.nKey);
        }));
        const asOUTCOME stayed =
            Play(Then(row.before, [&](CSumoraWnd& wnd) { wnd.OnMouseMove(x, y, 0); }));
        EXPECT_EQ(keyed.nScreenState, clicked.nScreenState);
        EXPECT_TRUE(keyed.arrPixels == clicked.arrPixels) << "the screen that follows differs";
        EXPECT_EQ(keyed.arrData, clicked.arrData);
        EXPECT_TRUE(stayed.arrPixels != clicked.arrPixels || stayed.arrData != clicked.arrData)
            << "the control must do something for the row to prove anything";
    }
}

TEST(KeyRouting, EscapeGoesOneStepBackAndNeverLeavesTheGame) {
    const struct {
        const char* strWhat;
        Steps before;
        uint32_t nBack;
    } rows[] = {
        {"the title stays", [](CSumoraWnd&) {}, SCREEN_TITLE},
        {"a run goes on", TO_EXERCISE, SCREEN_EXERCISE},
        {"the certificate goes on to the title",
         Then(Then(TO_EXERCISE, [](CSumoraWnd& wnd) { Key(wnd, VK_H); }),
              [](CSumoraWnd& wnd) { Key(wnd, VK_HOME); }),
         SCREEN_TITLE},
        {"the users page goes to the title", TO_USERS, SCREEN_TITLE},
        {"an open panel closes first", Then(TO_USERS, [](CSumoraWnd& wnd) { Key(wnd, VK_RETURN); }),
         SCREEN_USERS},
        {"the chart", Then(WITH_TWO_CHILDREN, ClickAt(478, 509)), SCREEN_USERS},
        {"the name board", Then(TO_USERS, ClickAt(256, 509)), SCREEN_USERS},
        {"choosing a child", Then(WITH_TWO_CHILDREN, ClickAt(790, 584)), SCREEN_USERS},
        {"deleting a child", Then(WITH_TWO_CHILDREN, ClickAt(367, 509)), SCREEN_USERS},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.strWhat);
        bool panelClosed = false, textInput = true;
        const asOUTCOME outcome = Play(Then(row.before, [&](CSumoraWnd& wnd) {
            Key(wnd, VK_ESCAPE);
            panelClosed = wnd.m_UserScreen.m_rcPanel.IsEmpty();
            textInput = wnd.m_nScreenState == SCREEN_USERS_NEWNAME;
        }));
        EXPECT_FALSE(outcome.bDestroyed);
        EXPECT_EQ(outcome.nScreenState, row.nBack);
        EXPECT_TRUE(panelClosed);
        EXPECT_FALSE(textInput);
    }
}

TEST(KeyRouting, TheTitlesDigitsStartTheirPlanksSetAtOnce) {
    for (unsigned vk : {VK_0 + 3, VK_NUMPAD0 + 8, VK_0 + 1}) {
        const int k = int(vk >= VK_NUMPAD0 ? vk - VK_NUMPAD0 : vk - VK_0) - 1;
        int runItem = -1, selected = -1;
        const asOUTCOME keyed = Play([&](CSumoraWnd& wnd) {
            wnd.OnMouseMove(GRASS_X, GRASS_Y, 0);
            Key(wnd, vk);
            runItem = wnd.m_Run.m_nRunItem;
            selected = wnd.m_nSelectedSet;
        });
        EXPECT_EQ(keyed.nScreenState, SCREEN_EXERCISE);
        EXPECT_EQ(runItem, k);
        EXPECT_EQ(selected, k);
    }
    const asOUTCOME stayed = Play([](CSumoraWnd& wnd) {
        for (unsigned vk : {VK_0, VK_0 + 9, VK_NUMPAD0 + 9, VK_ESCAPE})
            Key(wnd, vk);
    });
    EXPECT_EQ(stayed.nScreenState, SCREEN_TITLE);
    EXPECT_FALSE(stayed.bDestroyed);
}

TEST_F(KeyRoutingWindow, TheLeaveSignsOwnWayOutIsTheOnlyKeyThatLeaves) {
    for (unsigned vk :
         {VK_ESCAPE, VK_HOME, VK_DELETE, VK_BACK, VK_TAB | VK_SHIFT_HELD, VK_TAB | VK_SHIFT_HELD})
        wnd.OnKeyDown(vk);
    ASSERT_FALSE(wnd.IsDestroyed());
    EXPECT_TRUE(wnd.ShownFocus() && wnd.ShownFocus()->nCode == HIT_LEAVE);
    wnd.OnKeyDown(VK_RETURN);
    EXPECT_TRUE(wnd.IsDestroyed());
    EXPECT_TRUE(host.m_bDestroyed);
}

TEST_F(KeyRoutingWindow, NoSlipOfTheHandEndsARun) {
    AddUser("Tom");
    ClickPlank(1);
    ASSERT_EQ(wnd.m_nScreenState, SCREEN_EXERCISE);
    wnd.OnKeyDown(VK_H);
    EXPECT_EQ(wnd.m_Run.m_bHintAvailable, 0);
    EXPECT_EQ(wnd.m_Run.m_nTotalDone, 1);
    // Shift does not keep a digit from typing; Enter checks, Escape and Space do nothing.
    wnd.OnKeyDown((VK_0 + 7) | VK_SHIFT_HELD);
    EXPECT_EQ(wnd.m_Run.m_strInput, "7");
    for (unsigned vk : {VK_RETURN, VK_ESCAPE, VK_SPACE, VK_H, VK_TAB, VK_LEFT})
        wnd.OnKeyDown(vk);
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_EXERCISE);
    EXPECT_EQ(wnd.m_Run.m_nTotalDone, 1) << "the magnifier works once a page";
    wnd.OnKeyDown(CTRL_ENTER);
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_CERTIFICATE);
    EXPECT_EQ(g_arrUsers[0].nLastScore, 0) << "the finished run's score is recorded";
}

TEST_F(KeyRoutingWindow, AHeldLeftOrRightStepsOnThePanelsTimers) {
    wnd.m_nScreenState = SCREEN_USERS;
    wnd.OnKeyDown(VK_DOWN);
    wnd.OnKeyDown(VK_RIGHT); // opens the panel of set 0 (limit 3)
    ASSERT_EQ(wnd.m_UserScreen.m_nPanelSet, 0);
    wnd.OnKeyDown(VK_RIGHT); // the keyboard's repeat of the same press
    EXPECT_EQ(g_ExerciseSets[0].nRange, 3);
    EXPECT_FALSE(host.HasTimer(TIMER_INCREASE_DELAY));
    wnd.OnKeyUp(VK_RIGHT);

    wnd.OnKeyDown(VK_RIGHT);
    EXPECT_EQ(g_ExerciseSets[0].nRange, 4) << "a press steps at once";
    EXPECT_EQ(host.m_mapTimers[TIMER_INCREASE_DELAY], ARROW_DELAY_MS);
    wnd.OnKeyDown(VK_RIGHT);
    wnd.OnKeyDown(VK_RIGHT);
    EXPECT_EQ(g_ExerciseSets[0].nRange, 4) << "the keyboard's repeats are not steps";
    wnd.OnTimer(TIMER_INCREASE_DELAY);
    EXPECT_EQ(host.m_mapTimers[TIMER_INCREASE_REPEAT], ARROW_REPEAT_MS);
    for (int i = 0; i < 5; ++i)
        wnd.OnTimer(TIMER_INCREASE_REPEAT);
    EXPECT_EQ(g_ExerciseSets[0].nRange, 9);
    wnd.OnKeyUp(VK_RIGHT);
    EXPECT_TRUE(host.m_mapTimers.empty());

    wnd.OnKeyDown(VK_LEFT);
    EXPECT_EQ(g_ExerciseSets[0].nRange, 8);
    EXPECT_TRUE(host.HasTimer(TIMER_DECREASE_DELAY));
    wnd.OnKeyDown(VK_ESCAPE); // the panel closes: a held key steps no other set
    EXPECT_TRUE(host.m_mapTimers.empty());
    wnd.OnKeyUp(VK_LEFT);
    EXPECT_EQ(g_ExerciseSets[0].nRange, 8);
}

TEST_F(KeyRoutingWindow, SpaceTicksABoxAndEnterOnAnArrowStepsOnce) {
    wnd.m_nScreenState = SCREEN_USERS;
    wnd.OnKeyDown(VK_DOWN);
    wnd.OnKeyDown(VK_DOWN);
    wnd.OnKeyDown(VK_RETURN); // the panel of set 1 (limit 4, kinds 35), on <<
    wnd.OnKeyDown(VK_RETURN);
    EXPECT_EQ(g_ExerciseSets[1].nRange, 3);
    EXPECT_TRUE(host.m_mapTimers.empty());
    for (int i = 0; i < 4; ++i)
        wnd.OnKeyDown(VK_TAB); // >>, then the boxes of 加 减 连加
    wnd.OnKeyDown(VK_SPACE);
    EXPECT_EQ(g_ExerciseSets[1].nOperations, 35u | 4u);
    wnd.OnKeyDown(VK_SPACE);
    EXPECT_EQ(g_ExerciseSets[1].nOperations, 35u);
}
