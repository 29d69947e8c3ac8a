// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Hands repaint requests from another thread to the window's thread and waits until they ran;
// once stopped, nobody waits any more, so shut-down can never deadlock on a pending request.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

class CRepaintGate {
public:
    // Worker side: takes a ticket, calls notify (wakes the window's thread), waits for it to be
    // served. False when the gate is stopped (before or while waiting).
    // No notify is needed while the window's thread has said it will look by itself.
    template <typename Notify> bool RequestAndWait(Notify notify) {
        std::unique_lock lock(m_Mutex);
        if (m_bStopped) return false;
        const uint64_t ticket = ++m_nRequested;
        const bool notifyWanted = !m_bWindowWillLook;
        lock.unlock();
        if (notifyWanted) notify();
        lock.lock();
        m_cvServed.wait(lock, [&] { return m_bStopped || m_nServed >= ticket; });
        return !m_bStopped;
    }

    // Window side: true when a request is waiting.
    bool HasPending() {
        std::lock_guard lock(m_Mutex);
        return m_nServed < m_nRequested;
    }

    // Window side: from here on the window's thread looks for requests by itself (it wakes at
    // the time one is expected), so requests need not wake it.
    void WillLook() {
        std::lock_guard lock(m_Mutex);
        m_bWindowWillLook = true;
    }

    // Window side, before a wait that may be long: true when a request is waiting; otherwise
    // requests from now on wake the window again. One lock, so no request falls in between.
    bool PendingOrStopLooking() {
        std::lock_guard lock(m_Mutex);
        if (m_nServed < m_nRequested) return true;
        m_bWindowWillLook = false;
        return false;
    }

    // Window side, after repainting: every request made so far is served.
    void MarkServed() {
        {
            std::lock_guard lock(m_Mutex);
            m_nServed = m_nRequested;
        }
        m_cvServed.notify_all();
    }

    void Stop() {
        {
            std::lock_guard lock(m_Mutex);
            m_bStopped = true;
        }
        m_cvServed.notify_all();
    }

private:
    std::mutex m_Mutex;
    std::condition_variable m_cvServed;
    uint64_t m_nRequested = 0;
    uint64_t m_nServed = 0;
    bool m_bStopped = false;
    bool m_bWindowWillLook = false;
};
