// The two transitions of a run: the exercise screen sliding in over the title, and a new page
// fading in. Every one-pixel and one-alpha step is composed; presents are held to the display's
// pace and the steps to a fixed duration, so the animation looks the same on any machine.
#include "app/CSumoraWnd.h"

#include "exercise/ExerciseScreen.h"

#include <algorithm>

namespace {

constexpr uint32_t TRANSITION_MS = 500;

int g_nTransitionStride = 1;

// Sleeps when step of steps is ahead of the schedule that spreads them over TRANSITION_MS.
void KeepPace(CPlatformWindow& host, uint32_t start, int step, int steps) {
    const uint32_t due = uint32_t(uint64_t(TRANSITION_MS) * uint32_t(step) / uint32_t(steps));
    const uint32_t elapsed = host.GetTickCount() - start;
    if (elapsed + 1 < due) host.Sleep(due - elapsed);
}

} // namespace

void CSumoraWnd::SlideInExerciseScreen() {
    if (!m_hBitmap) return;
    CImageLayer from; // the screen as it was shown
    CImageLayer to;   // the exercise screen
    if (!from.CreateSurface(CLIENT_WIDTH, CLIENT_HEIGHT) ||
        !to.CreateSurface(CLIENT_WIDTH, CLIENT_HEIGHT))
        return;
    const Rect client{0, 0, CLIENT_WIDTH, CLIENT_HEIGHT};
    BlitTo(*from.m_hDC, client, nullptr);
    PaintExerciseScreen(to);

    // The new screen starts one screen away and moves a pixel a step until it is in place.
    const int direction = m_fnRand() % 4;
    static constexpr int START[4][2] = {
        {0, -CLIENT_HEIGHT}, {0, CLIENT_HEIGHT}, {CLIENT_WIDTH, 0}, {-CLIENT_WIDTH, 0}};
    static constexpr int OLD_OFFSET[4][2] = {
        {0, CLIENT_HEIGHT}, {0, -CLIENT_HEIGHT}, {-CLIENT_WIDTH, 0}, {CLIENT_WIDTH, 0}};
    static constexpr int MOVE[4][2] = {{0, 1}, {0, -1}, {-1, 0}, {1, 0}};
    const int d = direction < 0 ? -direction : direction;
    int x = START[d][0], y = START[d][1];
    const int distance = (d < 2) ? CLIENT_HEIGHT : CLIENT_WIDTH;
    const int stride = g_nTransitionStride;
    m_bSurfaceCurrent = false; // its frames show no butterflies and no hand
    const uint32_t start = m_host.GetTickCount();
    for (int step = 1; x != 0 || y != 0; ++step) {
        from.BlitTo(*m_hDC, OffsetRect(client, x + OLD_OFFSET[d][0], y + OLD_OFFSET[d][1]),
                    &client);
        to.BlitTo(*m_hDC, OffsetRect(client, x, y), &client);
        m_host.Present(*m_hBitmap);
        x += MOVE[d][0] * stride;
        y += MOVE[d][1] * stride;
        KeepPace(m_host, start, step * stride, distance);
    }
    m_host.DiscardQueuedInput();
}

void CSumoraWnd::FadeInNewPage() {
    if (!m_hBitmap) return;
    CImageLayer withoutPage; // the new screen with an empty shelf where the page goes
    CImageLayer withPage;    // the new screen
    if (!withoutPage.CreateSurface(CLIENT_WIDTH, CLIENT_HEIGHT) ||
        !withPage.CreateSurface(CLIENT_WIDTH, CLIENT_HEIGHT))
        return;
    const Rect client{0, 0, CLIENT_WIDTH, CLIENT_HEIGHT};
    const Rect page{PAGE_LEFT, PAGE_TOP, PAGE_RIGHT, PAGE_BOTTOM};
    PaintExerciseScreen(withoutPage);
    withoutPage.BlitTo(*withPage.m_hDC, client, nullptr);
    withoutPage.DrawShelfRegion(page, page);
    withoutPage.BlitTo(*m_hDC, client, nullptr);
    m_bSurfaceCurrent = false;

    const uint32_t start = m_host.GetTickCount();
    for (int alpha = 0;; alpha = std::min(alpha + g_nTransitionStride, 255)) {
        withoutPage.BlitTo(*m_hDC, page, nullptr);
        BlendPixels(*m_hBitmap, page, withPage.m_hBitmap->View(), page, alpha);
        m_host.Present(*m_hBitmap);
        KeepPace(m_host, start, alpha + 1, 256);
        if (alpha == 255) break;
    }
    m_host.DiscardQueuedInput();
}

void SetTransitionStrideForTesting(int stride) {
    // Only a divisor of 256 brings the slide exactly home from 768 and 1024 pixels away.
    g_nTransitionStride = (stride >= 1 && stride <= 256 && 256 % stride == 0) ? stride : 1;
}
