// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Text placement: where each layout format puts the ink, clipping, word breaking and weights.
#include "gfx/Gbk.h"
#include "gfx/Text.h"

#include <gtest/gtest.h>

namespace {

struct Ink {
    Rect box; // bounding box of every non-white pixel; empty when none
    int nPixels = 0;
};

Ink InkOf(const Surface& s) {
    Ink ink{{s.Width(), s.Height(), -1, -1}, 0};
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            if (s.GetPixel(x, y) != COLOR_WHITE) {
                ++ink.nPixels;
                ink.box = {std::min(ink.box.left, x), std::min(ink.box.top, y),
                           std::max(ink.box.right, x + 1), std::max(ink.box.bottom, y + 1)};
            }
    if (ink.nPixels == 0) ink.box = {};
    return ink;
}

Ink Draw(std::string_view utf8, const Rect& rc, unsigned format, int weight = 400,
         int height = 20) {
    Surface s(400, 300);
    DrawGbkText(s, GbkFromUtf8(utf8), rc, format, weight, height, COLOR_BLACK);
    return InkOf(s);
}

bool Inside(const Rect& inner, const Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

struct TextTest : ::testing::Test {
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(InitTextRenderer(error)) << error;
    }
};

} // namespace

TEST_F(TextTest, CentredFormatPutsTheInkInTheMiddleOfTheBox) {
    const Rect rc{50, 40, 350, 100};
    const Ink ink = Draw("5 以内算术题", rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE, 700, 20);
    ASSERT_GT(ink.nPixels, 50);
    EXPECT_TRUE(Inside(ink.box, rc));
    EXPECT_NEAR((ink.box.left + ink.box.right) / 2.0, 200, 3);
    EXPECT_NEAR((ink.box.top + ink.box.bottom) / 2.0, 70, 4);
}

TEST_F(TextTest, LeftFormatsStartAtTheLeftEdge) {
    const Rect rc{60, 40, 350, 100};
    const Ink centred = Draw("当前用户：小明", rc, DT_VCENTER | DT_SINGLELINE);
    EXPECT_NEAR(centred.box.left, 60, 3);
    EXPECT_NEAR((centred.box.top + centred.box.bottom) / 2.0, 70, 4);
    const Ink bottom = Draw("3 + ( 12 ) = 5", rc, DT_BOTTOM | DT_SINGLELINE, 900, 24);
    EXPECT_NEAR(bottom.box.left, 60, 3);
    EXPECT_LE(bottom.box.bottom, 100);
    EXPECT_GE(bottom.box.bottom, 100 - 8);
    EXPECT_GT(bottom.box.top, 100 - 24 - 4);
}

TEST_F(TextTest, RightFormatEndsAtTheRightEdge) {
    const Ink ink = Draw("Tom", Rect{60, 40, 350, 100}, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    EXPECT_NEAR(ink.box.right, 350, 3);
}

TEST_F(TextTest, WordBreakFillsLinesFromTheTopAndStaysInTheBox) {
    const Rect rc{100, 50, 290, 172};
    const Ink ink =
        Draw("　　5 以内算术题：加　减　连加　连减　加减混合 填空", rc, DT_WORDBREAK, 400, 14);
    ASSERT_GT(ink.nPixels, 50);
    EXPECT_TRUE(Inside(ink.box, rc));
    EXPECT_NEAR(ink.box.top, 50, 4);
    EXPECT_GT(ink.box.Height(), 14 + 7) << "the hint must wrap onto a second line";
}

TEST_F(TextTest, TextIsClippedToItsRectangle) {
    const Rect rc{100, 100, 160, 115};
    const Ink ink = Draw("12345678901234567890", rc, DT_VCENTER | DT_SINGLELINE, 900, 28);
    ASSERT_GT(ink.nPixels, 0);
    EXPECT_TRUE(Inside(ink.box, rc));
}

TEST_F(TextTest, HeavierWeightsInkMoreAndChineseGlyphsDiffer) {
    const Rect rc{0, 0, 400, 60};
    const unsigned single = DT_VCENTER | DT_SINGLELINE;
    const int regular = Draw("最后得分", rc, single, 400, 24).nPixels;
    const int bold = Draw("最后得分", rc, single, 700, 24).nPixels;
    const int heavy = Draw("最后得分", rc, single, 900, 24).nPixels;
    EXPECT_LT(regular, bold);
    EXPECT_LT(bold, heavy);
    EXPECT_NE(Draw("奖", rc, single).nPixels, Draw("状", rc, single).nPixels);
}

TEST_F(TextTest, CharacterHeightScalesTheInk) {
    const Ink small = Draw("题", Rect{0, 0, 400, 300}, DT_SINGLELINE, 400, 20);
    const Ink large = Draw("题", Rect{0, 0, 400, 300}, DT_SINGLELINE, 400, 56);
    EXPECT_NEAR(small.box.Height(), 18, 3);
    EXPECT_NEAR(large.box.Height(), 50, 6);
}
