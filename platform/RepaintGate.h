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
    template <typename Notify> bool RequestAndWait(Notify notify) {
        std::unique_lock lock(m_mutex);
        if (m_bStopped) return false;
        const uint64_t ticket = ++m_nRequested;
        lock.unlock();
        notify();
        lock.lock();
        m_cvServed.wait(lock, [&] { return m_bStopped || m_nServed >= ticket; });
        return !m_bStopped;
    }

    // Window side: true when a request is waiting.
    bool HasPending() {
        std::lock_guard lock(m_mutex);
        return m_nServed < m_nRequested;
    }

    // Window side, after repainting: every request made so far is served.
    void MarkServed() {
        {
            std::lock_guard lock(m_mutex);
            m_nServed = m_nRequested;
        }
        m_cvServed.notify_all();
    }

    void Stop() {
        {
            std::lock_guard lock(m_mutex);
            m_bStopped = true;
        }
        m_cvServed.notify_all();
    }

    bool IsStopped() {
        std::lock_guard lock(m_mutex);
        return m_bStopped;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cvServed;
    uint64_t m_nRequested = 0;
    uint64_t m_nServed = 0;
    bool m_bStopped = false;
};
