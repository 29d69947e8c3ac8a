// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The pixel operations against a pixel-by-pixel model: exact blend rounding, and copies whose
// rectangles hang over any edge of either surface (as every step of the slide does).
#include "gfx/Surface.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

uint32_t ModelBlend(uint32_t s, uint32_t d, int a) {
    auto channel = [&](int shift) {
        return (((s >> shift) & 0xFF) * a + ((d >> shift) & 0xFF) * (255 - a) + 127) / 255;
    };
    return (channel(16) << 16) | (channel(8) << 8) | channel(0);
}

// A surface whose every pixel differs, with a top byte set and some magenta.
Surface Pattern(int width, int height, uint32_t seed) {
    Surface surface(width, height);
    uint32_t value = seed;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            value = value * 1664525u + 1013904223u;
            surface.SetPixel(x, y, (x + y) % 7 == 0 ? (0xAB000000u | COLOR_KEY) : value);
        }
    return surface;
}

using PixelModel = std::function<uint32_t(uint32_t src, uint32_t dst)>;

// What an operation must leave: each destination pixel of rcDst on dst takes the source pixel at
// the same offset in rcSrc, when that lies on src; everything else stays.
Surface Model(const Surface& dst, const Rect& rcDst, const Surface& src, const Rect& rcSrc,
              const PixelModel& model) {
    Surface out = dst;
    for (int y = rcDst.top; y < rcDst.bottom; ++y)
        for (int x = rcDst.left; x < rcDst.right; ++x) {
            const int sx = rcSrc.left + x - rcDst.left, sy = rcSrc.top + y - rcDst.top;
            if (!PtInRect(dst.Bounds(), x, y) || !PtInRect(src.Bounds(), sx, sy)) continue;
            out.SetPixel(x, y, model(src.GetPixel(sx, sy), dst.GetPixel(x, y)));
        }
    return out;
}

void ExpectSame(const Surface& got, const Surface& want, const char* what, const Rect& rc) {
    for (int y = 0; y < want.Height(); ++y)
        for (int x = 0; x < want.Width(); ++x)
            ASSERT_EQ(got.GetPixel(x, y), want.GetPixel(x, y))
                << what << " at " << x << "," << y << " for " << rc.left << "," << rc.top;
}

} // namespace

TEST(SurfaceBlend, EveryChannelPairRoundsExactlyAndTheTopByteIsCleared) {
    for (int a : {1, 2, 40, 127, 128, 200, 254, 255}) {
        for (int s = 0; s < 256; ++s) {
            // One row of 256 pixels: the source channel s against every destination value.
            Surface dst(256, 1), src(256, 1);
            for (int d = 0; d < 256; ++d) {
                dst.SetPixel(d, 0, 0xFF000000u | RGB(d, 255 - d, d ^ s));
                src.SetPixel(d, 0, 0x7F000000u | RGB(s, s, 255 - s));
            }
            const Surface before = dst;
            BlendPixels(dst, dst.Bounds(), src.View(), src.Bounds(), a);
            for (int d = 0; d < 256; ++d)
                ASSERT_EQ(dst.GetPixel(d, 0),
                          ModelBlend(src.GetPixel(d, 0), before.GetPixel(d, 0), a))
                    << "alpha " << a << " s " << s << " d " << d;
        }
    }
}

TEST(SurfaceBlend, RunsOfAnyLengthAreBlendedUpToTheirLastPixelAndNoFurther) {
    for (int width = 1; width <= 9; ++width) {
        Surface dst = Pattern(12, 2, 5);
        const Surface src = Pattern(12, 2, 9);
        const Rect rc{1, 0, 1 + width, 2};
        const Surface want =
            Model(dst, rc, src, rc, [](uint32_t s, uint32_t d) { return ModelBlend(s, d, 99); });
        BlendPixels(dst, rc, src.View(), rc, 99);
        ExpectSame(dst, want, "blend", rc);
    }
}

TEST(SurfaceCopies, RectanglesHangingOverAnyEdgeTouchOnlyPixelsOnBothSurfaces) {
    const Surface src = Pattern(23, 17, 1);
    const Surface ground = Pattern(19, 13, 2);
    const PixelModel copy = [](uint32_t s, uint32_t) { return s; };
    const PixelModel keyed = [](uint32_t s, uint32_t d) {
        return (s & 0xFFFFFF) == COLOR_KEY ? d : s;
    };
    const PixelModel blend = [](uint32_t s, uint32_t d) { return ModelBlend(s, d, 77); };
    for (int dy = -20; dy <= 20; dy += 5)
        for (int dx = -25; dx <= 25; dx += 5)
            for (const Rect& rcSrc : {Rect{0, 0, 23, 17}, Rect{-4, 3, 10, 21}}) {
                const Rect rcDst = OffsetRect(rcSrc, dx, dy);
                Surface dst = ground;
                CopyPixels(dst, rcDst, src.View(), rcSrc);
                ExpectSame(dst, Model(ground, rcDst, src, rcSrc, copy), "copy", rcDst);
                dst = ground;
                CopyPixelsKeyed(dst, rcDst, src.View(), rcSrc);
                ExpectSame(dst, Model(ground, rcDst, src, rcSrc, keyed), "keyed", rcDst);
                dst = ground;
                BlendPixels(dst, rcDst, src.View(), rcSrc, 77);
                ExpectSame(dst, Model(ground, rcDst, src, rcSrc, blend), "blend", rcDst);
            }
}

TEST(SurfaceCopies, DifferentSizesStretchByNearestNeighbour) {
    Surface src(2, 2);
    src.SetPixel(0, 0, RGB(1, 0, 0));
    src.SetPixel(1, 0, RGB(2, 0, 0));
    src.SetPixel(0, 1, RGB(3, 0, 0));
    src.SetPixel(1, 1, RGB(4, 0, 0));
    Surface dst(6, 6, COLOR_BLACK);
    CopyPixels(dst, {1, 1, 5, 5}, src.View(), src.Bounds());
    EXPECT_EQ(dst.GetPixel(0, 0), COLOR_BLACK);
    EXPECT_EQ(dst.GetPixel(1, 1), RGB(1, 0, 0));
    EXPECT_EQ(dst.GetPixel(2, 2), RGB(1, 0, 0));
    EXPECT_EQ(dst.GetPixel(3, 2), RGB(2, 0, 0));
    EXPECT_EQ(dst.GetPixel(2, 3), RGB(3, 0, 0));
    EXPECT_EQ(dst.GetPixel(4, 4), RGB(4, 0, 0));
    EXPECT_EQ(dst.GetPixel(5, 5), COLOR_BLACK);
}
