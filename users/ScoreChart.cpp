// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The score chart of the current user: a value axis and one red line through the results.
#include "gfx/Pictures.h"
#include "users/UserData.h"
#include "users/UserLayout.h"
#include "users/UserScreen.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr Rect VALUE_AXIS_SHADOW{188, 323, 191, 471};
constexpr Rect VALUE_AXIS_FACE{187, 322, 190, 471};
constexpr int CHART_LEFT = 190;   // x of the oldest result
constexpr int CHART_BOTTOM = 471; // y of 0 %; one pixel per percent upwards
constexpr Color LINE_COLOR = RGB(255, 0, 0);

// A one-pixel line with both ends drawn, so the newest result shows as the line's last pixel.
// Only its pixels inside clip are set.
void DrawLine(Surface& surface, const Rect& clip, int x0, int y0, int x1, int y1) {
    const Rect box = {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1) + 1,
                      std::max(y0, y1) + 1};
    if (IntersectRect(box, clip).IsEmpty()) return;
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        if (PtInRect(clip, x0, y0)) surface.SetPixel(x0, y0, LINE_COLOR);
        if (x0 == x1 && y0 == y1) return;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

} // namespace

void PaintScoreChart(CImageLayer& target) {
    target.FillSurface(&VALUE_AXIS_SHADOW, COLOR_BLACK);
    target.FillSurface(&VALUE_AXIS_FACE, ENGRAVED_FACE_COLOR);
    // The View scores button stays lit: it is also the way back.
    target.DrawBitmap(g_rcUserButtons[2].left, g_rcUserButtons[2].top, VIEW_SCORES_HOVER_PICTURE);
    const asUSERINFO* current = CurrentUser();
    if (!current || !target.m_hDC || !target.m_hDC->pSurface) return;
    const asUSERINFO& user = *current;
    const int last = std::min(user.nLastScore, SCORE_HISTORY_SIZE - 1);
    // The first result is only where the line starts: a single result draws nothing.
    Surface& surface = *target.m_hDC->pSurface;
    const Rect clip = surface.ClipRect();
    for (int i = 1; i <= last; ++i)
        DrawLine(surface, clip, CHART_LEFT + i - 1, CHART_BOTTOM - user.byScores[size_t(i - 1)],
                 CHART_LEFT + i, CHART_BOTTOM - user.byScores[size_t(i)]);
}
