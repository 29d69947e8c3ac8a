// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The SDL window's placement: where the client's picture lies in the window at its scale or
// fitted to the full screen, the switch between the two, and the pointer seen anew after a change.
#include "platform/SdlWindow.h"

#include "platform/SdlWindowParts.h"
#include "platform/WindowScale.h"

#include <SDL.h>
#include <SDL_syswm.h> // last: it brings Xlib's macros
#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xatom.h>
#endif

void CoverDisplay(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window), &bounds) != 0) return;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
    XMoveResizeWindow(info.info.x11.display, info.info.x11.window, bounds.x, bounds.y,
                      unsigned(bounds.w), unsigned(bounds.h));
    XFlush(info.info.x11.display);
#else
    (void)window;
#endif
}

namespace {

#if defined(SDL_VIDEO_DRIVER_X11)
// The window's own X display and window; false on another video driver.
bool X11WindowOf(SDL_Window* window, Display*& display, ::Window& xWindow) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    display = info.info.x11.display;
    xWindow = info.info.x11.window;
    return true;
}
#endif

} // namespace

void PointerInWindow(SDL_Window* window, int& x, int& y) {
#if defined(SDL_VIDEO_DRIVER_X11)
    Display* display = nullptr;
    ::Window xWindow = 0;
    if (X11WindowOf(window, display, xWindow)) {
        ::Window root = 0, child = 0;
        int rootX = 0, rootY = 0;
        unsigned mask = 0;
        if (XQueryPointer(display, xWindow, &root, &child, &rootX, &rootY, &x, &y, &mask)) return;
    }
#endif
    int gx = 0, gy = 0, wx = 0, wy = 0;
    SDL_GetGlobalMouseState(&gx, &gy);
    SDL_GetWindowPosition(window, &wx, &wy);
    x = gx - wx;
    y = gy - wy;
}

bool PointerOnScreen(SDL_Window* window, int& x, int& y) {
#if defined(SDL_VIDEO_DRIVER_X11)
    Display* display = nullptr;
    ::Window xWindow = 0;
    if (!X11WindowOf(window, display, xWindow)) return false;
    ::Window root = 0, child = 0;
    int windowX = 0, windowY = 0;
    unsigned mask = 0;
    return XQueryPointer(display, xWindow, &root, &child, &x, &y, &windowX, &windowY, &mask);
#else
    (void)window;
    (void)x;
    (void)y;
    return false;
#endif
}

void KeepPointerAt(SDL_Window* window, int x, int y) {
#if defined(SDL_VIDEO_DRIVER_X11)
    int nowX = 0, nowY = 0;
    Display* display = nullptr;
    ::Window xWindow = 0;
    if (!PointerOnScreen(window, nowX, nowY) || (nowX == x && nowY == y) ||
        !X11WindowOf(window, display, xWindow))
        return;
    XWarpPointer(display, None, DefaultRootWindow(display), 0, 0, 0, 0, x, y);
    // Its motion comes with the events of the switch, ahead of the pointer seen anew after it.
    XSync(display, False);
#else
    (void)window;
    (void)x;
    (void)y;
#endif
}

bool HasReportedPlacement(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
    Display* display = nullptr;
    ::Window xWindow = 0;
    XWindowAttributes shown;
    ::Window child = 0;
    int x = 0, y = 0;
    if (!X11WindowOf(window, display, xWindow) || !XGetWindowAttributes(display, xWindow, &shown) ||
        !XTranslateCoordinates(display, xWindow, shown.root, 0, 0, &x, &y, &child))
        return true;
    int w = 0, h = 0, reportedX = 0, reportedY = 0;
    SDL_GetWindowSize(window, &w, &h);
    SDL_GetWindowPosition(window, &reportedX, &reportedY);
    return shown.width == w && shown.height == h && x == reportedX && y == reportedY;
#else
    (void)window;
    return true;
#endif
}

bool IsWindowConfigured(SDL_Window* window, const SDL_SysWMmsg& message) {
#if defined(SDL_VIDEO_DRIVER_X11)
    Display* display = nullptr;
    ::Window xWindow = 0;
    return message.subsystem == SDL_SYSWM_X11 && message.msg.x11.event.type == ConfigureNotify &&
           X11WindowOf(window, display, xWindow) &&
           message.msg.x11.event.xconfigure.window == xWindow;
#else
    (void)window;
    (void)message;
    return false;
#endif
}

void CSdlWindow::PlacePicture() {
    int w = 0, h = 0;
    SDL_GetWindowSize(m_pWindow, &w, &h);
    // A window of another size than its scale's (another program resized it) shows the picture
    // as full screen does: reduced to fit, or centred on the border.
    const bool ownSize =
        w == m_nClientWidth * m_nWindowedScale && h == m_nClientHeight * m_nWindowedScale;
    const asPICTUREPLACE place =
        m_bFullScreen || !ownSize ? FitPicture(w, h, m_nClientWidth, m_nClientHeight)
                                  : PlaceAtScale(m_nClientWidth, m_nClientHeight, m_nWindowedScale);
    if (!(place == m_Place)) m_bBorderDue = true;
    m_Place = place;
}

int CSdlWindow::ToClientX(int windowX) const {
    return ClientCoordinate(windowX, m_Place.nLeft, m_Place.nWidth, m_nClientWidth);
}
int CSdlWindow::ToClientY(int windowY) const {
    return ClientCoordinate(windowY, m_Place.nTop, m_Place.nHeight, m_nClientHeight);
}

bool CSdlWindow::FitsDesktop() const {
    SDL_Rect desktop;
    if (SDL_GetDisplayUsableBounds(SDL_GetWindowDisplayIndex(m_pWindow), &desktop) != 0)
        return true;
    return WindowFitsDesktop(desktop.w, desktop.h, m_nClientWidth, m_nClientHeight,
                             m_nWindowedScale);
}

void CSdlWindow::SetFullScreen(bool on) {
    if (on == m_bFullScreen) return;
    // The keypad, the finish book and the hint must stay in reach.
    if (!on && !FitsDesktop()) return;
    int pointerX = 0, pointerY = 0;
    const bool pointerKnown = PointerOnScreen(m_pWindow, pointerX, pointerY);
    if (SDL_SetWindowFullscreen(m_pWindow, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) return;
    // SDL puts the pointer back on its last window coordinates, which are another spot on the
    // screen once the window has changed under a still pointer: it stays where it was left.
    if (pointerKnown) KeepPointerAt(m_pWindow, pointerX, pointerY);
    m_bFullScreen = on;
    if (on) {
        if (m_bDragging) {
            // The screen cannot be moved: the button's release still ends the drag unseen.
            EndDrag();
            m_bSwallowRelease = true;
        }
        CoverDisplay(m_pWindow);
    } else {
        // Back to the window's own size, centred again.
        SDL_SetWindowSize(m_pWindow, m_nClientWidth * m_nWindowedScale,
                          m_nClientHeight * m_nWindowedScale);
        SDL_SetWindowPosition(m_pWindow, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
    PlacePicture();
    m_bBorderDue = true;
    m_bExposed = true;
    m_bPlacementChanged = true;
    AwaitPlacement(true);
    if (m_fnOnFullScreenChanged) m_fnOnFullScreenChanged(on);
}

void CSdlWindow::AwaitPlacement(bool await) {
    m_bAwaitingPlacement = await;
    FollowDisplayEvents();
}

void CSdlWindow::CatchUpWithPlacement(CWindowHandler& handler) {
    m_bPlacementChanged = false;
    PlacePicture();
    // Until the window has the size and place SDL reports, the pointer would be read against
    // the old window; the change's configure event brings this back.
    const bool waiting = m_bAwaitingPlacement && !HasReportedPlacement(m_pWindow);
    AwaitPlacement(waiting);
    if (!m_bDragging && !waiting) {
        // The held pointer move, if any, is older than the change: this one replaces it.
        int x = 0, y = 0;
        PointerInWindow(m_pWindow, x, y);
        const bool down = SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK;
        m_bMoveHeld = true;
        m_nHeldX = ToClientX(x);
        m_nHeldY = ToClientY(y);
        m_nHeldFlags = down ? MK_LBUTTON : 0;
        DeliverHeldMove(handler);
    }
    // Composing a frame is the only way to fill the new window surface.
    handler.OnShown();
}
