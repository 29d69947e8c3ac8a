// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window the game runs in, seen from the game: events in, frames and requests out.
// Two implementations: the SDL window (platform/SdlWindow) and the headless window.
#pragma once

#include "gfx/Surface.h"

#include <cstdint>

// Virtual-key codes as the game's key routing knows them.
constexpr unsigned VK_BACK = 8;
constexpr unsigned VK_TAB = 9;
constexpr unsigned VK_RETURN = 13;
constexpr unsigned VK_ESCAPE = 27;
constexpr unsigned VK_SPACE = 32;
constexpr unsigned VK_PRIOR = 33; // Page Up
constexpr unsigned VK_NEXT = 34;  // Page Down
constexpr unsigned VK_HOME = 36;
constexpr unsigned VK_LEFT = 37;
constexpr unsigned VK_UP = 38;
constexpr unsigned VK_RIGHT = 39;
constexpr unsigned VK_DOWN = 40;
constexpr unsigned VK_DELETE = 46;
constexpr unsigned VK_0 = 0x30;
constexpr unsigned VK_H = 0x48; // letters are their capitals
constexpr unsigned VK_NUMPAD0 = 0x60;
constexpr unsigned VK_M = 0x4D; // switches the sound off and on
// A key's code is in the low bits; these tell which modifiers were held with it.
constexpr unsigned VK_CODE_MASK = 0xFFFF;
constexpr unsigned VK_SHIFT_HELD = 0x10000;
constexpr unsigned VK_CTRL_HELD = 0x20000;
// The keyboard's own repeat of a key held down.
constexpr unsigned VK_REPEATED = 0x40000;

// Mouse key flags of a move.
constexpr unsigned MK_LBUTTON = 0x1;

// What the platform calls on the game, always on the window's thread.
class CWindowHandler {
public:
    virtual ~CWindowHandler() = default;
    virtual void OnMouseMove(int x, int y, unsigned keyFlags) = 0;
    // The pointer has left the window (where it went may be unknown).
    virtual void OnMouseLeave() {}
    virtual void OnLButtonDown(int x, int y) = 0;
    virtual void OnLButtonUp(int x, int y) = 0;
    // A key pressed (again while held, as the keyboard repeats it), with its modifier bits.
    virtual void OnKeyDown(unsigned vk) = 0;
    // A key let go: its code alone.
    virtual void OnKeyUp(unsigned vk) { (void)vk; }
    // One byte of typed GBK text; ctrlHeld tells whether Ctrl was down.
    virtual void OnChar(unsigned char byte, bool ctrlHeld) = 0;
    // A typed character with no GBK form (the data file could not keep it): it is dropped, and
    // so is the text typed after it at once.
    virtual void OnCharRefused() {}
    virtual void OnTimer(int id) = 0;
    // A repaint asked for by another thread (RequestRepaintAndWait).
    virtual void OnUserRedraw() = 0;
    // The window manager's close, SIGINT or SIGTERM: shut down as the leave sign does.
    virtual void OnClose() = 0;
    // The whole frame is due: the window can be seen again after it was minimized or hidden, or
    // its size, mode or place changed (the pointer's new client position came just before).
    virtual void OnShown() = 0;
};

// What the game asks of the platform.
class CPlatformWindow {
public:
    virtual ~CPlatformWindow() = default;

    // Shows a composed frame. It may be held back until the display can take it (at most one
    // present per refresh); a newer frame replaces one still waiting, so fast input never
    // queues up presents. A held-back frame is read later: it must stay alive until the next
    // Present or FinishPresent.
    virtual void Present(const Surface& frame) { Present(frame, frame.Bounds()); }
    // The same when only the pixels inside changed differ from the frame presented before; a
    // frame waiting to be shown keeps its own changes too (the union is shown).
    virtual void Present(const Surface& frame, const Rect& changed) = 0;
    // Shows a frame still held back now; afterwards the last frame may go away.
    virtual void FinishPresent() = 0;
    // Whether a frame presented now would be shown at once rather than held back (and then
    // replaced by a newer one): a transition composes only the steps the display will show.
    virtual bool IsPresentDue() = 0;

    // False while the window cannot be seen (minimized or hidden): no frame needs composing
    // then; OnShown follows when it can be seen again.
    virtual bool IsShown() = 0;

    virtual void SetTimer(int id, unsigned periodMs) = 0;
    virtual void KillTimer(int id) = 0;

    // Mouse capture: while held, moves outside the client area still reach the game.
    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    virtual void ShowSystemPointer(bool show) = 0;

    // Starts moving the window with the pointer until the left button is released; the release
    // reaches no handler, in full screen too, where nothing moves. (x, y) is the pressed client
    // point.
    virtual void BeginDrag(int x, int y) = 0;

    // Ends the message loop after the current handler; OnClose is not called again.
    virtual void DestroyWindow() = 0;

    // From another thread: asks the window's thread for OnUserRedraw and waits until it ran.
    // Returns false without waiting once the window has stopped (see StopRepaintRequests).
    virtual bool RequestRepaintAndWait() = 0;
    // From another thread: the next RequestRepaintAndWait comes in about inMs (UINT32_MAX:
    // none is planned). A window may then be awake at that time by itself, which is cheaper
    // than being woken.
    virtual void ExpectRepaintRequest(uint32_t inMs) { (void)inMs; }
    // Wakes every waiting and future RequestRepaintAndWait with false; called at shut-down.
    virtual void StopRepaintRequests() = 0;

    // Typed text (OnChar) is delivered only while switched on.
    virtual void EnableTextInput(bool enable) = 0;

    virtual uint32_t GetTickCount() = 0;
    virtual int GetSystemTimeMilliseconds() = 0;
    // Waits; transitions use it to keep their pace on fast machines. The window keeps answering
    // the desktop (its liveness pings) meanwhile; input waits in the queue.
    virtual void Sleep(unsigned ms) = 0;
    // Drops the clicks and keys that queued up while a transition played, so that they do not
    // replay as a storm of page changes afterwards; the pointer's newest position stays, and so
    // does the release of a press made before the transition (it ends a drag, or reaches the
    // game as that press's release).
    virtual void DiscardQueuedInput() = 0;
};
