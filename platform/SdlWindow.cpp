// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The SDL window's making and unmaking: the display, the window itself, and the small calls
// that go straight to SDL. Its other concerns have files of their own: placement, scale and full
// screen (SdlWindowPlacement), the window drag (SdlWindowDrag), the event loop and timers
// (SdlWindowLoop), presenting frames (SdlWindowPresent).
#include "platform/SdlWindow.h"

#include "platform/Clock.h"
#include "platform/SdlWindowParts.h"
#include "platform/WindowScale.h"

#include <SDL.h>
#include <SDL_syswm.h> // last: it brings Xlib's macros
#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xatom.h>
#endif

#include <algorithm>
#include <cstring>

namespace {

// SDL writes the title's bytes into WM_NAME as Latin-1 text, so window lists that read that
// property show garbage for anything but ASCII; it gets the UTF-8 title there too, as in
// _NET_WM_NAME.
void SetLegacyWindowTitle(SDL_Window* window, const char* titleUtf8) {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
    Display* display = info.info.x11.display;
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    const auto* text = reinterpret_cast<const unsigned char*>(titleUtf8);
    const int length = int(std::strlen(titleUtf8));
    XChangeProperty(display, info.info.x11.window, XA_WM_NAME, utf8, 8, PropModeReplace, text,
                    length);
    XChangeProperty(display, info.info.x11.window, XA_WM_ICON_NAME, utf8, 8, PropModeReplace, text,
                    length);
    XFlush(display);
#else
    (void)window;
    (void)titleUtf8;
#endif
}

bool IsHeadlessDriver(const char* driver) {
    return driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

} // namespace

bool CSdlWindow::OpenDisplay(const std::string& requestedDriver, std::string& error) {
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        error = std::string("no display could be opened (") + SDL_GetError() +
                "); start the game from a desktop session";
        return false;
    }
    // Without DISPLAY SDL falls back to an invisible window; only accept that when asked for.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (IsHeadlessDriver(driver) && requestedDriver != driver) {
        error = "no display is available (set DISPLAY or WAYLAND_DISPLAY)";
        SDL_Quit();
        return false;
    }
    EndOnHangUpAndQuit();
    return true;
}

void CSdlWindow::CloseDisplay() {
    SDL_Quit();
}

std::unique_ptr<CSdlWindow> CSdlWindow::Create(const char* titleUtf8, int width, int height,
                                               bool fullScreen, const std::string& scaleRequest,
                                               std::string& error) {
    const char* driver = SDL_GetCurrentVideoDriver();
    // SDL's default window surface on X11 goes through an OpenGL texture, which without a GPU
    // (llvmpipe) costs several times the plain shared-memory image; the environment may still
    // ask for it.
    const bool x11 = driver && std::strcmp(driver, "x11") == 0;
    if (x11) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    std::unique_ptr<CSdlWindow> window(new CSdlWindow);
    window->m_bRootPointerEvents = x11;
    SDL_Rect desktop{0, 0, width, height};
    if (SDL_GetDisplayUsableBounds(0, &desktop) != 0) desktop = {0, 0, width, height};
    window->m_nClientWidth = width;
    window->m_nClientHeight = height;
    window->m_nWindowedScale = ChooseWindowScale(
        desktop.w, desktop.h, width, height, scaleRequest.empty() ? nullptr : scaleRequest.c_str());
    // A small screen (a netbook, a laptop whose panel takes part of it) cannot show the whole
    // window: full screen keeps every control in reach.
    window->m_bFullScreen = fullScreen || !WindowFitsDesktop(desktop.w, desktop.h, width, height,
                                                             window->m_nWindowedScale);
    const int scale = window->m_nWindowedScale;
    window->m_pWindow = SDL_CreateWindow(
        titleUtf8, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width * scale, height * scale,
        SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN |
            (window->m_bFullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0));
    if (!window->m_pWindow) {
        error = std::string("the window could not be created: ") + SDL_GetError();
        return nullptr;
    }
    SetLegacyWindowTitle(window->m_pWindow, titleUtf8);
    if (window->m_bFullScreen) CoverDisplay(window->m_pWindow);
    window->PlacePicture();
    window->m_nUserEvent = SDL_RegisterEvents(1);
    SDL_DisplayMode mode;
    if (SDL_GetCurrentDisplayMode(SDL_GetWindowDisplayIndex(window->m_pWindow), &mode) == 0 &&
        mode.refresh_rate > 0)
        window->m_dwFrameInterval = uint32_t(std::max(4, 1000 / mode.refresh_rate));
    SDL_StopTextInput();
    return window;
}

CSdlWindow::~CSdlWindow() {
    m_Gate.Stop();
    if (m_pWindow) SDL_DestroyWindow(m_pWindow);
    SDL_Quit();
}

void CSdlWindow::SetCapture() {
    SDL_CaptureMouse(SDL_TRUE);
}
void CSdlWindow::ReleaseCapture() {
    SDL_CaptureMouse(SDL_FALSE);
}
void CSdlWindow::ShowSystemPointer(bool show) {
    SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void CSdlWindow::EnableTextInput(bool enable) {
    if (enable)
        SDL_StartTextInput();
    else
        SDL_StopTextInput();
}

uint32_t CSdlWindow::GetTickCount() {
    return ::GetTickCount();
}
int CSdlWindow::GetSystemTimeMilliseconds() {
    return ::GetSystemTimeMilliseconds();
}
