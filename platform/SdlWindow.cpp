// SDL2 window and message loop: events become the game's mouse, key, character and timer
// calls; frames go to the window surface at most once per display refresh. On a desktop at least
// twice the client's size the window is a whole-number multiple of it, and pointer positions
// are mapped back, so the game only ever sees its fixed client.
#include "platform/SdlWindow.h"

#include "platform/Clock.h"
#include "platform/Gbk.h"
#include "platform/QueuedInput.h"
#include "platform/Signals.h"
#include "platform/WindowScale.h"
#include "platform/WriterLock.h"

#include <SDL.h>
#include <SDL_syswm.h> // last: it brings Xlib's macros
#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xatom.h>
#endif

#include <algorithm>
#include <csignal>
#include <cstring>
#include <vector>

namespace {

unsigned VirtualKeyOf(SDL_Keycode key) {
    if (key >= SDLK_0 && key <= SDLK_9) return VK_0 + unsigned(key - SDLK_0);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return VK_NUMPAD0 + 1 + unsigned(key - SDLK_KP_1);
    switch (key) {
    case SDLK_KP_0:
        return VK_NUMPAD0;
    case SDLK_BACKSPACE:
        return VK_BACK;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return VK_RETURN;
    case SDLK_PAGEUP:
        return VK_PRIOR;
    case SDLK_PAGEDOWN:
        return VK_NEXT;
    case SDLK_HOME:
        return VK_HOME;
    case SDLK_DELETE:
        return VK_DELETE;
    default:
        return 0;
    }
}

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

// A window manager takes a full-screen window over the whole display; without one (a bare X
// server, a kiosk session) nothing would move it, so it is placed there directly as well.
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

// Where the pointer is now, in window pixels. SDL's own idea of it is its last motion's window
// coordinates, which go stale when the window changes under a still pointer; the X server is
// asked directly.
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

QueuedEvent KindOf(const SDL_Event& event) {
    switch (event.type) {
    case SDL_MOUSEMOTION:
        return QueuedEvent::MOVE;
    case SDL_MOUSEBUTTONDOWN:
        return event.button.button == SDL_BUTTON_LEFT ? QueuedEvent::LEFT_PRESS
                                                      : QueuedEvent::INPUT;
    case SDL_MOUSEBUTTONUP:
        return event.button.button == SDL_BUTTON_LEFT ? QueuedEvent::LEFT_RELEASE
                                                      : QueuedEvent::INPUT;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
    case SDL_TEXTEDITING:
    case SDL_TEXTINPUT:
        return QueuedEvent::INPUT;
    default:
        return QueuedEvent::OTHER;
    }
}

// The queue as seen by a transition's clean-up: listed in one pass over SDL's queue, then
// filtered in a second, so what stays keeps its order. Another thread can only add repaint
// requests meanwhile, at the end, past the list: those stay.
struct asQUEUESCAN {
    std::vector<QueuedEvent> arrKinds;
    std::vector<bool> arrKept;
    size_t nAt = 0;
};

int ListQueuedEvent(void* scan, SDL_Event* event) {
    static_cast<asQUEUESCAN*>(scan)->arrKinds.push_back(KindOf(*event));
    return 1;
}

int KeepListedEvent(void* scan, SDL_Event*) {
    auto& queue = *static_cast<asQUEUESCAN*>(scan);
    const size_t at = queue.nAt++;
    return at >= queue.arrKept.size() || queue.arrKept[at] ? 1 : 0;
}

// How long the loop waits beyond an expected repaint request before letting it wake the loop.
constexpr uint32_t LATE_REQUEST_MS = 4;

// How often the queue is read at the least while a transition plays.
constexpr uint32_t PING_ANSWER_MS = 100;

bool IsHeadlessDriver(const char* driver) {
    return driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

// SIGHUP (the session ends) and SIGQUIT end the game as SIGTERM does, through the normal
// shut-down that saves; SDL itself turns SIGINT and SIGTERM into a quit event.
volatile std::sig_atomic_t g_bQuitSignalled = 0;

extern "C" void OnQuitSignal(int) {
    g_bQuitSignalled = 1;
}

void EndOnHangUpAndQuit() {
    CatchSignal(SIGHUP, OnQuitSignal);
    CatchSignal(SIGQUIT, OnQuitSignal);
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

void CSdlWindow::SetTimer(int id, unsigned periodMs) {
    m_mapTimers[id] = asTIMER{periodMs, SDL_GetTicks() + periodMs};
}

void CSdlWindow::KillTimer(int id) {
    m_mapTimers.erase(id);
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
    if (m_bRootPointerEvents) SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    SDL_CaptureMouse(SDL_TRUE);
}

void CSdlWindow::EndDrag() {
    m_bDragging = false;
    if (m_bRootPointerEvents) SDL_EventState(SDL_SYSWMEVENT, SDL_DISABLE);
    SDL_CaptureMouse(SDL_FALSE);
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

void CSdlWindow::ExpectRepaintRequest(uint32_t inMs) {
    if (inMs == UINT32_MAX) {
        m_bRequestExpected.store(false);
        return;
    }
    m_dwRequestDue.store(SDL_GetTicks() + inMs);
    m_bRequestExpected.store(true);
}

bool CSdlWindow::LookForRepaintRequest() {
    if (m_bRequestExpected.load()) {
        const int32_t left = int32_t(m_dwRequestDue.load() - SDL_GetTicks());
        if (left > -int32_t(LATE_REQUEST_MS)) {
            m_Gate.WillLook();
            return !m_Gate.HasPending();
        }
        m_bRequestExpected.store(false); // late: it will wake the loop itself
    }
    return !m_Gate.PendingOrStopLooking();
}

void CSdlWindow::ServeRepaintRequest(CWindowHandler& handler) {
    DeliverHeldMove(handler);
    handler.OnUserRedraw();
    m_Gate.MarkServed();
}

bool CSdlWindow::RequestRepaintAndWait() {
    const uint32_t type = m_nUserEvent;
    return m_Gate.RequestAndWait([type] {
        SDL_Event event{};
        event.type = type;
        SDL_PushEvent(&event);
    });
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
void CSdlWindow::Sleep(unsigned ms) {
    // In short naps with the queue pumped between them: a window manager that gets no answer to
    // its ping for a few seconds offers to kill the window.
    const uint32_t until = SDL_GetTicks() + ms;
    for (int32_t left = int32_t(ms); left > 0; left = int32_t(until - SDL_GetTicks())) {
        PumpEvents();
        SDL_Delay(uint32_t(std::min(left, 8)));
    }
}

void CSdlWindow::PumpEvents() {
    SDL_PumpEvents();
    m_dwLastPump = SDL_GetTicks();
}

void CSdlWindow::DiscardQueuedInput() {
    PumpEvents();
    asQUEUESCAN scan;
    SDL_FilterEvents(ListQueuedEvent, &scan);
    scan.arrKept = KeptAfterTransition(scan.arrKinds, m_bLeftHeld);
    SDL_FilterEvents(KeepListedEvent, &scan);
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

void CSdlWindow::DeliverHeldMove(CWindowHandler& handler) {
    if (!m_bMoveHeld) return;
    m_bMoveHeld = false;
    handler.OnMouseMove(m_nHeldX, m_nHeldY, m_nHeldFlags);
}

void CSdlWindow::FireDueTimers(CWindowHandler& handler) {
    const uint32_t now = SDL_GetTicks();
    std::vector<int> due;
    for (auto& [id, timer] : m_mapTimers)
        if (int32_t(now - timer.dwDue) >= 0) due.push_back(id);
    for (int id : due) {
        auto found = m_mapTimers.find(id);
        if (found == m_mapTimers.end()) continue; // killed by an earlier timer's handler
        found->second.dwDue = now + found->second.nPeriod;
        handler.OnTimer(id);
    }
}

bool CSdlWindow::HasDueTimer() const {
    const uint32_t now = SDL_GetTicks();
    for (const auto& [id, timer] : m_mapTimers)
        if (int32_t(now - timer.dwDue) >= 0) return true;
    return false;
}

uint32_t CSdlWindow::NextWakeDelay() const {
    uint32_t delay = 1000;
    const uint32_t now = SDL_GetTicks();
    for (const auto& [id, timer] : m_mapTimers) {
        const int32_t left = int32_t(timer.dwDue - now);
        delay = std::min<uint32_t>(delay, left > 0 ? uint32_t(left) : 0);
    }
    if (m_bDragging && !m_bRootPointerEvents) delay = std::min(delay, m_dwFrameInterval);
    if (m_bRequestExpected.load()) {
        // Awake when the request comes; if it is a little late, looking again each millisecond.
        const int32_t left = int32_t(m_dwRequestDue.load() - now);
        delay = std::min<uint32_t>(delay, left > 0 ? uint32_t(left) : 1);
    }
    if (m_pPendingFrame || m_bExposed || m_bMoveHeld || m_bPointerMoving) {
        const uint32_t since = now - m_dwLastPresent;
        const uint32_t interval = PresentInterval();
        delay = std::min(delay, since >= interval ? 0 : interval - since);
    }
    return delay;
}

void CSdlWindow::Run(CWindowHandler& handler) {
    while (!m_bQuit) {
        if (!LookForRepaintRequest()) {
            ServeRepaintRequest(handler);
            continue;
        }
        SDL_Event event;
        bool got = false;
        if (m_bMoveHeld || m_bPointerMoving) {
            // The pointer is moving: its moves (and anything else) gather in the queue until
            // the frame is due, and are taken then in one go; waking for each of hundreds of
            // moves a second costs more than composing the frames they lead to. One frame
            // without a move ends this.
            if (const uint32_t delay = NextWakeDelay(); delay > 0) SDL_Delay(delay);
            m_bPointerMoving = false;
            got = SDL_PollEvent(&event) != 0;
        } else {
            got = SDL_WaitEventTimeout(&event, int(NextWakeDelay())) != 0;
        }
        m_dwLastPump = SDL_GetTicks(); // both read the display's queue
        if (got) {
            do {
                // Every other event sees the pointer where it last was: order, panel tracking,
                // drags and the hold timers behave as if each move had been handled at once.
                if (event.type != SDL_MOUSEMOTION && event.type != SDL_SYSWMEVENT)
                    DeliverHeldMove(handler);
                if (event.type == m_nUserEvent) {
                    ServeRepaintRequest(handler);
                    continue;
                }
                switch (event.type) {
                case SDL_QUIT:
                    handler.OnClose();
                    break;
                case SDL_WINDOWEVENT:
                    if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
                        handler.OnClose();
                    } else if (event.window.event == SDL_WINDOWEVENT_EXPOSED) {
                        m_bExposed = true;
                    } else if (event.window.event == SDL_WINDOWEVENT_RESTORED ||
                               event.window.event == SDL_WINDOWEVENT_SHOWN) {
                        m_bExposed = true;
                        handler.OnShown();
                    } else if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
                        PlacePicture();
                        m_bExposed = true;
                        m_bPlacementChanged = true;
                    } else if (event.window.event == SDL_WINDOWEVENT_MOVED && !m_bDragging) {
                        m_bPlacementChanged = true;
                    } else if (event.window.event == SDL_WINDOWEVENT_LEAVE && !m_bDragging) {
                        // Report where the pointer went, so the game sees it leave.
                        int x = 0, y = 0;
                        PointerInWindow(m_pWindow, x, y);
                        const bool down = SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK;
                        handler.OnMouseMove(ToClientX(x), ToClientY(y), down ? MK_LBUTTON : 0);
                    }
                    break;
                case SDL_SYSWMEVENT:
                    if (m_bDragging) FollowRootPointer(*event.syswm.msg);
                    break;
                case SDL_MOUSEMOTION:
                    // Held until a frame can be shown: only the newest move of those that come
                    // within one refresh is ever seen.
                    if (!m_bDragging) {
                        m_bMoveHeld = true;
                        m_bPointerMoving = true;
                        m_nHeldX = ToClientX(event.motion.x);
                        m_nHeldY = ToClientY(event.motion.y);
                        m_nHeldFlags = (event.motion.state & SDL_BUTTON_LMASK) ? MK_LBUTTON : 0;
                    } else if (!m_bDragMoved) {
                        // Read from the display with the press, before the server's own
                        // motion events were asked for; the window has not moved since.
                        int wx = 0, wy = 0;
                        SDL_GetWindowPosition(m_pWindow, &wx, &wy);
                        m_nPointerX = wx + event.motion.x;
                        m_nPointerY = wy + event.motion.y;
                    }
                    break;
                case SDL_MOUSEBUTTONDOWN:
                    if (event.button.button == SDL_BUTTON_LEFT && !m_bDragging) {
                        m_nPressX = event.button.x;
                        m_nPressY = event.button.y;
                        m_bLeftHeld = true;
                        m_bSwallowRelease = false;
                        handler.OnLButtonDown(ToClientX(event.button.x), ToClientY(event.button.y));
                    }
                    break;
                case SDL_MOUSEBUTTONUP:
                    if (event.button.button != SDL_BUTTON_LEFT) break;
                    m_bLeftHeld = false;
                    if (m_bDragging) {
                        MoveDraggedWindow();
                        EndDrag(); // the drag swallows its release
                    } else if (m_bSwallowRelease) {
                        // Only the hand lets go; no control under it takes the release.
                        m_bSwallowRelease = false;
                        handler.OnMouseMove(ToClientX(event.button.x), ToClientY(event.button.y),
                                            0);
                    } else {
                        handler.OnLButtonUp(ToClientX(event.button.x), ToClientY(event.button.y));
                    }
                    break;
                case SDL_TEXTINPUT: {
                    const bool ctrl = (SDL_GetModState() & KMOD_CTRL) != 0;
                    for (char byte : GbkFromUtf8(event.text.text))
                        handler.OnChar(static_cast<unsigned char>(byte), ctrl);
                    break;
                }
                case SDL_KEYDOWN:
                    if (event.key.keysym.sym == SDLK_F11) {
                        if (!event.key.repeat) SetFullScreen(!m_bFullScreen);
                        break;
                    }
                    if (event.key.keysym.sym == SDLK_ESCAPE && m_bFullScreen) {
                        SetFullScreen(false);
                        break;
                    }
                    // Keys the input method takes while composing never come here. Its
                    // composing notices (SDL_TEXTEDITING) arrive later than the keys around
                    // them, so they must not decide which keys are the game's.
                    if (unsigned vk = VirtualKeyOf(event.key.keysym.sym); vk != 0)
                        handler.OnKeyDown(vk);
                    break;
                default:
                    break;
                }
            } while (!m_bQuit && SDL_PollEvent(&event));
        }
        // After the whole batch: SDL's own stale moves that came with the change are behind.
        if (!m_bQuit && m_bPlacementChanged) CatchUpWithPlacement(handler);
        if (g_bQuitSignalled) {
            g_bQuitSignalled = 0;
            handler.OnClose();
        }
        if (!m_bQuit && TakeComeForwardRequest()) {
            // Another start found this copy running: show it instead of a second window.
            SDL_RestoreWindow(m_pWindow);
            SDL_RaiseWindow(m_pWindow);
        }
        if (!m_bQuit && m_bDragging) MoveDraggedWindow();
        if (!m_bQuit && m_Gate.HasPending()) ServeRepaintRequest(handler);
        if (!m_bQuit && m_bMoveHeld && HasDueTimer()) DeliverHeldMove(handler);
        if (!m_bQuit) FireDueTimers(handler);
        if (!m_bQuit && m_bMoveHeld && IsPresentDue()) DeliverHeldMove(handler);
        FlushPresent(false);
    }
    FlushPresent(true);
}
