// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The slide and the fade. Each keeps one layer besides the screen: the slide moves the screen's
// own pixels along and copies in only the strip of the new screen that comes into view; the fade
// takes the shelf under the page straight from its picture. Both go through every step on their
// schedule but compose only the steps the display will show (and the last): the display shows
// one frame a refresh, and a slow machine would otherwise spend seconds on frames never seen.
#include "exercise/PageTransitions.h"

#include "exercise/ExerciseLayout.h"

#include <algorithm>

namespace {

int StrideOf(const asTRANSITIONPACE& pace) {
    const int stride = pace.nStride;
    return (stride >= 1 && stride <= 256 && 256 % stride == 0) ? stride : 1;
}

// Sleeps when step of steps is ahead of the schedule that spreads them over the duration.
void KeepPace(CPlatformWindow& host, const asTRANSITIONPACE& pace, uint32_t start, int step,
              int steps) {
    const uint32_t due = uint32_t(uint64_t(pace.nDurationMs) * uint32_t(step) / uint32_t(steps));
    const uint32_t elapsed = host.GetTickCount() - start;
    if (elapsed + 1 < due) host.Sleep(due - elapsed);
}

// The strip of the frame that a move of (mx, my) brings into view, on the side the new screen
// comes from.
Rect StripComingIntoView(int width, int height, int mx, int my) {
    return my > 0   ? Rect{0, 0, width, my}
           : my < 0 ? Rect{0, height + my, width, height}
           : mx > 0 ? Rect{0, 0, mx, height}
                    : Rect{width + mx, 0, width, height};
}

} // namespace

void SlideIn(CPlatformWindow& host, CImageLayer& screen, const CImageLayer& to, int direction,
             const asTRANSITIONPACE& pace) {
    if (!screen.m_hBitmap || !to.m_hBitmap) return;
    Surface& surface = *screen.m_hBitmap;
    const int width = surface.Width(), height = surface.Height();
    const Rect client = surface.Bounds();
    // The new screen starts one screen away and moves a stride a step until it is in place.
    const int START[SLIDE_DIRECTIONS][2] = {{0, -height}, {0, height}, {width, 0}, {-width, 0}};
    static constexpr int MOVE[SLIDE_DIRECTIONS][2] = {{0, 1}, {0, -1}, {-1, 0}, {1, 0}};
    const int d = std::clamp(direction < 0 ? -direction : direction, 0, SLIDE_DIRECTIONS - 1);
    const int stride = StrideOf(pace);
    const int dx = MOVE[d][0] * stride, dy = MOVE[d][1] * stride;
    const int distance = d < 2 ? height : width;
    int x = START[d][0], y = START[d][1];
    int drawnX = x, drawnY = y; // where the new screen stands in the surface
    const uint32_t start = host.GetTickCount();
    for (int step = 1; x != 0 || y != 0; ++step) {
        const bool last = x + dx == 0 && y + dy == 0;
        if (last || host.IsPresentDue()) {
            // The old and the new screen move together: the frame moves by the steps since it
            // was last drawn, and only the strip they bring into view is new.
            const int mx = x - drawnX, my = y - drawnY;
            if (mx != 0 || my != 0) {
                ScrollPixels(surface, mx, my);
                surface.SetClipRect(StripComingIntoView(width, height, mx, my));
                CopyPixels(surface, OffsetRect(client, x, y), to.m_hBitmap->View(), client);
                surface.ResetClipRect();
                drawnX = x;
                drawnY = y;
            }
            host.Present(surface);
        }
        x += dx;
        y += dy;
        KeepPace(host, pace, start, step * stride, distance);
    }
    host.DiscardQueuedInput();
}

void FadeInPage(CPlatformWindow& host, CImageLayer& screen, const CImageLayer& withPage,
                const asTRANSITIONPACE& pace) {
    if (!screen.m_hBitmap || !withPage.m_hBitmap) return;
    Surface& surface = *screen.m_hBitmap;
    CopyPixels(surface, surface.Bounds(), withPage.m_hBitmap->View(), surface.Bounds());
    const int stride = StrideOf(pace);
    const uint32_t start = host.GetTickCount();
    for (int alpha = 0;; alpha = std::min(alpha + stride, 255)) {
        if (alpha == 255 || host.IsPresentDue()) {
            screen.DrawShelfRegion(PAGE_RECT, PAGE_RECT);
            BlendPixels(surface, PAGE_RECT, withPage.m_hBitmap->View(), PAGE_RECT, alpha);
            host.Present(surface);
        }
        KeepPace(host, pace, start, alpha + 1, 256);
        if (alpha == 255) break;
    }
    host.DiscardQueuedInput();
}
