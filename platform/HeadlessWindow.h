// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A window without a display: records what the game asks of it, with a clock tests can set.
// Tests and the snapshot tool drive the game through it.
#pragma once

#include "platform/RepaintGate.h"
#include "platform/Window.h"

#include <atomic>
#include <functional>
#include <map>

class CHeadlessWindow : public CPlatformWindow {
public:
    using CPlatformWindow::Present;
    void Present(const Surface& frame, const Rect& changed) override;
    void FinishPresent() override {}
    bool IsPresentDue() override;
    bool IsShown() override { return m_bShown; }
    void SetTimer(int id, unsigned periodMs) override { m_mapTimers[id] = periodMs; }
    void KillTimer(int id) override { m_mapTimers.erase(id); }
    void SetCapture() override { m_bCaptured = true; }
    void ReleaseCapture() override { m_bCaptured = false; }
    void ShowSystemPointer(bool show) override;
    void BeginDrag(int x, int y) override;
    void DestroyWindow() override { m_bDestroyed = true; }
    bool RequestRepaintAndWait() override;
    void StopRepaintRequests() override { m_Gate.Stop(); }
    void EnableTextInput(bool enable) override { m_bTextInput = enable; }
    uint32_t GetTickCount() override { return m_dwTick; }
    int GetSystemTimeMilliseconds() override { return m_nSystemMilliseconds; }
    void Sleep(unsigned ms) override { m_dwTick += ms; }
    void DiscardQueuedInput() override { ++m_nInputDiscards; }

    // Runs the handler's OnUserRedraw for every waiting request; true when there was one.
    bool PumpRepaintRequests(CWindowHandler& handler);
    bool HasTimer(int id) const { return m_mapTimers.count(id) != 0; }

    std::atomic<uint32_t> m_dwTick{1000};
    int m_nSystemMilliseconds = 0;
    int m_nPresents = 0;
    // A display's refresh on the test clock: 0 shows every present at once, as the snapshot tool
    // and the screen tests need; otherwise a present is due that long after the one before.
    unsigned m_nRefreshMs = 0;
    uint32_t m_dwLastPresent = 0;
    int m_nInputDiscards = 0;
    // What a display would show, kept when m_bKeepScreen is set: each present copies only its
    // changed pixels here, so tests can compare it with a full composition.
    bool m_bKeepScreen = false;
    Surface m_Screen;
    Rect m_rcLastChanged;
    int m_nPointerShowCount = 0; // like a display count: 0 shown, -1 hidden
    int m_nDrags = 0;
    bool m_bCaptured = false;
    bool m_bDestroyed = false;
    bool m_bTextInput = false;
    bool m_bShown = true; // a test minimizes the window by clearing it (and calls OnShown after)
    std::map<int, unsigned> m_mapTimers;
    // Called with every presented frame (a transition's steps included) when set.
    std::function<void(const Surface&)> m_fnOnPresent;

private:
    CRepaintGate m_Gate;
};
