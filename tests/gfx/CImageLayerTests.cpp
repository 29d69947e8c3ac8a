// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Pixel tests of the drawing surface operations, against the embedded pictures themselves so
// they hold whatever the art looks like.
#include "gfx/CImageLayer.h"
#include "gfx/Pictures.h"
#include "gfx/Text.h"

#include <gtest/gtest.h>

namespace {

constexpr Color GROUND = RGB(10, 120, 30);

// The first keyed picture that really has holes, and the first opaque one.
const asPICTUREINFO& KeyedPictureWithHoles() {
    for (const asPICTUREINFO& p : PictureCatalogue()) {
        if (!p.bKeyed) continue;
        for (int i = 0; i < p.nWidth * p.nHeight; ++i)
            if (p.pPixels[i] == COLOR_KEY) return p;
    }
    throw std::runtime_error("no keyed picture has magenta");
}

uint32_t Blend(uint32_t s, uint32_t d, int a) {
    auto ch = [&](int shift) {
        return (((s >> shift) & 0xFF) * a + ((d >> shift) & 0xFF) * (255 - a) + 127) / 255;
    };
    return (ch(16) << 16) | (ch(8) << 8) | ch(0);
}

struct LayerTest : ::testing::Test {
    CImageLayer layer;
    void SetUp() override { ASSERT_EQ(layer.CreateSurface(300, 200), 1); }
    Surface& Pixels() { return *layer.m_hDC->pSurface; }
};

} // namespace

TEST(ImageLayerSurface, NewSurfaceIsWhiteAndRecreatingGivesANewWhiteSurface) {
    CImageLayer layer;
    ASSERT_EQ(layer.CreateSurface(40, 30), 1);
    EXPECT_EQ(layer.m_rcSurface, (Rect{0, 0, 40, 30}));
    layer.FillSurface(nullptr, GROUND);
    EXPECT_EQ(layer.m_hDC->pSurface->GetPixel(39, 29), GROUND);
    ASSERT_EQ(layer.CreateSurface(64, 48), 1);
    ASSERT_NE(layer.m_hBitmap, nullptr);
    EXPECT_EQ(layer.m_hBitmap->Width(), 64);
    EXPECT_EQ(layer.m_hBitmap->Height(), 48);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_EQ(layer.m_hBitmap->GetPixel(x, y), COLOR_WHITE);
}

TEST(ImageLayerSurface, ReleasingABorrowingLayerLeavesTheBorrowedContextAlive) {
    CImageLayer owner;
    ASSERT_EQ(owner.CreateSurface(10, 10), 1);
    {
        CImageLayer borrower;
        borrower.m_hDC = owner.m_hDC;
        borrower.FillSurface(nullptr, GROUND); // empty surface rectangle: draws nothing
        borrower.FillSurface(&owner.m_rcSurface, GROUND);
        borrower.ReleaseSurface();
        EXPECT_EQ(borrower.m_hDC, nullptr);
    } // and its destructor releases again, harmlessly
    ASSERT_NE(owner.m_hDC, nullptr);
    EXPECT_EQ(owner.m_hDC->pSurface->GetPixel(5, 5), GROUND);
}

TEST_F(LayerTest, FillIsClippedToTheSurface) {
    Rect rc{250, 150, 400, 400};
    layer.FillSurface(&rc, GROUND);
    EXPECT_EQ(Pixels().GetPixel(299, 199), GROUND);
    EXPECT_EQ(Pixels().GetPixel(249, 199), COLOR_WHITE);
}

TEST_F(LayerTest, KeyedDrawLeavesMagentaHolesAndCopiesEverythingElse) {
    const asPICTUREINFO& p = KeyedPictureWithHoles();
    layer.FillSurface(nullptr, GROUND);
    layer.DrawBitmapKeyed(7, 5, uint16_t(p.nId));
    int holes = 0;
    for (int y = 0; y < std::min(p.nHeight, 195); ++y)
        for (int x = 0; x < std::min(p.nWidth, 293); ++x) {
            const uint32_t src = p.View().At(x, y);
            const uint32_t got = Pixels().GetPixel(7 + x, 5 + y);
            if (src == COLOR_KEY) {
                ++holes;
                ASSERT_EQ(got, GROUND) << "hole at " << x << "," << y;
            } else {
                ASSERT_EQ(got, src) << "at " << x << "," << y;
            }
        }
    EXPECT_GT(holes, 0);
}

TEST_F(LayerTest, OpaqueDrawCopiesMagentaToo) {
    const asPICTUREINFO& p = KeyedPictureWithHoles();
    layer.DrawBitmap(0, 0, uint16_t(p.nId));
    for (int y = 0; y < std::min(p.nHeight, 200); ++y)
        for (int x = 0; x < std::min(p.nWidth, 300); ++x)
            ASSERT_EQ(Pixels().GetPixel(x, y), p.View().At(x, y));
}

TEST_F(LayerTest, BlendAtAlphaZeroChangesNothing) {
    const asPICTUREINFO& p = KeyedPictureWithHoles();
    layer.FillSurface(nullptr, GROUND);
    Rect rc{0, 0, std::min(p.nWidth, 300), std::min(p.nHeight, 200)};
    layer.DrawBitmapBlended(rc, rc, uint16_t(p.nId), 0);
    for (int y = 0; y < rc.bottom; ++y)
        for (int x = 0; x < rc.right; ++x)
            ASSERT_EQ(Pixels().GetPixel(x, y), GROUND);
}

TEST_F(LayerTest, BlendAtAlphaFullEqualsAKeyedDraw) {
    const asPICTUREINFO& p = KeyedPictureWithHoles();
    CImageLayer keyed;
    ASSERT_EQ(keyed.CreateSurface(300, 200), 1);
    keyed.FillSurface(nullptr, GROUND);
    keyed.DrawBitmapKeyed(20, 10, uint16_t(p.nId));
    layer.FillSurface(nullptr, GROUND);
    const Rect src{0, 0, p.nWidth, p.nHeight};
    layer.DrawBitmapBlended(src, OffsetRect(src, 20, 10), uint16_t(p.nId), 255);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x)
            ASSERT_EQ(Pixels().GetPixel(x, y), keyed.m_hDC->pSurface->GetPixel(x, y));
}

TEST_F(LayerTest, BlendAtAlpha200MixesOnlyWherePictureIsNotMagenta) {
    const asPICTUREINFO& p = KeyedPictureWithHoles();
    layer.FillSurface(nullptr, GROUND);
    const Rect src{0, 0, p.nWidth, p.nHeight};
    layer.DrawBitmapBlended(src, src, uint16_t(p.nId), 200);
    for (int y = 0; y < std::min(p.nHeight, 200); ++y)
        for (int x = 0; x < std::min(p.nWidth, 300); ++x) {
            const uint32_t s = p.View().At(x, y);
            ASSERT_EQ(Pixels().GetPixel(x, y), s == COLOR_KEY ? GROUND : Blend(s, GROUND, 200));
        }
}

TEST_F(LayerTest, BlitCopiesBetweenLayersAndShelfRegionCopiesTheBookshelf) {
    layer.FillSurface(nullptr, GROUND);
    CImageLayer other;
    ASSERT_EQ(other.CreateSurface(300, 200), 1);
    layer.BlitTo(*other.m_hDC, Rect{10, 10, 50, 50}, nullptr);
    EXPECT_EQ(other.m_hDC->pSurface->GetPixel(10, 10), GROUND);
    EXPECT_EQ(other.m_hDC->pSurface->GetPixel(49, 49), GROUND);
    EXPECT_EQ(other.m_hDC->pSurface->GetPixel(50, 50), COLOR_WHITE);

    const asPICTUREINFO* shelf = FindPicture(147);
    ASSERT_NE(shelf, nullptr);
    other.DrawShelfRegion(Rect{100, 100, 200, 150}, Rect{0, 0, 100, 50});
    EXPECT_EQ(other.m_hDC->pSurface->GetPixel(0, 0), shelf->View().At(100, 100));
    EXPECT_EQ(other.m_hDC->pSurface->GetPixel(99, 49), shelf->View().At(199, 149));
}

TEST_F(LayerTest, UnknownPictureIdsDrawNothing) {
    layer.FillSurface(nullptr, GROUND);
    EXPECT_EQ(layer.DrawBitmap(0, 0, 150), 1);
    EXPECT_EQ(layer.DrawBitmapKeyed(0, 0, 9999), 1);
    EXPECT_EQ(Pixels().GetPixel(0, 0), GROUND);
}

// A part of a frame composed alone must match the same part of the whole frame, pixel for
// pixel, and leave everything else as it was: every operation honours the clip.
TEST(ImageLayerClip, EveryOperationDrawsInsideTheClipExactlyAsWithoutIt) {
    const asPICTUREINFO& keyed = KeyedPictureWithHoles();
    const uint16_t shelf = 147; // the bookshelf, for the shelf region
    auto compose = [&](CImageLayer& layer) {
        layer.FillSurface(nullptr, GROUND);
        const Rect band{0, 40, 300, 60};
        layer.FillSurface(&band, COLOR_BLACK);
        layer.DrawBitmap(-20, -10, shelf);
        layer.DrawShelfRegion({0, 0, 120, 90}, {150, 20, 300, 200}); // stretched
        layer.DrawBitmapKeyed(30, 30, uint16_t(keyed.nId));
        layer.DrawBitmapBlended({0, 0, keyed.nWidth, keyed.nHeight},
                                {100, 90, 100 + keyed.nWidth, 90 + keyed.nHeight},
                                uint16_t(keyed.nId), 150);
        layer.m_hDC->SetTextColor(RGB(255, 255, 0));
        layer.DrawTextBox("Zimbly 123", {10, 120, 290, 190}, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                          900, 40);
    };
    CImageLayer whole, part;
    ASSERT_EQ(whole.CreateSurface(300, 200), 1);
    ASSERT_EQ(part.CreateSurface(300, 200), 1);
    compose(whole);
    for (const Rect clip : {Rect{37, 95, 181, 163}, Rect{0, 0, 1, 1}, Rect{250, 150, 400, 400}}) {
        part.SetClipRect(nullptr);
        part.FillSurface(nullptr, COLOR_WHITE);
        part.SetClipRect(&clip);
        compose(part);
        part.SetClipRect(nullptr);
        const Rect inside = IntersectRect(clip, {0, 0, 300, 200});
        int wrong = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 300; ++x) {
                const uint32_t expected =
                    PtInRect(inside, x, y) ? whole.m_hBitmap->GetPixel(x, y) : COLOR_WHITE;
                wrong += part.m_hBitmap->GetPixel(x, y) != expected;
            }
        EXPECT_EQ(wrong, 0) << clip.left << "," << clip.top;
    }
}
