// SDL2 window and message loop: events become the game's mouse, key, character and timer
// calls; frames go to the window surface at most once per display refresh.
#include "platform/SdlWindow.h"

#include "platform/Clock.h"
#include "platform/Gbk.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

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

bool IsHeadlessDriver(const char* driver) {
    return driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

} // namespace

std::unique_ptr<CSdlWindow> CSdlWindow::Create(const char* titleUtf8, int width, int height,
                                               std::string& error) {
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        error = std::string("no display could be opened (") + SDL_GetError() +
                "); start the game from a desktop session";
        return nullptr;
    }
    // Without DISPLAY SDL falls back to an invisible window; only accept that when asked for.
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* requested = SDL_getenv("SDL_VIDEODRIVER");
    if (IsHeadlessDriver(driver) && !(requested && std::strcmp(requested, driver) == 0)) {
        error = "no display is available (set DISPLAY or WAYLAND_DISPLAY)";
        SDL_Quit();
        return nullptr;
    }
    std::unique_ptr<CSdlWindow> window(new CSdlWindow);
    window->m_pWindow = SDL_CreateWindow(titleUtf8, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                         width, height, SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN);
    if (!window->m_pWindow) {
        error = std::string("the window could not be created: ") + SDL_GetError();
        SDL_Quit();
        return nullptr;
    }
    window->m_nUserEvent = SDL_RegisterEvents(1);
    SDL_DisplayMode mode;
    if (SDL_GetCurrentDisplayMode(SDL_GetWindowDisplayIndex(window->m_pWindow), &mode) == 0 &&
        mode.refresh_rate > 0)
        window->m_dwFrameInterval = uint32_t(std::max(4, 1000 / mode.refresh_rate));
    SDL_StopTextInput();
    return window;
}

CSdlWindow::~CSdlWindow() {
    m_gate.Stop();
    if (m_pWindow) SDL_DestroyWindow(m_pWindow);
    SDL_Quit();
}

void CSdlWindow::Present(const Surface& frame) {
    m_pPendingFrame = &frame;
    FlushPresent(false);
}

void CSdlWindow::FlushPresent(bool force) {
    const uint32_t now = SDL_GetTicks();
    if (!m_pPendingFrame && !m_bExposed) return;
    if (!force && now - m_dwLastPresent < m_dwFrameInterval) return;
    SDL_Surface* target = SDL_GetWindowSurface(m_pWindow);
    if (!target) return;
    if (const Surface* frame = m_pPendingFrame) {
        const int width = std::min(frame->Width(), target->w);
        const int height = std::min(frame->Height(), target->h);
        if (SDL_MUSTLOCK(target)) SDL_LockSurface(target);
        if (target->format->format == SDL_PIXELFORMAT_RGB888 ||
            target->format->format == SDL_PIXELFORMAT_ARGB8888) {
            for (int y = 0; y < height; ++y)
                std::memcpy(static_cast<uint8_t*>(target->pixels) + ptrdiff_t(y) * target->pitch,
                            frame->Row(y), size_t(width) * 4);
        } else {
            SDL_ConvertPixels(width, height, SDL_PIXELFORMAT_RGB888, frame->Data(),
                              frame->Width() * 4, target->format->format, target->pixels,
                              target->pitch);
        }
        if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
    }
    SDL_UpdateWindowSurface(m_pWindow);
    m_dwLastPresent = now;
    m_pPendingFrame = nullptr;
    m_bExposed = false;
}

void CSdlWindow::SetTimer(int id, unsigned periodMs) {
    m_mapTimers[id] = Timer{periodMs, SDL_GetTicks() + periodMs};
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
    m_bDragging = true;
    m_nDragX = x;
    m_nDragY = y;
    SDL_CaptureMouse(SDL_TRUE);
}

void CSdlWindow::MoveDraggedWindow() {
    int gx = 0, gy = 0;
    SDL_GetGlobalMouseState(&gx, &gy);
    int x = gx - m_nDragX, y = gy - m_nDragY;
    // Keep a grip of the window on the desktop so it can always be dragged back.
    SDL_Rect bounds;
    if (SDL_GetDisplayUsableBounds(SDL_GetWindowDisplayIndex(m_pWindow), &bounds) == 0) {
        int w = 0, h = 0;
        SDL_GetWindowSize(m_pWindow, &w, &h);
        constexpr int GRIP = 64;
        x = std::clamp(x, bounds.x - w + GRIP, bounds.x + bounds.w - GRIP);
        y = std::clamp(y, bounds.y, bounds.y + bounds.h - GRIP);
    }
    SDL_SetWindowPosition(m_pWindow, x, y);
}

bool CSdlWindow::RequestRepaintAndWait() {
    const uint32_t type = m_nUserEvent;
    return m_gate.RequestAndWait([type] {
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
    m_bComposing = false;
}

uint32_t CSdlWindow::GetTickCount() {
    return ::GetTickCount();
}
int CSdlWindow::GetSystemTimeMilliseconds() {
    return ::GetSystemTimeMilliseconds();
}
void CSdlWindow::Sleep(unsigned ms) {
    SDL_Delay(ms);
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

uint32_t CSdlWindow::NextWakeDelay() const {
    uint32_t delay = 1000;
    const uint32_t now = SDL_GetTicks();
    for (const auto& [id, timer] : m_mapTimers) {
        const int32_t left = int32_t(timer.dwDue - now);
        delay = std::min<uint32_t>(delay, left > 0 ? uint32_t(left) : 0);
    }
    if (m_pPendingFrame || m_bExposed) {
        const uint32_t since = now - m_dwLastPresent;
        delay = std::min(delay, since >= m_dwFrameInterval ? 0 : m_dwFrameInterval - since);
    }
    return delay;
}

void CSdlWindow::Run(CWindowHandler& handler) {
    while (!m_bQuit) {
        SDL_Event event;
        const bool got = SDL_WaitEventTimeout(&event, int(NextWakeDelay())) != 0;
        if (got) {
            do {
                if (event.type == m_nUserEvent) {
                    handler.OnUserRedraw();
                    m_gate.MarkServed();
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
                    } else if (event.window.event == SDL_WINDOWEVENT_LEAVE && !m_bDragging) {
                        // Report where the pointer went, so the game sees it leave.
                        int gx = 0, gy = 0, wx = 0, wy = 0;
                        SDL_GetGlobalMouseState(&gx, &gy);
                        SDL_GetWindowPosition(m_pWindow, &wx, &wy);
                        const bool down = SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK;
                        handler.OnMouseMove(gx - wx, gy - wy, down ? MK_LBUTTON : 0);
                    }
                    break;
                case SDL_MOUSEMOTION:
                    if (m_bDragging)
                        MoveDraggedWindow();
                    else
                        handler.OnMouseMove(event.motion.x, event.motion.y,
                                            (event.motion.state & SDL_BUTTON_LMASK) ? MK_LBUTTON
                                                                                    : 0);
                    break;
                case SDL_MOUSEBUTTONDOWN:
                    if (event.button.button == SDL_BUTTON_LEFT && !m_bDragging)
                        handler.OnLButtonDown(event.button.x, event.button.y);
                    break;
                case SDL_MOUSEBUTTONUP:
                    if (event.button.button != SDL_BUTTON_LEFT) break;
                    if (m_bDragging) {
                        m_bDragging = false; // the drag swallows its release
                        SDL_CaptureMouse(SDL_FALSE);
                    } else {
                        handler.OnLButtonUp(event.button.x, event.button.y);
                    }
                    break;
                case SDL_TEXTEDITING:
                    m_bComposing = event.edit.text[0] != '\0';
                    break;
                case SDL_TEXTINPUT: {
                    m_bComposing = false;
                    const bool ctrl = (SDL_GetModState() & KMOD_CTRL) != 0;
                    for (char byte : GbkFromUtf8(event.text.text))
                        handler.OnChar(static_cast<unsigned char>(byte), ctrl);
                    break;
                }
                case SDL_KEYDOWN:
                    if (!m_bComposing)
                        if (unsigned vk = VirtualKeyOf(event.key.keysym.sym); vk != 0)
                            handler.OnKeyDown(vk);
                    break;
                default:
                    break;
                }
            } while (!m_bQuit && SDL_PollEvent(&event));
        }
        if (!m_bQuit) FireDueTimers(handler);
        FlushPresent(false);
    }
    FlushPresent(true);
}
