// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The settings list and its hover panel: row texts, where the panel opens and when it closes, its
// arrows and kind boxes, and what the list and the panel look like.
#include "tests/users/UserScreenFixture.h"

namespace {

constexpr int GRASS_X = 100, GRASS_Y = 700;

struct SettingsPanel : CUserScreenTest {
    // The panel under row k, as the hand on that row opens it.
    Rect OpenPanel(int k) {
        m_Screen.PlacePanel(700, UserRow(k).top + 5);
        EXPECT_EQ(m_Screen.m_nPanelSet, k);
        return m_Screen.m_rcPanel;
    }
    void ReleaseAt(const Rect& rc) {
        m_Screen.ReleasePanel((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    }
    // Kind box j of the panel, measured on the panel picture.
    static Rect Box(const Rect& panel, int j) {
        return {panel.left + 136, panel.top + 68 + 25 * j, panel.left + 156,
                panel.top + 88 + 25 * j};
    }
};

} // namespace

TEST_F(SettingsPanel, RowTextsNameTheLimitAndEveryKindInOrder) {
    EXPECT_EQ(SettingsRowText({3, 2, 35}), GbkFromUtf8("3以内 加 减 填空"));
    EXPECT_EQ(SettingsRowText({5, 2, 0}), GbkFromUtf8("5以内"));
    EXPECT_EQ(SettingsRowText({100, 2, 63}), GbkFromUtf8("100以内 加 减 连加 连减 加减混合 填空"));
    EXPECT_EQ(SettingsRowText({12, 2, OP_CHAIN_SUBTRACT | OP_MIXED}),
              GbkFromUtf8("12以内 连减 加减混合"));
}

TEST_F(SettingsPanel, ThePanelOpensUnderThePointedRowWithItsArrows) {
    g_ExerciseSets[0].nOperations = 0; // no ticks over the panel
    EXPECT_EQ(OpenPanel(0), (Rect{250, 215, 435, 439}));
    EXPECT_EQ(m_Screen.m_rcRangeDown, (Rect{268, 226, 329, 255}));
    EXPECT_EQ(m_Screen.m_rcRangeUp, (Rect{359, 226, 420, 255}));
    EXPECT_TRUE(
        ShowsPicture(Paint(USER_PAGE_MAIN, 700, UserRow(0).top + 5), PANEL_PICTURE, 250, 215));

    EXPECT_EQ(OpenPanel(7), (Rect{250, 460, 435, 684}));
    EXPECT_EQ(m_Screen.m_rcRangeUp, (Rect{359, 471, 420, 500}));
}

TEST_F(SettingsPanel, ThePanelStaysWhileTheHandIsOnItAndClosesOnNeitherRowNorPanel) {
    const Rect panel = OpenPanel(2);
    // On the panel, over rows further down, it stays with its set.
    m_Screen.PlacePanel(panel.left + 5, panel.bottom - 5);
    EXPECT_EQ(m_Screen.m_rcPanel, panel);
    EXPECT_EQ(m_Screen.m_nPanelSet, 2);

    // Off the row without having been on the panel: not entered, and the next placing closes it.
    EXPECT_FALSE(m_Screen.TrackPanel(GRASS_X, GRASS_Y));
    EXPECT_FALSE(m_Screen.m_bPanelEntered);
    m_Screen.PlacePanel(GRASS_X, GRASS_Y);
    EXPECT_TRUE(m_Screen.m_rcPanel.IsEmpty());
    const asPICTUREINFO* background = FindPicture(USERS_BACKGROUND_PICTURE);
    EXPECT_EQ(PixelAt(Paint(USER_PAGE_MAIN, GRASS_X, GRASS_Y), 300, 450),
              background->View().At(300, 450) & 0xFFFFFF)
        << "no panel drawn";
}

TEST_F(SettingsPanel, LeavingTheEnteredPanelClosesItOnceAndAnotherRowOpensItsOwn) {
    const Rect panel = OpenPanel(1);
    EXPECT_FALSE(m_Screen.TrackPanel(700, UserRow(1).top + 5))
        << "not entered yet: the row keeps it";
    EXPECT_FALSE(m_Screen.TrackPanel(panel.left + 5, panel.top + 5));
    EXPECT_TRUE(m_Screen.TrackPanel(GRASS_X, GRASS_Y)) << "entered, then left: it closes";
    EXPECT_EQ(m_Screen.m_nPanelSet, -1);
    EXPECT_TRUE(m_Screen.m_rcPanel.IsEmpty());
    EXPECT_FALSE(m_Screen.TrackPanel(GRASS_X, GRASS_Y)) << "a closed panel closes nothing";

    EXPECT_EQ(OpenPanel(4), (Rect{250, 355, 435, 579}));
}

TEST_F(SettingsPanel, AnArrowStepsTheLimitOnceWithinThreeToHundred) {
    const Rect panel = OpenPanel(1);
    const Rect down = m_Screen.m_rcRangeDown, up = m_Screen.m_rcRangeUp;
    EXPECT_EQ(m_Screen.ArrowAt(down.left, down.top), -1);
    EXPECT_EQ(m_Screen.ArrowAt(up.right - 1, up.bottom - 1), +1);
    EXPECT_EQ(m_Screen.ArrowAt(down.right, down.top), 0);
    EXPECT_EQ(m_Screen.ArrowAt(700, UserRow(1).top + 5), 0);

    struct Step {
        int32_t nFrom;
        bool bUp;
        int32_t nTo;
    };
    // A limit from outside the range (an edited data file) steps back into it from its near end.
    const Step steps[] = {{3, true, 4},     {4, false, 3},    {3, false, 3},
                          {100, true, 100}, {100, false, 99}, {500, false, 99},
                          {0, true, 4},     {250, true, 100}, {-7, false, 3}};
    for (const Step& step : steps) {
        g_ExerciseSets[1].nRange = step.nFrom;
        ReleaseAt(step.bUp ? up : down);
        EXPECT_EQ(g_ExerciseSets[1].nRange, step.nTo) << step.nFrom << (step.bUp ? " up" : " down");
    }
    EXPECT_EQ(m_Screen.m_rcPanel, panel) << "the panel stays";
    EXPECT_EQ(g_ExerciseSets[0].nRange, 3) << "only the panel's own set changes";

    // The held arrow's steps keep to the same range.
    g_ExerciseSets[1].nRange = 99;
    m_Screen.StepPanelRange(+1);
    m_Screen.StepPanelRange(+1);
    EXPECT_EQ(g_ExerciseSets[1].nRange, 100);
    g_ExerciseSets[1].nRange = -7;
    m_Screen.StepPanelRange(+1);
    EXPECT_EQ(g_ExerciseSets[1].nRange, 4);
}

TEST_F(SettingsPanel, BoxesToggleTheirKindsAndAllSixMayBeCleared) {
    const Rect panel = OpenPanel(4);
    g_ExerciseSets[4].nOperations = 63;
    for (int j = 0; j < OPERATION_KINDS; ++j)
        ReleaseAt(Box(panel, j));
    EXPECT_EQ(g_ExerciseSets[4].nOperations, 0u);
    EXPECT_EQ(SettingsRowText(g_ExerciseSets[4]), GbkFromUtf8("7以内"));
    ReleaseAt(Box(panel, 2));
    EXPECT_EQ(g_ExerciseSets[4].nOperations, uint32_t(OP_CHAIN_ADD));
    EXPECT_EQ(g_ExerciseSets[4].nRange, 7);
    EXPECT_EQ(g_ExerciseSets[3].nOperations, 35u) << "only the panel's own set changes";
}

TEST_F(SettingsPanel, WithNoPanelOpenArrowsBoxesAndStepsChangeNothing) {
    m_Screen.StepPanelRange(+1); // a repeat tick before any panel opened
    m_Screen.StepPanelRange(-1);

    const Rect panel = OpenPanel(2);
    const Rect up = m_Screen.m_rcRangeUp;
    m_Screen.PlacePanel(GRASS_X, GRASS_Y);
    EXPECT_EQ(m_Screen.ArrowAt(up.left + 1, up.top + 1), 0);
    ReleaseAt(up);
    ReleaseAt(Box(panel, 0));
    for (int k = 0; k < EXERCISE_SET_COUNT; ++k) {
        EXPECT_EQ(g_ExerciseSets[k].nRange, k + 3) << k;
        EXPECT_EQ(g_ExerciseSets[k].nOperations, 35u) << k;
    }
}

TEST_F(SettingsPanel, ThePointedRowMovesLeftAndTheOthersStayRight) {
    OpenPanel(2);
    const Surface& frame = Paint(USER_PAGE_MAIN, 700, UserRow(2).top + 5);
    EXPECT_LE(ChangedBox(frame, UserRow(2)).left, 252);
    EXPECT_GE(ChangedBox(frame, UserRow(1)).right, 770);
    EXPECT_GT(ChangedBox(frame, UserRow(1)).left, 500);
}

TEST_F(SettingsPanel, TheOpenPanelTicksTheSetKindsAndLightsTheArrowUnderTheHand) {
    g_ExerciseSets[0].nOperations = OP_ADD | OP_FILL_BLANK;
    const Rect panel = OpenPanel(0);
    const Rect up = m_Screen.m_rcRangeUp, down = m_Screen.m_rcRangeDown;
    m_Screen.PlacePanel(up.left + 3, up.top + 3);
    const Surface& frame = Paint(USER_PAGE_MAIN, up.left + 3, up.top + 3);
    EXPECT_TRUE(ShowsPicture(frame, RANGE_UP_HOVER_PICTURE, up.left, up.top));
    EXPECT_FALSE(ShowsPicture(frame, RANGE_DOWN_HOVER_PICTURE, down.left, down.top));
    const asPICTUREINFO* panelPicture = FindPicture(PANEL_PICTURE);
    for (int j = 0; j < OPERATION_KINDS; ++j) {
        const Rect box = Box(panel, j);
        int differs = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                differs += PixelAt(frame, box.left + x, box.top + y) !=
                           (panelPicture->View().At(136 + x, 68 + 25 * j + y) & 0xFFFFFF);
        EXPECT_EQ(differs > 0, j == 0 || j == 5) << "box " << j;
    }
}

TEST_F(SettingsPanel, AnOpenPanelOverTheButtonsHidesTheirHighlights) {
    const Rect panel = OpenPanel(7);
    m_Screen.PlacePanel(280, 510); // on the panel, over the New user button's face
    EXPECT_EQ(m_Screen.m_rcPanel, panel);
    EXPECT_FALSE(ShowsPicture(Paint(USER_PAGE_MAIN, 280, 510), NEW_USER_HOVER_PICTURE, 206, 491));
}
