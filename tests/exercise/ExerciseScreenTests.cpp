// What the exercise screen and the certificate draw, at the places they are fixed to, and the
// two transitions' steps.
#include "app/LayoutTables.h"
#include "exercise/Certificate.h"
#include "exercise/ExerciseScreen.h"
#include "platform/Gbk.h"
#include "platform/Pictures.h"
#include "tests/exercise/RunFixture.h"

#include <optional>

namespace {

// True when every non-magenta pixel of the picture stands at (x, y) of the surface.
bool PictureAt(const Surface& s, int id, int x, int y) {
    const PictureInfo* p = FindPicture(id);
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
        m_wnd.PaintExerciseScreen(m_layer);
        return *m_layer.m_hBitmap;
    }
    CImageLayer m_layer;
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
    m_wnd.EraseLastDigit();
    EXPECT_FALSE(PictureAt(Paint(), 130, 766, 150));
}

TEST_F(ExerciseScreenTest, HoveredKeypadBallLiftsBy25PixelsOverItsGhost) {
    Start(0);
    m_wnd.m_nHandX = 133 + 64 * 4 + 10;
    m_wnd.m_nHandY = 720;
    const Surface& s = Paint();
    EXPECT_TRUE(PictureAt(s, 135, 133 + 64 * 4, 684));
    EXPECT_TRUE(PictureAt(s, 134, 133 + 64 * 3, 709));
    EXPECT_FALSE(PictureAt(s, 135, 133 + 64 * 4, 709));
}

TEST_F(ExerciseScreenTest, HoveredFinishBookShowsOnlyTheShelfAndTheBrownBook) {
    Start(0);
    m_wnd.m_nHandX = 30;
    m_wnd.m_nHandY = 700;
    const Surface& s = Paint();
    EXPECT_TRUE(PictureAt(s, 160, 18, 686));
    const PictureInfo* shelf = FindPicture(BOOKSHELF_PICTURE);
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
    const PictureInfo* flat = FindPicture(172);
    const PictureInfo* curled = FindPicture(173);
    auto showsCorner = [&](const Surface& s, const PictureInfo* p) {
        const PictureInfo* other = p == flat ? curled : flat;
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
    m_wnd.m_nHandX = 824;
    m_wnd.m_nHandY = 568;
    EXPECT_TRUE(showsCorner(Paint(), curled));
    m_wnd.m_nHandX = 823;
    EXPECT_TRUE(showsCorner(Paint(), flat));
}

TEST_F(ExerciseScreenTest, FinishedPageShowsClockAndBearInsteadOfTheKeypad) {
    Start(0);
    while (m_wnd.m_nCurrent < PageSize())
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
    m_wnd.ClearInput();
    AnswerRight();
    m_wnd.FinishRun();
    ASSERT_EQ(m_wnd.m_nScreenState, SCREEN_CERTIFICATE);
    EXPECT_EQ(m_wnd.RunScore(), 66);
    m_layer.CreateSurface(1024, 768);
    m_layer.m_hDC->SetTextColor(RGB(0, 0, 255)); // a colour another painter left behind
    m_wnd.PaintCertificate(m_layer);
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
    m_wnd.m_nScreenState = SCREEN_TITLE;
    m_wnd.RedrawWindow();
    const Surface title = *m_wnd.m_hBitmap;
    int presents = 0;
    std::optional<Surface> middle;
    m_host.m_fnOnPresent = [&](const Surface& frame) {
        if (++presents == 512) middle = frame;
    };
    int lastDraw = 0; // the direction is the run's last draw
    m_wnd.m_fnRand = [&lastDraw, inner = ScriptedRand({}, 7)] { return lastDraw = inner(); };
    const uint32_t before = m_host.m_dwTick;
    Start(0);
    const uint32_t took = m_host.m_dwTick - before;
    const int direction = lastDraw % 4;
    EXPECT_EQ(presents, direction < 2 ? 768 : 1024);
    ASSERT_TRUE(middle.has_value());

    // Step 512: the new screen is 511 pixels along from where it started, the old one beside it.
    static constexpr int START[4][2] = {{0, -768}, {0, 768}, {1024, 0}, {-1024, 0}};
    static constexpr int MOVE[4][2] = {{0, 1}, {0, -1}, {-1, 0}, {1, 0}};
    const int bx = START[direction][0] + 511 * MOVE[direction][0];
    const int by = START[direction][1] + 511 * MOVE[direction][1];
    const int ax = bx - START[direction][0], ay = by - START[direction][1];
    CImageLayer exercise;
    exercise.CreateSurface(1024, 768);
    m_wnd.PaintExerciseScreen(exercise);
    auto centreOfVisible = [](int x, int y) {
        return std::pair{(std::max(x, 0) + std::min(x + 1024, 1024)) / 2,
                         (std::max(y, 0) + std::min(y + 768, 768)) / 2};
    };
    const auto [nx, ny] = centreOfVisible(bx, by);
    EXPECT_EQ(middle->GetPixel(nx, ny), exercise.m_hBitmap->GetPixel(nx - bx, ny - by));
    const auto [ox, oy] = centreOfVisible(ax, ay);
    EXPECT_EQ(middle->GetPixel(ox, oy), title.GetPixel(ox - ax, oy - ay));
    EXPECT_GE(took, 450u);
    EXPECT_LE(took, 1000u);
    EXPECT_EQ(m_host.m_nInputDiscards, 1) << "clicks and keys queued during the slide are dropped";
}

TEST_F(ExerciseScreenTest, FadeBringsTheNewPageInOverAnEmptyShelfIn256Steps) {
    Start(0);
    int presents = 0;
    std::optional<Surface> first;
    m_host.m_fnOnPresent = [&](const Surface& frame) {
        if (++presents == 1) first = frame;
    };
    const uint32_t before = m_host.m_dwTick;
    m_wnd.StartNewPage();
    EXPECT_EQ(presents, 256 + 1); // the steps, then the repaint
    const PictureInfo* shelf = FindPicture(BOOKSHELF_PICTURE);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->GetPixel(500, 400), shelf->View().At(500, 400)) << "alpha 0: empty shelf";
    EXPECT_TRUE(PictureAt(*first, 132, 133, 709)) << "outside the page the new state shows at once";
    EXPECT_GE(m_host.m_dwTick - before, 450u);
    // Page Down held, or the corner clicked again and again, during the fade: the queue is
    // dropped, so no storm of fades follows.
    EXPECT_EQ(m_host.m_nInputDiscards, 2);
}
