// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The SDL window's event loop: events become the game's mouse, key, character and timer calls;
// pointer moves are held to one per display refresh; timers and the butterflies' repaint
// requests are served on the window's thread.
#include "platform/SdlWindow.h"

#include "gfx/Gbk.h"
#include "platform/QueuedInput.h"
#include "platform/SdlWindowParts.h"
#include "platform/Signals.h"

#include <SDL.h>
#include <SDL_syswm.h> // last: it brings Xlib's macros
#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xatom.h>
#endif

#include <algorithm>
#include <csignal>
#include <string>
#include <string_view>
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
    case SDLK_TAB:
        return VK_TAB;
    case SDLK_ESCAPE:
        return VK_ESCAPE;
    case SDLK_SPACE:
        return VK_SPACE;
    case SDLK_LEFT:
        return VK_LEFT;
    case SDLK_UP:
        return VK_UP;
    case SDLK_RIGHT:
        return VK_RIGHT;
    case SDLK_DOWN:
        return VK_DOWN;
    case SDLK_h:
        return VK_H;
    case SDLK_m:
        return VK_M;
    default:
        return 0;
    }
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

volatile std::sig_atomic_t g_bQuitSignalled = 0;

extern "C" void OnQuitSignal(int) {
    g_bQuitSignalled = 1;
}

} // namespace

void EndOnHangUpAndQuit() {
    CatchSignal(SIGHUP, OnQuitSignal);
    CatchSignal(SIGQUIT, OnQuitSignal);
}

void CSdlWindow::SetTimer(int id, unsigned periodMs) {
    m_mapTimers[id] = asTIMER{periodMs, SDL_GetTicks() + periodMs};
}

void CSdlWindow::KillTimer(int id) {
    m_mapTimers.erase(id);
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
                DispatchEvent(handler, event);
            } while (!m_bQuit && SDL_PollEvent(&event));
        }
        // After the whole batch: SDL's own stale moves that came with the change are behind.
        if (!m_bQuit && m_bPlacementChanged) CatchUpWithPlacement(handler);
        if (g_bQuitSignalled) {
            g_bQuitSignalled = 0;
            handler.OnClose();
        }
        if (!m_bQuit && HasComeForwardRequest()) ComeForward();
        if (!m_bQuit && m_bDragging) MoveDraggedWindow();
        if (!m_bQuit && m_Gate.HasPending()) ServeRepaintRequest(handler);
        if (!m_bQuit && m_bMoveHeld && HasDueTimer()) DeliverHeldMove(handler);
        if (!m_bQuit) FireDueTimers(handler);
        if (!m_bQuit && m_bMoveHeld && IsPresentDue()) DeliverHeldMove(handler);
        FlushPresent(false);
    }
    FlushPresent(true);
}

void CSdlWindow::ComeForward() {
    // A close asked for before the request (SIGTERM, the window manager's close) may still be
    // queued: a copy that is about to close must not tell the asking start that it came forward,
    // or no game would run. The queue is looked at anew; the next round handles what is there.
    SDL_PumpEvents();
    m_dwLastPump = SDL_GetTicks();
    SDL_Event events[16];
    const int queued = SDL_PeepEvents(events, 16, SDL_PEEKEVENT, SDL_WINDOWEVENT, SDL_WINDOWEVENT);
    for (int i = 0; i < queued; ++i)
        if (events[i].window.event == SDL_WINDOWEVENT_CLOSE) return;
    if (g_bQuitSignalled || SDL_HasEvent(SDL_QUIT)) return;
    // Another start found this copy running: show it instead of a second window.
    SDL_RestoreWindow(m_pWindow);
    SDL_RaiseWindow(m_pWindow);
    AnswerComeForwardRequests();
}

bool IsQuitSignalled() {
    return g_bQuitSignalled != 0;
}

void CSdlWindow::DispatchEvent(CWindowHandler& handler, const SDL_Event& event) {
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
            // Not every display can tell where the pointer went: the game hears that it left.
            handler.OnMouseLeave();
        }
        break;
    case SDL_SYSWMEVENT:
        if (m_bDragging) FollowRootPointer(*event.syswm.msg);
        if (m_bAwaitingPlacement && IsWindowConfigured(m_pWindow, *event.syswm.msg))
            m_bPlacementChanged = true;
        break;
    case SDL_MOUSEMOTION:
        // Held until a frame can be shown: only the newest move of those that come
        // within one refresh is ever seen.
        if (!m_bDragging) {
            int x = event.motion.x, y = event.motion.y;
            // Without the capture SDL pins the pointer to the window's edge, and the crossing
            // that letting the capture go makes reads as the pointer coming back: the capture
            // taken for it and let go again, a frame at a time for as long as it stays out. A
            // move on the edge is read from the display; the others are as SDL says.
            int w = 0, h = 0;
            SDL_GetWindowSize(m_pWindow, &w, &h);
            const bool onEdge = x <= 0 || y <= 0 || x >= w - 1 || y >= h - 1;
            if (onEdge && !(SDL_GetWindowFlags(m_pWindow) & SDL_WINDOW_MOUSE_CAPTURE))
                PointerInWindow(m_pWindow, x, y);
            m_bMoveHeld = true;
            m_bPointerMoving = true;
            m_nHeldX = ToClientX(x);
            m_nHeldY = ToClientY(y);
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
            handler.OnMouseMove(ToClientX(event.button.x), ToClientY(event.button.y), 0);
        } else {
            handler.OnLButtonUp(ToClientX(event.button.x), ToClientY(event.button.y));
        }
        break;
    case SDL_TEXTINPUT: {
        const bool ctrl = (SDL_GetModState() & KMOD_CTRL) != 0;
        const std::string_view text = event.text.text;
        std::string gbk;
        const size_t taken = GbkPrefixFromUtf8(text, gbk);
        for (char byte : gbk)
            handler.OnChar(static_cast<unsigned char>(byte), ctrl);
        if (taken < text.size()) handler.OnCharRefused();
        break;
    }
    case SDL_KEYDOWN:
        if (event.key.keysym.sym == SDLK_F11) {
            if (!event.key.repeat) SetFullScreen(!m_bFullScreen);
            break;
        }
        // Escape leaves full screen first; where the window cannot leave it (the desktop is
        // too small), Escape is the game's step back.
        if (event.key.keysym.sym == SDLK_ESCAPE && m_bFullScreen && FitsDesktop()) {
            SetFullScreen(false);
            break;
        }
        // Keys the input method takes while composing never come here. Its
        // composing notices (SDL_TEXTEDITING) arrive later than the keys around
        // them, so they must not decide which keys are the game's.
        if (unsigned vk = VirtualKeyOf(event.key.keysym.sym); vk != 0) {
            if (event.key.keysym.mod & KMOD_SHIFT) vk |= VK_SHIFT_HELD;
            if (event.key.keysym.mod & KMOD_CTRL) vk |= VK_CTRL_HELD;
            if (event.key.repeat) vk |= VK_REPEATED;
            handler.OnKeyDown(vk);
        }
        break;
    case SDL_KEYUP:
        if (unsigned vk = VirtualKeyOf(event.key.keysym.sym); vk != 0) handler.OnKeyUp(vk);
        break;
    default:
        break;
    }
}
