// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What a move or a wing beat composes and shows: the hand's boxes alone when nothing else
// changes, a plank with its balloon, one keypad ball; the whole frame otherwise.
#include "app/TitleScreen.h"
#include "exercise/ExerciseLayout.h"
#include "gfx/Pictures.h"
#include "tests/app/WindowTestSupport.h"
#include "users/UserLayout.h"

#include <cstring>

namespace {

constexpr Rect WHOLE = {0, 0, CLIENT_WIDTH, CLIENT_HEIGHT};

bool Holds(const Rect& outer, const Rect& inner) {
    return IntersectRect(outer, inner) == inner;
}

struct FrameDamage : WindowTest {
    void SetUp() override {
        WindowTest::SetUp();
        wnd.RedrawWindow();
    }
    Rect HandAt(int x, int y) const {
        const asPICTUREINFO* hand = FindPicture(wnd.m_nHandBitmap);
        return {x, y, x + hand->nWidth, y + hand->nHeight};
    }
    Rect Move(int x, int y) {
        const int presents = host.m_nPresents;
        wnd.OnMouseMove(x, y, 0);
        EXPECT_EQ(host.m_nPresents, presents + 1) << "one frame a move";
        return host.m_rcLastChanged;
    }
};

} // namespace

TEST_F(FrameDamage, AHandMovingOverNothingShowsOnlyItsOldAndNewBoxes) {
    Move(100, 650);
    const Rect changed = Move(110, 655);
    EXPECT_EQ(changed, UnionRect(HandAt(100, 650), HandAt(110, 655)));
    EXPECT_LT(changed.Width() * changed.Height(), 100 * 100);
}

TEST_F(FrameDamage, APlankLiftedOrPutDownShowsItWithTheBalloon) {
    Move(100, 650);
    const Rect plank = TITLE_ITEM_RECTS[3];
    const Rect lifted = Move(plank.left + 20, plank.top + 10);
    EXPECT_TRUE(Holds(lifted, plank));
    EXPECT_TRUE(Holds(lifted, Rect{710, 285, 990, 457})) << "the balloon";
    EXPECT_NE(lifted, WHOLE);
    const Rect down = Move(100, 650);
    EXPECT_TRUE(Holds(down, plank));
    EXPECT_TRUE(Holds(down, HandAt(100, 650)));
    // The leave sign lights up: that is not one of the simple cases.
    EXPECT_EQ(Move(g_rcLeave.left + 5, g_rcLeave.top + 5), WHOLE);
}

TEST_F(FrameDamage, AKeypadBallLitShowsThatBallAndAWholeFrameFollowsATransition) {
    ASSERT_TRUE(wnd.ApplyRelease(0, 400, 190)); // plank 0: the transition table starts a run
    ASSERT_EQ(wnd.m_nScreenState, SCREEN_EXERCISE);
    const Rect ball = g_rcKeypad[4];
    EXPECT_EQ(Move(ball.left - 40, ball.top - 60), WHOLE) << "the slide left no composed frame";
    const Rect lit = Move(ball.left + 5, ball.top + 5);
    EXPECT_TRUE(Holds(lit, ball));
    EXPECT_FALSE(Holds(lit, g_rcKeypad[0]));
    EXPECT_FALSE(Holds(lit, g_rcKeypad[9]));
    // The finish book bares the shelf: the whole frame.
    EXPECT_EQ(Move(g_rcFinish.left + 5, g_rcFinish.top + 5), WHOLE);
}

TEST_F(FrameDamage, AWingBeatShowsOnlyTheButterflies) {
    ASSERT_TRUE(wnd.ApplyRelease(0, 400, 190)); // plank 0: the transition table starts a run
    ASSERT_EQ(wnd.m_nScreenState, SCREEN_EXERCISE);
    wnd.RedrawWindow();
    Rect butterflies;
    for (const asCARTOONCONTROL& cartoon : wnd.m_arrCartoons.m_arrCartoons) {
        const asPICTUREINFO* picture = FindPicture(BUTTERFLY_PICTURE_0);
        butterflies = UnionRect(butterflies, {cartoon.nX, cartoon.nY, cartoon.nX + picture->nWidth,
                                              cartoon.nY + picture->nHeight});
    }
    wnd.OnUserRedraw();
    EXPECT_TRUE(Holds(butterflies, host.m_rcLastChanged));
    EXPECT_FALSE(host.m_rcLastChanged.IsEmpty());
}

TEST_F(FrameDamage, AMinimizedWindowComposesNothingAndShowsTheWholeFrameWhenRestored) {
    host.m_bKeepScreen = true;
    wnd.RedrawWindow();
    host.m_bShown = false;
    const int presents = host.m_nPresents;
    const uint32_t tick = host.m_dwTick;
    wnd.OnMouseMove(400, 330, 0);               // plank 3 lifts
    ASSERT_TRUE(wnd.ApplyRelease(0, 400, 190)); // a run starts without its slide
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_EXERCISE);
    wnd.OnUserRedraw();
    wnd.OnKeyDown(VK_0 + 1);
    EXPECT_EQ(host.m_nPresents, presents);
    EXPECT_EQ(host.m_dwTick, tick) << "no transition is played to nobody";

    host.m_bShown = true;
    wnd.OnShown();
    EXPECT_EQ(host.m_nPresents, presents + 1);
    EXPECT_EQ(host.m_rcLastChanged, (Rect{0, 0, CLIENT_WIDTH, CLIENT_HEIGHT}));
    CImageLayer whole;
    ASSERT_TRUE(whole.CreateSurface(CLIENT_WIDTH, CLIENT_HEIGHT));
    wnd.ComposeFrame(whole);
    EXPECT_EQ(std::memcmp(host.m_Screen.Data(), whole.m_hBitmap->Data(),
                          size_t(CLIENT_WIDTH) * CLIENT_HEIGHT * 4),
              0);
}
