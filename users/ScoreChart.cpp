// The score chart of the current user: a value axis and one red line through the results.
#include "app/CSumoraWnd.h"
#include "app/LayoutTables.h"
#include "users/UserData.h"
#include "users/UserScreen.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr Rect VALUE_AXIS_SHADOW{188, 323, 191, 471};
constexpr Rect VALUE_AXIS_FACE{187, 322, 190, 471};
constexpr int CHART_LEFT = 190;   // x of the oldest result
constexpr int CHART_BOTTOM = 471; // y of 0 %; one pixel per percent upwards
constexpr Color LINE_COLOR = RGB(255, 0, 0);

void PlotPixel(Surface& surface, int x, int y) {
    if (x >= 0 && y >= 0 && x < surface.Width() && y < surface.Height())
        surface.SetPixel(x, y, LINE_COLOR);
}

// A one-pixel line with both ends drawn, so the newest result shows as the line's last pixel.
void DrawLine(Surface& surface, int x0, int y0, int x1, int y1) {
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        PlotPixel(surface, x0, y0);
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

void CSumoraWnd::PaintScoreChart() {
    FillSurface(&VALUE_AXIS_SHADOW, COLOR_BLACK);
    FillSurface(&VALUE_AXIS_FACE, ENGRAVED_FACE_COLOR);
    // The View scores button stays lit: it is also the way back.
    DrawBitmap(g_rcUserButtons[2].left, g_rcUserButtons[2].top, VIEW_SCORES_HOVER_PICTURE);
    if (g_nCurrentUser < 0 || g_nCurrentUser >= int(g_arrUsers.size())) return;
    if (!m_hDC || !m_hDC->pSurface) return;
    const asUSERINFO& user = g_arrUsers[size_t(g_nCurrentUser)];
    const int last = std::min(user.nLastScore, SCORE_HISTORY_SIZE - 1);
    // The first result is only where the line starts: a single result draws nothing.
    for (int i = 1; i <= last; ++i)
        DrawLine(*m_hDC->pSurface, CHART_LEFT + i - 1, CHART_BOTTOM - user.byScores[size_t(i - 1)],
                 CHART_LEFT + i, CHART_BOTTOM - user.byScores[size_t(i)]);
}
