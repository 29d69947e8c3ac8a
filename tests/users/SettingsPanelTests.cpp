// The settings list and its hover panel: row texts, where the panel opens and closes, the
// arrows with their press-and-hold repeat driven by the timers, and the kind boxes.
#include "app/TitleScreen.h"
#include "tests/users/UserScreenFixture.h"

namespace {

constexpr int GRASS_X = 100, GRASS_Y = 700;

struct SettingsPanelTest : UserScreenTest {
    // Opens the panel under row k (the repaint after the move opens it) and moves onto it.
    Rect OpenPanel(int k) {
        wnd.OnMouseMove(300, UserRow(k).top + 10, 0);
        EXPECT_EQ(wnd.m_UserScreen.m_nPanelSet, k);
        const Rect panel = wnd.m_UserScreen.m_rcPanel;
        wnd.OnMouseMove(panel.left + 5, panel.top + 5, 0);
        EXPECT_EQ(wnd.m_UserScreen.m_rcPanel, panel);
        return panel;
    }
    void ClickAt(const Rect& rc) { Click((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2); }
    void PressAt(const Rect& rc) {
        wnd.OnLButtonDown((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    }
    void ReleaseAt(const Rect& rc) {
        wnd.OnLButtonUp((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    }
    static Rect Box(const Rect& panel, int j) {
        return {panel.left + 136, panel.top + 68 + 25 * j, panel.left + 156,
                panel.top + 88 + 25 * j};
    }
};

} // namespace

TEST_F(SettingsPanelTest, RowTextsNameTheLimitAndEveryKindInOrder) {
    EXPECT_EQ(SettingsRowText({3, 2, 35}), GbkFromUtf8("3以内 加 减 填空"));
    EXPECT_EQ(SettingsRowText({5, 2, 0}), GbkFromUtf8("5以内"));
    EXPECT_EQ(SettingsRowText({100, 2, 63}), GbkFromUtf8("100以内 加 减 连加 连减 加减混合 填空"));
    EXPECT_EQ(SettingsRowText({12, 2, OP_CHAIN_SUBTRACT | OP_MIXED}),
              GbkFromUtf8("12以内 连减 加减混合"));
}

TEST_F(SettingsPanelTest, PanelOpensUnderThePointedRowWithItsArrows) {
    g_ExerciseSets[0].nOperations = 0; // no ticks over the panel
    wnd.OnMouseMove(700, UserRow(0).top + 5, 0);
    EXPECT_EQ(wnd.m_UserScreen.m_nPanelSet, 0);
    EXPECT_EQ(wnd.m_UserScreen.m_rcPanel, (Rect{250, 215, 435, 439}));
    EXPECT_EQ(wnd.m_UserScreen.m_rcRangeDown, (Rect{268, 226, 329, 255}));
    EXPECT_EQ(wnd.m_UserScreen.m_rcRangeUp, (Rect{359, 226, 420, 255}));
    EXPECT_TRUE(ShowsPicture(Screen(), PANEL_PICTURE, 250, 215));

    wnd.OnMouseMove(700, UserRow(7).top + 5, 0);
    EXPECT_EQ(wnd.m_UserScreen.m_nPanelSet, 7);
    EXPECT_EQ(wnd.m_UserScreen.m_rcPanel, (Rect{250, 460, 435, 684}));
    EXPECT_EQ(wnd.m_UserScreen.m_rcRangeUp, (Rect{359, 471, 420, 500}));
}

TEST_F(SettingsPanelTest, PointedRowMovesLeftAndTheOthersStayRight) {
    wnd.OnMouseMove(700, UserRow(2).top + 5, 0);
    const Surface& frame = Screen();
    EXPECT_LE(ChangedBox(frame, UserRow(2)).left, 252);
    EXPECT_GE(ChangedBox(frame, UserRow(1)).right, 770);
    EXPECT_GT(ChangedBox(frame, UserRow(1)).left, 500);
}

TEST_F(SettingsPanelTest, PanelShowsTicksForTheSetKindsAndTheLitArrow) {
    g_ExerciseSets[0].nOperations = OP_ADD | OP_FILL_BLANK;
    const Rect panel = OpenPanel(0);
    wnd.OnMouseMove(wnd.m_UserScreen.m_rcRangeUp.left + 3, wnd.m_UserScreen.m_rcRangeUp.top + 3, 0);
    const Surface& frame = Screen();
    EXPECT_TRUE(ShowsPicture(frame, RANGE_UP_HOVER_PICTURE, wnd.m_UserScreen.m_rcRangeUp.left,
                             wnd.m_UserScreen.m_rcRangeUp.top));
    EXPECT_FALSE(ShowsPicture(frame, RANGE_DOWN_HOVER_PICTURE, wnd.m_UserScreen.m_rcRangeDown.left,
                              wnd.m_UserScreen.m_rcRangeDown.top));
    const asPICTUREINFO* panelPicture = FindPicture(PANEL_PICTURE);
    for (int j = 0; j < 6; ++j) {
        const Rect box = Box(panel, j);
        int differs = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                differs += PixelAt(frame, box.left + x, box.top + y) !=
                           (panelPicture->View().At(136 + x, 68 + 25 * j + y) & 0xFFFFFF);
        EXPECT_EQ(differs > 0, j == 0 || j == 5) << "box " << j;
    }
}

TEST_F(SettingsPanelTest, OpenPanelHidesTheButtonHighlights) {
    const Rect panel = OpenPanel(7);
    wnd.OnMouseMove(280, 510, 0); // on the panel, over the New user button's face
    EXPECT_EQ(wnd.m_UserScreen.m_rcPanel, panel);
    EXPECT_FALSE(ShowsPicture(Screen(), NEW_USER_HOVER_PICTURE, 206, 491));
}

TEST_F(SettingsPanelTest, PanelClosesWhenThePointerLeavesItsRowWithoutEnteringIt) {
    wnd.OnMouseMove(700, UserRow(3).top + 5, 0);
    ASSERT_FALSE(wnd.m_UserScreen.m_rcPanel.IsEmpty());
    wnd.OnMouseMove(GRASS_X, GRASS_Y, 0);
    EXPECT_FALSE(wnd.m_UserScreen.m_bPanelEntered);
    EXPECT_TRUE(wnd.m_UserScreen.m_rcPanel.IsEmpty());
    const asPICTUREINFO* background = FindPicture(USERS_BACKGROUND_PICTURE);
    EXPECT_EQ(PixelAt(Screen(), 300, 450), background->View().At(300, 450) & 0xFFFFFF)
        << "no panel drawn";
}

TEST_F(SettingsPanelTest, LeavingTheEnteredPanelClosesItAndAnotherRowOpensItsOwn) {
    OpenPanel(1);
    ASSERT_TRUE(wnd.m_UserScreen.m_bPanelEntered);
    wnd.OnMouseMove(GRASS_X, GRASS_Y, 0);
    EXPECT_TRUE(wnd.m_UserScreen.m_rcPanel.IsEmpty());
    EXPECT_EQ(wnd.m_UserScreen.m_nPanelSet, -1);
    wnd.OnMouseMove(700, UserRow(4).top + 5, 0);
    EXPECT_EQ(wnd.m_UserScreen.m_nPanelSet, 4);
    EXPECT_EQ(wnd.m_UserScreen.m_rcPanel, (Rect{250, 355, 435, 579}));
}

TEST_F(SettingsPanelTest, ClickOnAnArrowStepsOnceWithinThreeToHundred) {
    const Rect panel = OpenPanel(0);
    ClickAt(wnd.m_UserScreen.m_rcRangeUp);
    EXPECT_EQ(g_ExerciseSets[0].nRange, 4);
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_USERS);
    ClickAt(wnd.m_UserScreen.m_rcRangeDown);
    ClickAt(wnd.m_UserScreen.m_rcRangeDown);
    EXPECT_EQ(g_ExerciseSets[0].nRange, 3);
    EXPECT_EQ(wnd.m_UserScreen.m_rcPanel, panel);

    g_ExerciseSets[0].nRange = 100;
    ClickAt(wnd.m_UserScreen.m_rcRangeUp);
    EXPECT_EQ(g_ExerciseSets[0].nRange, 100);
    EXPECT_TRUE(host.m_mapTimers.empty());
}

TEST_F(SettingsPanelTest, LimitFromOutsideTheRangeStepsBackIntoIt) {
    g_ExerciseSets[2].nRange = 500;
    OpenPanel(2);
    ClickAt(wnd.m_UserScreen.m_rcRangeDown);
    EXPECT_EQ(g_ExerciseSets[2].nRange, 99);
    g_ExerciseSets[2].nRange = 0;
    ClickAt(wnd.m_UserScreen.m_rcRangeUp);
    EXPECT_EQ(g_ExerciseSets[2].nRange, 4);
}

TEST_F(SettingsPanelTest, HoldingRaiseStepsOncePerRepeatTickAndOnceMoreAtTheRelease) {
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

TEST_F(SettingsPanelTest, HoldingLowerRepeatsDownToThree) {
    OpenPanel(6); // limit 9
    const Rect down = wnd.m_UserScreen.m_rcRangeDown;
    PressAt(down);
    EXPECT_TRUE(host.HasTimer(TIMER_DECREASE_DELAY));
    wnd.OnTimer(TIMER_DECREASE_DELAY);
    EXPECT_TRUE(host.HasTimer(TIMER_DECREASE_REPEAT));
    for (int tick = 0; tick < 20; ++tick)
        wnd.OnTimer(TIMER_DECREASE_REPEAT);
    EXPECT_EQ(g_ExerciseSets[6].nRange, 3);
    ReleaseAt(down);
    EXPECT_EQ(g_ExerciseSets[6].nRange, 3);
}

TEST_F(SettingsPanelTest, HoldingRaiseNeverPassesHundred) {
    g_ExerciseSets[5].nRange = 97;
    OpenPanel(5);
    const Rect up = wnd.m_UserScreen.m_rcRangeUp;
    PressAt(up);
    wnd.OnTimer(TIMER_INCREASE_DELAY);
    for (int tick = 0; tick < 10; ++tick)
        wnd.OnTimer(TIMER_INCREASE_REPEAT);
    EXPECT_EQ(g_ExerciseSets[5].nRange, 100);
    ReleaseAt(up);
    EXPECT_EQ(g_ExerciseSets[5].nRange, 100);
}

TEST_F(SettingsPanelTest, PressOutsideTheArrowsStartsNoTimer) {
    const Rect panel = OpenPanel(0);
    PressAt(Box(panel, 0));
    EXPECT_TRUE(host.m_mapTimers.empty());
}

TEST_F(SettingsPanelTest, ReleaseOnTheGrassAfterDraggingOffThePanelEndsTheRepeat) {
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

TEST_F(SettingsPanelTest, DraggingAHeldArrowOntoAnotherRowDoesNotStepThatRow) {
    OpenPanel(0);
    PressAt(wnd.m_UserScreen.m_rcRangeUp);
    wnd.OnTimer(TIMER_INCREASE_DELAY);
    wnd.OnMouseMove(700, UserRow(7).top + 5, MK_LBUTTON);
    EXPECT_EQ(wnd.m_UserScreen.m_nPanelSet, 7) << "the row under the pointer opens its panel";
    EXPECT_TRUE(host.m_mapTimers.empty()) << "the repeat ended with the panel it started on";
    EXPECT_EQ(g_ExerciseSets[7].nRange, 10);
}

TEST_F(SettingsPanelTest, BoxesToggleTheirKindsAndAllSixMayBeCleared) {
    const Rect panel = OpenPanel(4);
    g_ExerciseSets[4].nOperations = 63;
    for (int j = 0; j < 6; ++j)
        ClickAt(Box(panel, j));
    EXPECT_EQ(g_ExerciseSets[4].nOperations, 0u);
    EXPECT_EQ(SettingsRowText(g_ExerciseSets[4]), GbkFromUtf8("7以内"));
    ClickAt(Box(panel, 2));
    EXPECT_EQ(g_ExerciseSets[4].nOperations, uint32_t(OP_CHAIN_ADD));
    EXPECT_EQ(g_ExerciseSets[4].nRange, 7);
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_USERS);
}

TEST_F(SettingsPanelTest, ClickOnThePanelOverAButtonActsOnThePanel) {
    OpenPanel(7);
    Click(280, 510); // New user's face lies under the panel here
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_USERS);
    EXPECT_EQ(g_ExerciseSets[7].nRange, 10);
}

TEST_F(SettingsPanelTest, RepeatTickWithNoPanelChangesNothing) {
    wnd.OnTimer(TIMER_INCREASE_REPEAT);
    wnd.OnTimer(TIMER_DECREASE_REPEAT);
    for (int k = 0; k < EXERCISE_SET_COUNT; ++k)
        EXPECT_EQ(g_ExerciseSets[k].nRange, k + 3);
}

TEST_F(SettingsPanelTest, ClickOnASettingsRowLeavesForTheTitleWithRebuiltCaptions) {
    OpenPanel(0);
    ClickAt(wnd.m_UserScreen.m_rcRangeUp);
    Click(700, UserRow(5).top + 5);
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_TITLE);
    EXPECT_EQ(wnd.m_TitleItems[0].strCaption, GbkFromUtf8("4 以内算术题"));
}
