// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the exercise screen and the certificate draw, at the places they are fixed to, and the
// two transitions' steps, from a run model on its own.
#include "exercise/Certificate.h"
#include "exercise/ExerciseLayout.h"
#include "exercise/ExerciseScreen.h"
#include "exercise/PageTransitions.h"
#include "gfx/Gbk.h"
#include "gfx/Pictures.h"
#include "platform/HeadlessWindow.h"
#include "tests/exercise/RunFixture.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// True when every non-magenta pixel of the picture stands at (x, y) of the surface.
bool PictureAt(const Surface& s, int id, int x, int y) {
    const asPICTUREINFO* p = FindPicture(id);
    for (int py = 0; py < p->nHeight; ++py)
        for (int px = 0; px < p->nWidth; ++px) {
            const uint32_t c = p->View().At(px, py);
            if (c != COLOR_KEY && s.GetPixel(x + px, y + py) != c) return false;
        }
    return true;
}

class ExerciseScreenTest : public RunTest {
protected:
    const Surface& Paint() {
        m_layer.CreateSurface(1024, 768);
        PaintExerciseScreen(m_layer, m_run, "", m_nHandX, m_nHandY);
        return *m_layer.m_hBitmap;
    }
    CImageLayer m_layer;
    int m_nHandX = -1;
    int m_nHandY = -1;
};

} // namespace

TEST_F(ExerciseScreenTest, StrawberryMarksTheCurrentLineAndRedFlowersTheAnsweredOnes) {
    Start(0);
    EXPECT_TRUE(PictureAt(Paint(), 144, 190, 150));
    AnswerRight();
    AnswerRight();
    const Surface& s = Paint();
    EXPECT_TRUE(PictureAt(s, 144, 190, 150 + 2 * 40));
    EXPECT_TRUE(PictureAt(s, 131, 766, 150));
    EXPECT_TRUE(PictureAt(s, 131, 766, 190));
    EXPECT_FALSE(PictureAt(s, 131, 766, 230));
}

TEST_F(ExerciseScreenTest, WrongAnswerShowsABlueFlowerUntilErased) {
    Start(0);
    AnswerWrong();
    EXPECT_TRUE(PictureAt(Paint(), 130, 766, 150));
    m_run.EraseLastDigit();
    EXPECT_FALSE(PictureAt(Paint(), 130, 766, 150));
}

TEST_F(ExerciseScreenTest, HoveredKeypadBallLiftsBy25PixelsOverItsGhost) {
    Start(0);
    m_nHandX = 133 + 64 * 4 + 10;
    m_nHandY = 720;
    const Surface& s = Paint();
    EXPECT_TRUE(PictureAt(s, 135, 133 + 64 * 4, 684));
    EXPECT_TRUE(PictureAt(s, 134, 133 + 64 * 3, 709));
    EXPECT_FALSE(PictureAt(s, 135, 133 + 64 * 4, 709));
}

TEST_F(ExerciseScreenTest, HoveredFinishBookShowsOnlyTheShelfAndTheBrownBook) {
    Start(0);
    m_nHandX = 30;
    m_nHandY = 700;
    const Surface& s = Paint();
    EXPECT_TRUE(PictureAt(s, 160, 18, 686));
    const asPICTUREINFO* shelf = FindPicture(BOOKSHELF_PICTURE);
    for (int y = 0; y < 768; y += 3)
        for (int x = 0; x < 1024; x += 3)
            if (!PtInRect(g_rcFinish, x, y)) {
                ASSERT_EQ(s.GetPixel(x, y), shelf->View().At(x, y)) << x << "," << y;
            }
}

TEST_F(ExerciseScreenTest, CurledCornerOnlyWhileThePointerIsOnIt) {
    Start(0);
    // Where the two pages differ, the frame shows one of them and never the other (text drawn
    // over some of those pixels shows neither).
    const asPICTUREINFO* flat = FindPicture(172);
    const asPICTUREINFO* curled = FindPicture(173);
    auto showsCorner = [&](const Surface& s, const asPICTUREINFO* p) {
        const asPICTUREINFO* other = p == flat ? curled : flat;
        int shown = 0;
        for (int y = 0; y < 568; ++y)
            for (int x = 0; x < 824; ++x) {
                const uint32_t mine = p->View().At(x, y), theirs = other->View().At(x, y);
                if (mine == theirs || mine == COLOR_KEY || theirs == COLOR_KEY) continue;
                const uint32_t got = s.GetPixel(100 + x, 100 + y);
                if (got == theirs) return false;
                shown += got == mine;
            }
        return shown > 0;
    };
    m_nHandX = 824;
    m_nHandY = 568;
    EXPECT_TRUE(showsCorner(Paint(), curled));
    m_nHandX = 823;
    EXPECT_TRUE(showsCorner(Paint(), flat));
}

TEST_F(ExerciseScreenTest, FinishedPageShowsClockAndBearInsteadOfTheKeypad) {
    Start(0);
    while (m_run.m_nCurrent < PageSize())
        AnswerRight();
    const Surface& s = Paint();
    EXPECT_TRUE(PictureAt(s, 165, 581, 709));
    EXPECT_TRUE(PictureAt(s, 164, 197, 709));
    EXPECT_FALSE(PictureAt(s, 132, 133, 709));
}

TEST(ExerciseTexts, BlanksPageTimeAndCounts) {
    EXPECT_EQ(FillBlank("3 + ( %s ) = 5", "12"), "3 + ( 12 ) = 5");
    EXPECT_EQ(FillBlank("3 + ( %s ) = 5", ""), "3 + (  ) = 5");
    EXPECT_EQ(FillBlank("3 + ( %s ) = 5", "%n%s"), "3 + ( %n%s ) = 5");
    EXPECT_EQ(FormatPageTime(75500), GbkFromUtf8("1分15秒"));
    EXPECT_EQ(FormatPageTime(3599999), GbkFromUtf8("59分59秒"));
    EXPECT_EQ(FormatFirstTryCount(9), GbkFromUtf8("9 个"));
}

TEST(CertificateTexts, NameCountsAndScore) {
    EXPECT_EQ(CertificateAwardLine(""), GbkFromUtf8("奖给：勤奋的小朋友"));
    EXPECT_EQ(CertificateAwardLine(GbkFromUtf8("小明")), GbkFromUtf8("奖给：小明小朋友"));
    EXPECT_EQ(CertificateCountsLine(12, 9), GbkFromUtf8("题量：12道　　答对：9道"));
    EXPECT_EQ(CertificateScoreText(75), GbkFromUtf8("75分"));
}

TEST_F(ExerciseScreenTest, CertificateShowsTheScoreInRedAndTheLinesInBlack) {
    Start(0);
    AnswerRight();
    AnswerRight();
    AnswerWrong();
    m_run.ClearInput();
    AnswerRight();
    ASSERT_EQ(m_run.Score(), 66);
    m_layer.CreateSurface(1024, 768);
    m_layer.m_hDC->SetTextColor(RGB(0, 0, 255)); // a colour another painter left behind
    PaintCertificate(m_layer, "", m_run.m_nTotalDone, m_run.m_nTotalFirstTry, m_run.Score());
    const Surface& s = *m_layer.m_hBitmap;
    int red = 0, blue = 0, dark = 0;
    for (int y = 288; y < 480; ++y)
        for (int x = 320; x < 832; ++x) {
            const uint32_t c = s.GetPixel(x, y);
            red += c == RGB(200, 0, 0);
            blue += c == RGB(0, 0, 255);
            dark += (c == COLOR_BLACK);
        }
    EXPECT_GT(red, 100) << "the score in RGB(200, 0, 0)";
    EXPECT_EQ(blue, 0) << "the lines must not inherit another screen's colour";
    EXPECT_GT(dark, 100);
    EXPECT_EQ(m_layer.m_hDC->crText, RGB(0, 0, 255)) << "the colour is put back";
}

TEST_F(ExerciseScreenTest, SlideMovesThePictureOnePixelAStepAndKeepsItsPace) {
    CHeadlessWindow host;
    CImageLayer screen;
    screen.CreateSurface(1024, 768);
    screen.DrawBitmap(0, 0, TITLE_BACKGROUND_PICTURE);
    const Surface title = *screen.m_hBitmap;
    Start(0);
    CImageLayer exercise;
    exercise.CreateSurface(1024, 768);
    PaintExerciseScreen(exercise, m_run, "", -1, -1);
    static constexpr int START[4][2] = {{0, -768}, {0, 768}, {1024, 0}, {-1024, 0}};
    static constexpr int MOVE[4][2] = {{0, 1}, {0, -1}, {-1, 0}, {1, 0}};
    for (int direction = 0; direction < SLIDE_DIRECTIONS; ++direction) {
        CopyPixels(*screen.m_hBitmap, title.Bounds(), title.View(), title.Bounds());
        int presents = 0;
        std::optional<Surface> middle;
        host.m_fnOnPresent = [&](const Surface& frame) {
            if (++presents == 512) middle = frame;
        };
        const uint32_t before = host.m_dwTick;
        const int discards = host.m_nInputDiscards;
        SlideIn(host, screen, exercise, direction, asTRANSITIONPACE{});
        EXPECT_EQ(presents, direction < 2 ? 768 : 1024);
        ASSERT_TRUE(middle.has_value());

        // Step 512: the new screen is 511 pixels along from where it started, the old one beside
        // it; every pixel of both is where it belongs.
        const int bx = START[direction][0] + 511 * MOVE[direction][0];
        const int by = START[direction][1] + 511 * MOVE[direction][1];
        const int ax = bx - START[direction][0], ay = by - START[direction][1];
        int wrong = 0;
        for (int y = 0; y < 768; y += 2)
            for (int x = 0; x < 1024; x += 2) {
                const bool onNew = PtInRect(OffsetRect({0, 0, 1024, 768}, bx, by), x, y);
                const uint32_t expected = onNew ? exercise.m_hBitmap->GetPixel(x - bx, y - by)
                                                : title.GetPixel(x - ax, y - ay);
                wrong += middle->GetPixel(x, y) != expected;
            }
        EXPECT_EQ(wrong, 0) << "direction " << direction;
        EXPECT_GE(host.m_dwTick - before, 450u);
        EXPECT_LE(host.m_dwTick - before, 1000u);
        EXPECT_EQ(host.m_nInputDiscards, discards + 1)
            << "clicks and keys queued during the slide are dropped";
    }
}

TEST_F(ExerciseScreenTest, BigStridesTakeTheSameWayAndAnyOtherStrideOneUnitAStep) {
    CHeadlessWindow host;
    CImageLayer screen;
    screen.CreateSurface(1024, 768);
    Start(0);
    CImageLayer exercise;
    exercise.CreateSurface(1024, 768);
    PaintExerciseScreen(exercise, m_run, "", -1, -1);
    int presents = 0;
    Surface last;
    host.m_fnOnPresent = [&](const Surface& frame) {
        ++presents;
        last = frame;
    };
    // From the left, 256 pixels a step: the last step shows the screen 256 pixels short.
    SlideIn(host, screen, exercise, 3, {500, 256});
    EXPECT_EQ(presents, 4);
    int different = 0;
    for (int y = 0; y < 768; y += 3)
        for (int x = 0; x < 1024 - 256; x += 3)
            different += last.GetPixel(x, y) != exercise.m_hBitmap->GetPixel(x + 256, y);
    EXPECT_EQ(different, 0);
    presents = 0;
    FadeInPage(host, screen, exercise, {500, 256}); // alpha 0 and 255
    EXPECT_EQ(presents, 2);
    presents = 0;
    FadeInPage(host, screen, exercise, {500, 100}); // no divisor of 256: one unit a step
    EXPECT_EQ(presents, 256);
}

TEST_F(ExerciseScreenTest, FadeBringsTheNewPageInOverAnEmptyShelfIn256Steps) {
    CHeadlessWindow host;
    CImageLayer screen;
    screen.CreateSurface(1024, 768);
    Start(0);
    CImageLayer withPage;
    withPage.CreateSurface(1024, 768);
    PaintExerciseScreen(withPage, m_run, "", -1, -1);
    int presents = 0;
    std::optional<Surface> first;
    std::optional<Surface> half;
    host.m_fnOnPresent = [&](const Surface& frame) {
        if (++presents == 1) first = frame;
        if (presents == 129) half = frame;
    };
    const uint32_t before = host.m_dwTick;
    FadeInPage(host, screen, withPage, asTRANSITIONPACE{});
    EXPECT_EQ(presents, 256);
    const asPICTUREINFO* shelf = FindPicture(BOOKSHELF_PICTURE);
    ASSERT_TRUE(first.has_value() && half.has_value());
    EXPECT_EQ(first->GetPixel(500, 400), shelf->View().At(500, 400)) << "alpha 0: empty shelf";
    EXPECT_TRUE(PictureAt(*first, 132, 133, 709)) << "outside the page the new state shows at once";
    // Half-way the page is the shelf and the page blended half and half, never accumulated.
    Surface expected(1024, 768);
    CopyPixels(expected, PAGE_RECT, shelf->View(), PAGE_RECT);
    BlendPixels(expected, PAGE_RECT, withPage.m_hBitmap->View(), PAGE_RECT, 128);
    EXPECT_EQ(half->GetPixel(500, 400), expected.GetPixel(500, 400));
    EXPECT_EQ(half->GetPixel(300, 200), expected.GetPixel(300, 200));
    EXPECT_EQ(screen.m_hBitmap->GetPixel(500, 400), withPage.m_hBitmap->GetPixel(500, 400))
        << "the last step is the whole page";
    EXPECT_GE(host.m_dwTick - before, 450u);
    // Page Down held, or the corner clicked again and again, during the fade: the queue is
    // dropped, so no storm of fades follows.
    EXPECT_EQ(host.m_nInputDiscards, 1);
}

// A display that shows one frame a refresh: each transition composes only the steps it shows,
// and every one of them is the very frame the same step shows when every step is composed; the
// last step is always composed, and the duration does not change.
TEST_F(ExerciseScreenTest, OnlyTheStepsADisplayShowsAreComposedAndEachIsTheStepsOwnFrame) {
    Start(0);
    CImageLayer exercise;
    exercise.CreateSurface(1024, 768);
    PaintExerciseScreen(exercise, m_run, "", -1, -1);
    auto fingerprint = [](const Surface& frame) {
        uint64_t hash = 1469598103934665603ull;
        for (int y = 0; y < 768; y += 3)
            for (int x = y % 5; x < 1024; x += 5)
                hash = (hash ^ frame.GetPixel(x, y)) * 1099511628211ull;
        return hash;
    };
    struct asPLAY {
        std::vector<uint64_t> arrFrames;
        uint32_t dwTook = 0;
    };
    auto play = [&](int transition, unsigned refreshMs) {
        CHeadlessWindow host;
        host.m_nRefreshMs = refreshMs;
        CImageLayer screen;
        screen.CreateSurface(1024, 768);
        screen.DrawBitmap(0, 0, TITLE_BACKGROUND_PICTURE);
        asPLAY played;
        host.m_fnOnPresent = [&](const Surface& frame) {
            played.arrFrames.push_back(fingerprint(frame));
        };
        const uint32_t before = host.m_dwTick;
        if (transition < SLIDE_DIRECTIONS)
            SlideIn(host, screen, exercise, transition, asTRANSITIONPACE{});
        else
            FadeInPage(host, screen, exercise, asTRANSITIONPACE{});
        played.dwTook = host.m_dwTick - before;
        return played;
    };
    for (int transition : {0, 3, SLIDE_DIRECTIONS}) { // down, from the left, the fade
        const asPLAY every = play(transition, 0);
        const asPLAY shown = play(transition, 16);
        EXPECT_GE(shown.arrFrames.size(), 25u) << transition;
        EXPECT_LE(shown.arrFrames.size(), 40u) << transition;
        auto from = every.arrFrames.begin();
        for (uint64_t frame : shown.arrFrames) {
            from = std::find(from, every.arrFrames.end(), frame);
            ASSERT_NE(from, every.arrFrames.end()) << "a frame no step shows, in " << transition;
        }
        EXPECT_EQ(shown.arrFrames.back(), every.arrFrames.back()) << transition;
        EXPECT_EQ(shown.dwTook, every.dwTook) << transition;
    }
}
