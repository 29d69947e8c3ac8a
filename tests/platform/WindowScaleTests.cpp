// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window scale: which scale a desktop gets, whether the window fits it, how pointer positions
// map back, that the enlarged picture is every client pixel as a sharp block, and the full-screen
// fit and reduction.
#include "platform/WindowScale.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(WindowScale, TheLargestWholeScaleThatFitsBothDirections) {
    EXPECT_EQ(ChooseWindowScale(1024, 768, 1024, 768, nullptr), 1);
    EXPECT_EQ(ChooseWindowScale(1920, 1080, 1024, 768, nullptr), 1);
    EXPECT_EQ(ChooseWindowScale(2047, 1536, 1024, 768, nullptr), 1); // one pixel too narrow
    EXPECT_EQ(ChooseWindowScale(2048, 1536, 1024, 768, nullptr), 2);
    EXPECT_EQ(ChooseWindowScale(2560, 1600, 1024, 768, nullptr), 2);
    EXPECT_EQ(ChooseWindowScale(3840, 2160, 1024, 768, nullptr), 2); // the height limits it
    EXPECT_EQ(ChooseWindowScale(5120, 2880, 1024, 768, nullptr), 3);
    EXPECT_EQ(ChooseWindowScale(800, 600, 1024, 768, nullptr), 1); // a small desktop: unchanged
}

TEST(WindowScale, AForcedWholeScaleWinsAndNonsenseIsIgnored) {
    EXPECT_EQ(ChooseWindowScale(2560, 1600, 1024, 768, "1"), 1);
    EXPECT_EQ(ChooseWindowScale(1024, 768, 1024, 768, "3"), 3);
    EXPECT_EQ(ChooseWindowScale(2560, 1600, 1024, 768, ""), 2);
    EXPECT_EQ(ChooseWindowScale(2560, 1600, 1024, 768, "0"), 2);
    EXPECT_EQ(ChooseWindowScale(2560, 1600, 1024, 768, "-2"), 2);
    EXPECT_EQ(ChooseWindowScale(2560, 1600, 1024, 768, "1.5"), 2);
    EXPECT_EQ(ChooseWindowScale(2560, 1600, 1024, 768, "two"), 2);
    EXPECT_EQ(ChooseWindowScale(2560, 1600, 1024, 768, "99"), 2);
}

TEST(WindowScale, PointerPositionsMapToTheClientPixelUnderThem) {
    // A window of the 1024-pixel client enlarged scale times, the picture at its corner.
    const auto at = [](int windowCoordinate, int scale) {
        return ClientCoordinate(windowCoordinate, 0, 1024 * scale, 1024);
    };
    EXPECT_EQ(at(0, 2), 0);
    EXPECT_EQ(at(1, 2), 0);
    EXPECT_EQ(at(2, 2), 1);
    EXPECT_EQ(at(2047, 2), 1023);
    EXPECT_EQ(at(2048, 2), 1024); // right of the window stays outside
    EXPECT_EQ(at(8, 3), 2);
    EXPECT_EQ(at(517, 1), 517);
    // Left of or above the window must stay outside, not fold onto column or row 0.
    EXPECT_EQ(at(-1, 2), -1);
    EXPECT_EQ(at(-2, 2), -1);
    EXPECT_EQ(at(-3, 2), -2);
    EXPECT_EQ(at(-1, 3), -1);
    EXPECT_EQ(at(-4, 3), -2);
}

// Every destination pixel must be the source pixel its block belongs to, rows padded to a
// pitch wider than the picture must keep their padding, and nothing may be written past it.
void ExpectEnlarged(int scale) {
    Surface frame(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            frame.SetPixel(x, y, Color(0x010000 * (x + 1) + 0x000100 * (y + 1)));
    const int width = 5 * scale, height = 3 * scale, pitchPixels = width + 3;
    constexpr uint32_t UNTOUCHED = 0xDEADBEEF;
    std::vector<uint32_t> dst(size_t(pitchPixels) * height + 7, UNTOUCHED);
    UpscaleNearest(frame, frame.Bounds(), scale, dst.data(), pitchPixels * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(dst[size_t(y) * pitchPixels + x], frame.GetPixel(x / scale, y / scale))
                << "scale " << scale << " at (" << x << ", " << y << ")";
        for (int x = width; x < pitchPixels; ++x)
            ASSERT_EQ(dst[size_t(y) * pitchPixels + x], UNTOUCHED) << "padding of row " << y;
    }
    for (size_t i = size_t(pitchPixels) * height; i < dst.size(); ++i)
        ASSERT_EQ(dst[i], UNTOUCHED) << "written past the last row";
}

// A window that does not fit the usable desktop would put controls out of reach.
TEST(WindowScale, OnlyAWindowThatFitsTheUsableDesktopLeavesFullScreen) {
    EXPECT_FALSE(WindowFitsDesktop(1024, 600, 1024, 768, 1)); // a netbook
    EXPECT_FALSE(WindowFitsDesktop(1366, 740, 1024, 768, 1)); // a panel takes 28 rows
    EXPECT_TRUE(WindowFitsDesktop(1366, 768, 1024, 768, 1));
    EXPECT_TRUE(WindowFitsDesktop(2560, 1600, 1024, 768, 2));
    EXPECT_FALSE(WindowFitsDesktop(1280, 1024, 1024, 768, 2)); // a scale forced too large
}

TEST(WindowScale, EnlargingMakesEveryPixelASharpBlock) {
    ExpectEnlarged(1);
    ExpectEnlarged(2);
    ExpectEnlarged(3);
}

} // namespace

namespace {

// Full screen: the largest whole scale, centred; smaller screens reduce the picture to fit.
TEST(PictureFit, FullScreenCentresTheLargestWholeScaleOrReducesToFit) {
    EXPECT_EQ(FitPicture(1280, 1024, 1024, 768), (asPICTUREPLACE{128, 128, 1024, 768, 1}));
    EXPECT_EQ(FitPicture(1366, 768, 1024, 768), (asPICTUREPLACE{171, 0, 1024, 768, 1}));
    EXPECT_EQ(FitPicture(2560, 1600, 1024, 768), (asPICTUREPLACE{256, 32, 2048, 1536, 2}));
    // Netbooks: too low; old screens: too small both ways. The proportions stay.
    EXPECT_EQ(FitPicture(1024, 600, 1024, 768), (asPICTUREPLACE{112, 0, 800, 600, 0}));
    EXPECT_EQ(FitPicture(640, 480, 1024, 768), (asPICTUREPLACE{0, 0, 640, 480, 0}));
    EXPECT_EQ(FitPicture(800, 1280, 1024, 768), (asPICTUREPLACE{0, 340, 800, 600, 0}));
}

TEST(PictureFit, EveryWindowPixelOfThePictureMapsToTheClientPixelDrawnThere) {
    for (const asPICTUREPLACE place :
         {FitPicture(1280, 1024, 1024, 768), FitPicture(2560, 1600, 1024, 768),
          FitPicture(1024, 600, 1024, 768), FitPicture(640, 480, 1024, 768)}) {
        // The window pixels showing client pixel c along x are exactly those mapping back to c.
        for (int c : {0, 1, 186, 187, 511, 1023}) {
            const Rect shown = WindowRectOf({c, 0, c + 1, 1}, place, 1024, 768);
            ASSERT_FALSE(shown.IsEmpty()) << c;
            const int back = ClientCoordinate(shown.left, place.nLeft, place.nWidth, 1024);
            if (place.nScale > 0)
                EXPECT_EQ(back, c) << "scale " << place.nScale << " pixel " << c;
            else // a reduced window pixel shows parts of two or three client pixels
                EXPECT_NEAR(back, c, 2) << "reduced, pixel " << c;
        }
        // Before and after the picture: outside the client.
        EXPECT_LT(ClientCoordinate(place.nLeft - 1, place.nLeft, place.nWidth, 1024), 0);
        EXPECT_GE(ClientCoordinate(place.nLeft + place.nWidth, place.nLeft, place.nWidth, 1024),
                  1024);
    }
}

TEST(PictureFit, AReducedPictureAveragesTheClientPixelsUnderEachWindowPixel) {
    Surface frame(1024, 768, COLOR_BLACK);
    FillPixels(frame, {0, 0, 512, 768}, COLOR_WHITE); // left half white
    const asPICTUREPLACE place = FitPicture(512, 384, 1024, 768);
    ASSERT_EQ(place.nScale, 0);
    ASSERT_EQ(place.nWidth, 512);
    std::vector<uint32_t> window(512 * 384, 0x123456);
    ReduceSmooth(frame, frame.Bounds(), place, window.data(), 512 * 4);
    EXPECT_EQ(window[0] & 0xFFFFFF, COLOR_WHITE);
    EXPECT_EQ(window[255] & 0xFFFFFF, COLOR_WHITE);
    EXPECT_EQ(window[256] & 0xFFFFFF, COLOR_BLACK);
    // A one-pixel line of the client still shows, blended, in a reduced picture.
    FillPixels(frame, {700, 0, 701, 768}, COLOR_WHITE);
    window[351] = 0x123456;
    ReduceSmooth(frame, {700, 0, 701, 768}, place, window.data(), 512 * 4);
    EXPECT_EQ(window[350] & 0xFF, 127u);
    EXPECT_EQ(window[351], 0x123456u) << "outside the change nothing is written";
}

} // namespace
