// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard focus's ring round a control that has no highlight of its own: a rounded band of
// flower yellow between two dark brown lines, like the outlines of the pictures.
#include "users/UserScreen.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr Color OUTLINE_COLOR = RGB(0x5b, 0x3a, 0x1e);
constexpr Color BAND_COLOR = RGB(0xff, 0xd2, 0x3f);
constexpr int RING_WIDTH = 4; // outline, two of band, outline
constexpr int RING_RADIUS = 8;
constexpr int SMALL_CONTROL_HEIGHT = 30;

// How far (x, y) lies inside the rounded rectangle outer, in whole pixels (negative outside).
int DepthInside(const Rect& outer, int x, int y) {
    const int dx = std::min(x - outer.left, outer.right - 1 - x);
    const int dy = std::min(y - outer.top, outer.bottom - 1 - y);
    if (dx >= RING_RADIUS || dy >= RING_RADIUS) return std::min(dx, dy);
    // In a corner: the distance to its arc, rounded to the nearest pixel.
    const double cx = RING_RADIUS - dx - 0.5, cy = RING_RADIUS - dy - 0.5;
    return int(std::lround(RING_RADIUS - std::sqrt(cx * cx + cy * cy) - 0.5));
}

} // namespace

void DrawFocusRing(CImageLayer& target, const Rect& rc) {
    if (!target.m_hDC || !target.m_hDC->pSurface) return;
    Surface& surface = *target.m_hDC->pSurface;
    // Rows and the chart get two pixels of room; a small box, whose neighbours are close, none.
    const int gap = rc.Height() < SMALL_CONTROL_HEIGHT ? 0 : 2;
    const Rect outer = InflateRect(rc, RING_WIDTH + gap - 1, RING_WIDTH + gap - 1);
    const Rect area = IntersectRect(outer, surface.ClipRect());
    for (int y = area.top; y < area.bottom; ++y) {
        const bool edgeRow = y < outer.top + RING_RADIUS || y >= outer.bottom - RING_RADIUS;
        for (int x = area.left; x < area.right; ++x) {
            // Between the side bands nothing is drawn: skip to the right one.
            if (!edgeRow && x == outer.left + RING_RADIUS)
                x = std::max(x, outer.right - RING_RADIUS);
            if (x >= area.right) break;
            const int depth = DepthInside(outer, x, y);
            if (depth < 0 || depth >= RING_WIDTH) continue;
            surface.SetPixel(x, y,
                             depth == 0 || depth == RING_WIDTH - 1 ? OUTLINE_COLOR : BAND_COLOR);
        }
    }
}
