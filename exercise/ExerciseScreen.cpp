// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The exercise screen: the bookshelf, the page with its heading and problems, the marks, the
// keypad or the finished page's footer.
#include "exercise/ExerciseScreen.h"

#include "exercise/ExerciseLayout.h"
#include "gfx/Gbk.h"
#include "gfx/Pictures.h"
#include "gfx/Text.h"
#include "platform/Translate.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int HOVER_LIFT = 25;
constexpr int GHOST_ALPHA = 40;
constexpr int RIGHT_MARK_OFFSET = 576; // from the mark square to the mark right of the line

constexpr Color HEADING_COLOR = RGB(10, 10, 10);
constexpr Color LINE_COLOR = RGB(10, 10, 10);
constexpr Color HINT_LINE_COLOR = RGB(255, 0, 0);
constexpr Color LINE_SHADOW_COLOR = RGB(250, 200, 200);

bool Hovered(const Rect& rc, int x, int y) {
    return PtInRect(rc, x, y);
}

// A control's picture: lifted, over a faint ghost of itself, while the pointer is on it.
void DrawLiftable(CImageLayer& target, const Rect& rc, int picture, bool hovered) {
    if (hovered) {
        target.DrawBitmapBlended({0, 0, rc.Width(), rc.Height()}, rc, uint16_t(picture),
                                 GHOST_ALPHA);
        target.DrawBitmapKeyed(rc.left, rc.top - HOVER_LIFT, uint16_t(picture));
    } else {
        target.DrawBitmapKeyed(rc.left, rc.top, uint16_t(picture));
    }
}

} // namespace

std::string FillBlank(const std::string& problem, const std::string& text) {
    const size_t at = problem.find("%s");
    if (at == std::string::npos) return problem;
    return problem.substr(0, at) + text + problem.substr(at + 2);
}

std::string FormatPageTime(uint32_t milliseconds) {
    static const std::string format = GbkFromUtf8(Tr("%d分%d秒"));
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format.c_str(), int(milliseconds / 60000),
                  int((milliseconds / 1000) % 60));
    return buffer;
}

std::string FormatFirstTryCount(int count) {
    static const std::string format = GbkFromUtf8(Tr("%d 个"));
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format.c_str(), count);
    return buffer;
}

void PaintExerciseScreen(CImageLayer& target, const CExerciseRun& run, std::string_view heading,
                         int handX, int handY) {
    const int hx = handX, hy = handY;
    target.DrawBitmap(0, 0, BOOKSHELF_PICTURE);
    const bool finishHovered = Hovered(g_rcFinish, hx, hy);
    target.DrawBitmapKeyed(g_rcFinish.left, g_rcFinish.top,
                           finishHovered ? CLOSED_BOOK_PICTURE : OPEN_BOOK_PICTURE);
    if (finishHovered) return; // only the bare shelf and the closed book

    asDRAWCONTEXT& dc = *target.m_hDC;
    const Color savedColor = dc.crText;
    target.DrawBitmapKeyed(PAGE_RECT.left, PAGE_RECT.top,
                           Hovered(g_rcNewPage, hx, hy) ? CURLED_PAGE_PICTURE : PAGE_PICTURE);
    if (run.m_bHintAvailable == 1)
        DrawLiftable(target, g_rcHint, MAGNIFIER_PICTURE, Hovered(g_rcHint, hx, hy));

    dc.SetTextColor(HEADING_COLOR);
    target.DrawTextBox(heading, OffsetRect(g_rcProblemLines[0], 0, -40),
                       DT_CENTER | DT_VCENTER | DT_SINGLELINE, 900, 28);

    const int pageSize = int(std::min<size_t>(run.m_arrProblems.size(), 12));
    for (int i = 0; i < pageSize; ++i) {
        Rect rcLine = g_rcProblemLines[size_t(i)];
        Rect rcShadow = rcLine;
        int height = 24;
        std::string text;
        const int markX = g_rcLineMarks[size_t(i)].left + RIGHT_MARK_OFFSET,
                  markY = g_rcLineMarks[size_t(i)].top;
        if (i == run.m_nCurrent) {
            height = 28;
            rcShadow = OffsetRect(rcShadow, 3, 3);
            rcLine = OffsetRect(rcLine, -1, -1);
            target.DrawBitmapKeyed(g_rcLineMarks[size_t(i)].left, g_rcLineMarks[size_t(i)].top,
                                   STRAWBERRY_PICTURE);
            text = FillBlank(run.m_arrProblems[size_t(i)], run.m_strInput);
            if (!run.m_strInput.empty() && run.m_bWrongShown == 1)
                target.DrawBitmapKeyed(markX, markY,
                                       run.m_strInput == run.m_arrAnswers[size_t(i)]
                                           ? RED_FLOWER_PICTURE
                                           : BLUE_FLOWER_PICTURE);
        } else if (i < run.m_nCurrent) {
            rcShadow = OffsetRect(rcShadow, 1, 1);
            text = FillBlank(run.m_arrProblems[size_t(i)], run.m_arrAnswers[size_t(i)]);
            target.DrawBitmapKeyed(markX, markY, RED_FLOWER_PICTURE);
        } else {
            text = FillBlank(run.m_arrProblems[size_t(i)], "");
        }
        dc.SetTextColor(LINE_SHADOW_COLOR);
        target.DrawTextBox(text, rcShadow, DT_SINGLELINE | DT_BOTTOM, 900, height);
        dc.SetTextColor(i == run.m_nHintIndex ? HINT_LINE_COLOR : LINE_COLOR);
        target.DrawTextBox(text, rcLine, DT_SINGLELINE | DT_BOTTOM, 900, height);
    }

    if (!run.PageFinished()) {
        for (int m = 0; m < KEYPAD_BUTTONS; ++m)
            DrawLiftable(target, g_rcKeypad[m], g_nKeypadBitmaps[size_t(m)],
                         Hovered(g_rcKeypad[m], hx, hy));
    } else {
        // The finished page: its time and first-try count, in the last line's text colour.
        constexpr unsigned FOOTER_FORMAT = DT_SINGLELINE | DT_VCENTER;
        target.DrawBitmapKeyed(581, 709, CLOCK_PICTURE);
        target.DrawTextBox(FormatPageTime(run.m_dwEndTick - run.m_dwStartTick),
                           {640, 704, 896, 768}, FOOTER_FORMAT, 700, 20);
        target.DrawBitmapKeyed(197, 709, BEAR_PICTURE);
        target.DrawTextBox(FormatFirstTryCount(run.m_nPageFirstTry), {261, 709, 315, 763},
                           FOOTER_FORMAT, 700, 20);
    }
    dc.crText = savedColor;
}
