// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Title plank captions and hints (byte-exact GBK) and what a composed title frame shows.
#include "app/TitleScreen.h"
#include "gfx/Gbk.h"
#include "gfx/Pictures.h"
#include "tests/app/WindowTestSupport.h"

namespace {

// Bounding box of the pixels of rc that differ from the title background.
Rect ChangedBox(const Surface& frame, const Rect& rc) {
    const asPICTUREINFO* background = FindPicture(TITLE_BACKGROUND_PICTURE);
    Rect box{rc.right, rc.bottom, rc.left, rc.top};
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            if (frame.GetPixel(x, y) != background->View().At(x, y))
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                       std::max(box.bottom, y + 1)};
    return box;
}

// Bounding box of the pixels where two frames differ.
Rect DifferenceBox(const Surface& a, const Surface& b) {
    Rect box;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.GetPixel(x, y) != b.GetPixel(x, y)) box = UnionRect(box, {x, y, x + 1, y + 1});
    return box;
}

int ChangedPixels(const Surface& frame, const Rect& rc) {
    const asPICTUREINFO* background = FindPicture(TITLE_BACKGROUND_PICTURE);
    int changed = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            changed += frame.GetPixel(x, y) != background->View().At(x, y);
    return changed;
}

} // namespace

TEST_F(WindowTest, DefaultSetsGiveTheirCaptionsAndHints) {
    EXPECT_EQ(wnd.m_TitleItems[0].strCaption, GbkFromUtf8("3 以内算术题"));
    EXPECT_EQ(wnd.m_TitleItems[0].strHint, GbkFromUtf8("　　3 以内算术题：加　减　填空"));
    EXPECT_EQ(wnd.m_TitleItems[7].strCaption, GbkFromUtf8("10 以内算术题"));
    EXPECT_EQ(wnd.m_TitleItems[8].strCaption, GbkFromUtf8("信息及设置"));
    EXPECT_EQ(wnd.m_TitleItems[8].strHint, GbkFromUtf8("　　查看用户信息、更改系统设置"));
}

TEST_F(WindowTest, HintsNameEveryKindInOrderAndNothingForNoKind) {
    g_ExerciseSets[2] = {5, 2, 0};
    g_ExerciseSets[3] = {100, 2, 63};
    RebuildTitleCaptions(wnd.m_TitleItems, g_ExerciseSets);
    EXPECT_EQ(wnd.m_TitleItems[2].strHint, GbkFromUtf8("　　5 以内算术题："));
    EXPECT_EQ(wnd.m_TitleItems[3].strCaption, GbkFromUtf8("100 以内算术题"));
    EXPECT_EQ(wnd.m_TitleItems[3].strHint,
              GbkFromUtf8("　　100 以内算术题：加　减　连加　连减　加减混合 填空"));
}

TEST_F(WindowTest, PointedPlankShowsALargerLiftedCaptionAndTheBalloon) {
    const Rect plank = TITLE_ITEM_RECTS[3];
    const Rect balloon{710, 285, 990, 457};
    wnd.OnMouseMove(900, 100, 0);
    const Rect resting = ChangedBox(Frame(), plank);
    EXPECT_EQ(ChangedPixels(Frame(), balloon), 0);

    const int presentsBefore = host.m_nPresents;
    wnd.OnMouseMove(400, 330, 0);
    ASSERT_EQ(wnd.m_TitleItems[3].nFlags, 1);
    EXPECT_EQ(host.m_nPresents, presentsBefore + 1) << "one whole frame a move";
    const Rect lifted = ChangedBox(Frame(), InflateRect(plank, 0, 4));
    EXPECT_GT(lifted.Width(), resting.Width() + 10) << "height 25 instead of 20";
    EXPECT_GT(ChangedPixels(Frame(), balloon), 1000);

    wnd.OnMouseMove(400, 225, 0); // between planks: every flag cleared
    for (const asTITLEITEM& item : wnd.m_TitleItems)
        EXPECT_EQ(item.nFlags, 0);
    EXPECT_EQ(ChangedPixels(Frame(), balloon), 0);
}

TEST_F(WindowTest, LeaveSignLightsExactlyWhileTheHandCornerIsOnIt) {
    const asPICTUREINFO* lit = FindPicture(LEAVE_HOVER_PICTURE);
    const asPICTUREINFO* background = FindPicture(TITLE_BACKGROUND_PICTURE);
    auto matchesLit = [&](const Surface& frame) {
        for (int y = 0; y < lit->nHeight; ++y)
            for (int x = 0; x < 20; ++x) // the left end, clear of the hand
                if (frame.GetPixel(79 + x, 522 + y) != lit->View().At(x, y)) return false;
        return true;
    };
    wnd.OnMouseMove(195, 554, 0);
    EXPECT_TRUE(matchesLit(Frame()));
    wnd.OnMouseMove(196, 554, 0);
    const Surface& frame = Frame();
    EXPECT_EQ(frame.GetPixel(80, 530), background->View().At(80, 530));
}

TEST_F(WindowTest, TheFlaggedPlankStaysLiftedWhenTheTitleComesBack) {
    Click(400, 555); // the information plank
    ASSERT_EQ(wnd.m_nScreenState, SCREEN_USERS);
    Click(950, 100);
    ASSERT_EQ(wnd.m_nScreenState, SCREEN_TITLE);
    EXPECT_EQ(wnd.m_TitleItems[8].nFlags, 1);
}

TEST_F(WindowTest, TheNameSignGreetsTheCurrentChildOnlyWhenChildrenShareTheGame) {
    const Surface none = Frame();
    AppendUser({GbkFromUtf8("小明")});
    EXPECT_TRUE(DifferenceBox(Frame(), none).IsEmpty()) << "one child: the title as it was";
    AppendUser({GbkFromUtf8("小红")});
    const Surface first = Frame();
    const Rect sign = DifferenceBox(first, none);
    EXPECT_EQ(IntersectRect(sign, NAME_SIGN_RECT), sign);
    g_nCurrentUser = 1;
    EXPECT_FALSE(DifferenceBox(Frame(), first).IsEmpty()) << "the current child's, not the first's";
}

TEST_F(WindowTest, TheLongestNamesAreMadeSmallerThenCutInsideTheSign) {
    CImageLayer bare, frame;
    ASSERT_TRUE(bare.CreateSurface(CLIENT_WIDTH, CLIENT_HEIGHT) &&
                frame.CreateSurface(CLIENT_WIDTH, CLIENT_HEIGHT));
    PaintTitleScreen(bare, wnd.m_TitleItems, "", NO_HAND, NO_HAND);
    bare.DrawBitmapKeyed(NAME_SIGN_RECT.left, NAME_SIGN_RECT.top, NAME_SIGN_PICTURE);
    for (const std::string& name : {GbkFromUtf8("一二三四五六七八九十一二三四五六七八九十一"),
                                    std::string(MAX_NAME_BYTES, 'W')}) {
        EXPECT_TRUE(FitNameSign(name).strText.ends_with(GbkFromUtf8("…！")));
        PaintTitleScreen(frame, wnd.m_TitleItems, name, NO_HAND, NO_HAND);
        // Text wider than its box would be clipped at both of the box's edges: it is within them.
        const Rect ink = DifferenceBox(*frame.m_hBitmap, *bare.m_hBitmap);
        EXPECT_EQ(IntersectRect(ink, InflateRect(NAME_TEXT_RECT, -1, 0)), ink);
    }
}
