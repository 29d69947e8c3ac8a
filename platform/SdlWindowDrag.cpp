// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The SDL window's drag: the window follows the pointer while the left button is held after a
// press on a spot with no control, and always stays within reach on the desktop.
#include "platform/SdlWindow.h"

#include <SDL.h>
#include <SDL_syswm.h> // last: it brings Xlib's macros
#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xatom.h>
#endif

#include <algorithm>

void CSdlWindow::BeginDrag(int x, int y) {
    if (m_bFullScreen) {
        // The window is the screen: nothing moves, but the release is no click either.
        m_bSwallowRelease = true;
        return;
    }
    m_bDragging = true;
    // Hold the window by the pixel that was pressed, not by the corner of its enlarged block.
    const bool pressedThere = ToClientX(m_nPressX) == x && ToClientY(m_nPressY) == y;
    m_nDragX = pressedThere ? m_nPressX : m_Place.nLeft + x * m_Place.nScale;
    m_nDragY = pressedThere ? m_nPressY : m_Place.nTop + y * m_Place.nScale;
    int wx = 0, wy = 0;
    SDL_GetWindowPosition(m_pWindow, &wx, &wy);
    m_nPointerX = wx + m_nDragX;
    m_nPointerY = wy + m_nDragY;
    m_bDragMoved = false;
    FollowDisplayEvents();
    SDL_CaptureMouse(SDL_TRUE);
}

void CSdlWindow::EndDrag() {
    m_bDragging = false;
    FollowDisplayEvents();
    SDL_CaptureMouse(SDL_FALSE);
}

void CSdlWindow::FollowDisplayEvents() {
    // Every event of the display then comes twice; only for as long as they are needed.
    if (m_bRootPointerEvents)
        SDL_EventState(SDL_SYSWMEVENT,
                       m_bDragging || m_bAwaitingPlacement ? SDL_ENABLE : SDL_DISABLE);
}

void CSdlWindow::FollowRootPointer(const SDL_SysWMmsg& message) {
#if defined(SDL_VIDEO_DRIVER_X11)
    if (message.subsystem != SDL_SYSWM_X11) return;
    const XEvent& event = message.msg.x11.event;
    if (event.type == MotionNotify) {
        m_nPointerX = event.xmotion.x_root;
        m_nPointerY = event.xmotion.y_root;
    } else if (event.type == ButtonRelease) {
        m_nPointerX = event.xbutton.x_root;
        m_nPointerY = event.xbutton.y_root;
    }
#else
    (void)message;
#endif
}

void CSdlWindow::MoveDraggedWindow() {
    if (!m_bRootPointerEvents) SDL_GetGlobalMouseState(&m_nPointerX, &m_nPointerY);
    int x = m_nPointerX - m_nDragX, y = m_nPointerY - m_nDragY;
    // Keep a grip of the window on the desktop so it can always be dragged back.
    SDL_Rect bounds;
    if (SDL_GetDisplayUsableBounds(SDL_GetWindowDisplayIndex(m_pWindow), &bounds) == 0) {
        int w = 0, h = 0;
        SDL_GetWindowSize(m_pWindow, &w, &h);
        constexpr int GRIP = 64;
        x = std::clamp(x, bounds.x - w + GRIP, bounds.x + bounds.w - GRIP);
        y = std::clamp(y, bounds.y, bounds.y + bounds.h - GRIP);
    }
    int wx = 0, wy = 0;
    SDL_GetWindowPosition(m_pWindow, &wx, &wy);
    if (x == wx && y == wy) return;
    SDL_SetWindowPosition(m_pWindow, x, y);
    m_bDragMoved = true;
}
