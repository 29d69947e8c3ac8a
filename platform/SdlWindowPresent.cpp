// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The SDL window's frames: at most one waits, shown at the next refresh, copied to the window
// surface at its scale (or fitted to the full screen) with only the changed part updated.
#include "platform/SdlWindow.h"

#include "platform/WindowScale.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

namespace {

// How often the queue is read at the least while a transition plays.
constexpr uint32_t PING_ANSWER_MS = 100;

} // namespace

void CSdlWindow::Present(const Surface& frame, const Rect& changed) {
    m_rcPendingChange = m_pPendingFrame ? UnionRect(m_rcPendingChange, changed) : changed;
    m_pPendingFrame = &frame;
    FlushPresent(false);
}

void CSdlWindow::FlushPresent(bool force) {
    const uint32_t now = SDL_GetTicks();
    if (!m_pPendingFrame && !m_bExposed) return;
    if (!force && now - m_dwLastPresent < PresentInterval()) return;
    SDL_Surface* target = SDL_GetWindowSurface(m_pWindow);
    if (!target) return;
    if (const Surface* frame = m_pPendingFrame) {
        // An exposed window has lost what it showed: all of it comes again.
        const bool whole = m_bExposed || m_bBorderDue;
        if (m_bBorderDue) FillBorder(target);
        const Rect area = whole ? frame->Bounds() : m_rcPendingChange;
        CopyFrame(*frame, area, target);
        const Rect shown =
            IntersectRect(WindowRectOf(area, m_Place, m_nClientWidth, m_nClientHeight),
                          {0, 0, target->w, target->h});
        const SDL_Rect changed{shown.left, shown.top, shown.Width(), shown.Height()};
        if (whole)
            SDL_UpdateWindowSurface(m_pWindow);
        else if (!shown.IsEmpty())
            SDL_UpdateWindowSurfaceRects(m_pWindow, &changed, 1);
        m_bBorderDue = false;
    } else {
        SDL_UpdateWindowSurface(m_pWindow);
    }
    // A transition that cannot keep ahead of its schedule never sleeps (and Sleep pumps): its
    // presents keep the desktop's liveness pings answered.
    if (now - m_dwLastPump >= PING_ANSWER_MS) PumpEvents();
    m_dwLastPresent = now;
    m_dwPresentCost = SDL_GetTicks() - now;
    m_pPendingFrame = nullptr;
    m_bExposed = false;
}

bool CSdlWindow::IsPresentDue() {
    return SDL_GetTicks() - m_dwLastPresent >= PresentInterval();
}

bool CSdlWindow::IsShown() {
    return (SDL_GetWindowFlags(m_pWindow) & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED)) == 0;
}

uint32_t CSdlWindow::PresentInterval() const {
    // A present that costs more than half a refresh (a large window on a slow display) would
    // otherwise take every frame of a busy handler and starve the composing between them.
    return std::max(m_dwFrameInterval, 2 * m_dwPresentCost);
}

void CSdlWindow::CopyFrame(const Surface& frame, const Rect& area, SDL_Surface* target) const {
    const bool sameFormat = target->format->format == SDL_PIXELFORMAT_RGB888 ||
                            target->format->format == SDL_PIXELFORMAT_ARGB8888;
    const bool fits = m_Place.nLeft >= 0 && m_Place.nTop >= 0 &&
                      m_Place.nLeft + m_Place.nWidth <= target->w &&
                      m_Place.nTop + m_Place.nHeight <= target->h;
    if (!fits) return; // between a size change and its event
    if (!sameFormat) {
        // A display with another pixel format: SDL converts and scales, more slowly.
        SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
            const_cast<uint32_t*>(frame.Data()), frame.Width(), frame.Height(), 32,
            frame.Width() * 4, SDL_PIXELFORMAT_RGB888);
        if (!source) return;
        SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
        SDL_Rect whole{m_Place.nLeft, m_Place.nTop, m_Place.nWidth, m_Place.nHeight};
        SDL_BlitScaled(source, nullptr, target, &whole);
        SDL_FreeSurface(source);
        return;
    }
    if (SDL_MUSTLOCK(target)) SDL_LockSurface(target);
    auto* origin = static_cast<uint8_t*>(target->pixels) + ptrdiff_t(m_Place.nTop) * target->pitch +
                   ptrdiff_t(m_Place.nLeft) * 4;
    if (m_Place.nScale == 0) {
        ReduceSmooth(frame, area, m_Place, target->pixels, target->pitch);
    } else if (m_Place.nScale > 1) {
        UpscaleNearest(frame, area, m_Place.nScale, origin, target->pitch);
    } else {
        const Rect part = IntersectRect(area, frame.Bounds());
        for (int y = part.top; y < part.bottom; ++y)
            std::memcpy(origin + ptrdiff_t(y) * target->pitch + ptrdiff_t(part.left) * 4,
                        frame.Row(y) + part.left, size_t(part.Width()) * 4);
    }
    if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
}

// The part of a full-screen window around the picture: a deep evening green that frames the
// meadow and the bookshelf alike without drawing the eye.
void CSdlWindow::FillBorder(SDL_Surface* target) const {
    const Uint32 quiet = SDL_MapRGB(target->format, 0x1e, 0x33, 0x24);
    const SDL_Rect picture{m_Place.nLeft, m_Place.nTop, m_Place.nWidth, m_Place.nHeight};
    const SDL_Rect bands[4] = {
        {0, 0, target->w, picture.y},
        {0, picture.y + picture.h, target->w, target->h - picture.y - picture.h},
        {0, picture.y, picture.x, picture.h},
        {picture.x + picture.w, picture.y, target->w - picture.x - picture.w, picture.h}};
    for (const SDL_Rect& band : bands)
        if (band.w > 0 && band.h > 0) SDL_FillRect(target, &band, quiet);
}
