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

void PointerInWindow(SDL_Window* window, int& x, int& y) {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11) {
        ::Window root = 0, child = 0;
        int rootX = 0, rootY = 0;
        unsigned mask = 0;
        if (XQueryPointer(info.info.x11.display, info.info.x11.window, &root, &child, &rootX,
                          &rootY, &x, &y, &mask))
            return;
    }
#endif
    int gx = 0, gy = 0, wx = 0, wy = 0;
    SDL_GetGlobalMouseState(&gx, &gy);
    SDL_GetWindowPosition(window, &wx, &wy);
    x = gx - wx;
    y = gy - wy;
}

void CSdlWindow::PlacePicture() {
    int w = 0, h = 0;
    SDL_GetWindowSize(m_pWindow, &w, &h);
    const asPICTUREPLACE place =
        m_bFullScreen ? FitPicture(w, h, m_nClientWidth, m_nClientHeight)
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
    if (SDL_SetWindowFullscreen(m_pWindow, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) return;
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
    if (m_fnOnFullScreenChanged) m_fnOnFullScreenChanged(on);
}

void CSdlWindow::CatchUpWithPlacement(CWindowHandler& handler) {
    m_bPlacementChanged = false;
    PlacePicture();
    if (!m_bDragging) {
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
