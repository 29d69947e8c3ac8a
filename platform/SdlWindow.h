// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The real window on SDL2: borderless, client 1024x768 (enlarged by a whole number on a large
// desktop), centred, with the game's message loop. On a desktop at least twice the client's size
// the window is a whole-number multiple of it, and pointer positions are mapped back, so the game
// only ever sees its fixed client.
#pragma once

#include "platform/RepaintGate.h"
#include "platform/Window.h"
#include "platform/WindowScale.h"

#include <atomic>
#include <functional>

#include <map>
#include <memory>
#include <string>

struct SDL_Surface;
struct SDL_SysWMmsg;
struct SDL_Window;
union SDL_Event;

class CSdlWindow : public CPlatformWindow {
public:
    // Connects to the display; false with a reason when there is no real one (an offscreen or
    // dummy driver is accepted only when requestedDriver, the environment's SDL_VIDEODRIVER,
    // names it). Called before Create; CloseDisplay undoes it when no window follows.
    static bool OpenDisplay(const std::string& requestedDriver, std::string& error);
    static void CloseDisplay();
    // Null with a reason in error when the window cannot be made (the display is then closed).
    // fullScreen: start full screen; a desktop whose usable area cannot hold the window starts
    // full screen anyway. scaleRequest: a whole-number scale asked for (empty: chosen from the
    // desktop).
    static std::unique_ptr<CSdlWindow> Create(const char* titleUtf8, int width, int height,
                                              bool fullScreen, const std::string& scaleRequest,
                                              std::string& error);
    ~CSdlWindow() override;

    // Delivers events to the handler until DestroyWindow.
    void Run(CWindowHandler& handler);

    using CPlatformWindow::Present;
    void Present(const Surface& frame, const Rect& changed) override;
    void FinishPresent() override { FlushPresent(true); }
    bool IsPresentDue() override;
    bool IsShown() override;
    void SetTimer(int id, unsigned periodMs) override;
    void KillTimer(int id) override;
    void SetCapture() override;
    void ReleaseCapture() override;
    void ShowSystemPointer(bool show) override;
    void BeginDrag(int x, int y) override;
    void DestroyWindow() override { m_bQuit = true; }
    bool RequestRepaintAndWait() override;
    void StopRepaintRequests() override { m_Gate.Stop(); }
    void ExpectRepaintRequest(uint32_t inMs) override;
    void EnableTextInput(bool enable) override;
    uint32_t GetTickCount() override;
    int GetSystemTimeMilliseconds() override;
    void Sleep(unsigned ms) override;
    void DiscardQueuedInput() override;

    // F11 switches, Escape leaves full screen; onChange hears of every switch (to remember it).
    // A desktop whose usable area cannot hold the window stays full screen.
    void SetFullScreen(bool on);
    std::function<void(bool)> m_fnOnFullScreenChanged;

private:
    CSdlWindow() = default;
    struct asTIMER {
        unsigned nPeriod;
        uint32_t dwDue;
    };
    void FlushPresent(bool force);
    void CopyFrame(const Surface& frame, const Rect& area, SDL_Surface* target) const;
    void DeliverHeldMove(CWindowHandler& handler);
    void DispatchEvent(CWindowHandler& handler, const SDL_Event& event);
    bool LookForRepaintRequest(); // before a wait: false when one is waiting to be served
    void ServeRepaintRequest(CWindowHandler& handler);
    void PumpEvents();
    // Brings the window to the front for another start and answers it, unless it is closing.
    void ComeForward();
    uint32_t PresentInterval() const;
    void FireDueTimers(CWindowHandler& handler);
    uint32_t NextWakeDelay() const;
    void MoveDraggedWindow();
    bool HasDueTimer() const;
    void EndDrag();
    void FollowRootPointer(const SDL_SysWMmsg& message);
    void FollowDisplayEvents(); // the display's own events while a drag or a placement needs them
    void AwaitPlacement(bool await);
    void CatchUpWithPlacement(CWindowHandler& handler);
    bool FitsDesktop() const;

    SDL_Window* m_pWindow = nullptr;
    int m_nClientWidth = 0, m_nClientHeight = 0;
    int m_nWindowedScale = 1; // whole-number enlargement of the window when not full screen
    bool m_bFullScreen = false;
    asPICTUREPLACE m_Place;    // where the client's picture lies in the window
    bool m_bBorderDue = false; // the window's size changed: its border is filled again
    // The window's size, mode or place changed: its surface is new and the pointer lies over
    // another client point, so the game hears where the pointer is and repaints all.
    bool m_bPlacementChanged = false;
    // A full-screen switch the window manager has yet to make: its configure event is awaited.
    bool m_bAwaitingPlacement = false;
    int ToClientX(int windowX) const;
    int ToClientY(int windowY) const;
    void PlacePicture();
    void FillBorder(SDL_Surface* target) const;
    int m_nPressX = 0, m_nPressY = 0; // window pixel of the last left press
    bool m_bLeftHeld = false;         // a left press was handed over; its release has not come
    bool m_bSwallowRelease = false; // full screen: a press on free space, whose release is no click
    uint32_t m_nUserEvent = 0;
    bool m_bQuit = false;
    const Surface* m_pPendingFrame = nullptr;
    Rect m_rcPendingChange; // what differs in the waiting frame from the one shown
    // The newest pointer move, handed to the game once per refresh (or before any other event),
    // so that a fast pointer costs one composed frame per presented one.
    bool m_bMoveHeld = false;
    bool m_bPointerMoving = false; // a move came in the last frame: wait for the next in step
    int m_nHeldX = 0, m_nHeldY = 0;
    unsigned m_nHeldFlags = 0;
    bool m_bExposed = false;
    uint32_t m_dwLastPresent = 0;
    uint32_t m_dwLastPump = 0;       // when the display's queue was last read
    uint32_t m_dwFrameInterval = 16; // one display refresh
    uint32_t m_dwPresentCost = 0;    // how long the last present took
    std::map<int, asTIMER> m_mapTimers;
    bool m_bDragging = false;
    // The window follows the pointer while the left button is held after BeginDrag. SDL drops
    // motions whose window position repeats, which is just what a pointer moving with its
    // window by steady steps looks like, and its global pointer position can lag behind
    // synthetic input; so on X11 the pointer is read from the server's own motion events.
    bool m_bRootPointerEvents = false;
    int m_nDragX = 0, m_nDragY = 0;       // the held window pixel
    bool m_bDragMoved = false;            // the drag has moved the window
    int m_nPointerX = 0, m_nPointerY = 0; // the pointer on the desktop
    CRepaintGate m_Gate;
    // When the worker's next repaint request is due (written by the worker): the loop is awake
    // then by itself, so the request need not travel through the display server to wake it.
    std::atomic<bool> m_bRequestExpected{false};
    std::atomic<uint32_t> m_dwRequestDue{0};
};
