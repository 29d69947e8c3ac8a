// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Butterfly timing: the worker sleeps until the next wing beat is due or until show, hide or
// stop wakes it, and asks the window for one synchronous repaint per change of picture.
#include "exercise/Cartoons.h"

#include "gfx/Pictures.h"

#include <algorithm>
#include <chrono>

asCARTOONCONTROL::asCARTOONCONTROL(const asCARTOONCONTROL& other)
    : nType(other.nType), bVisible(other.bVisible.load()), nFrame(other.nFrame.load()),
      nInterval(other.nInterval), nX(other.nX), nY(other.nY), dwLastTick(other.dwLastTick.load()) {}

uint32_t RunCartoonPass(std::vector<asCARTOONCONTROL>& arrCartoons,
                        const std::function<uint32_t()>& fnTick,
                        const std::function<bool()>& fnRepaint) {
    uint32_t nextDue = UINT32_MAX;
    const size_t count = arrCartoons.size();
    for (size_t i = 0; i < count; ++i) {
        asCARTOONCONTROL& cartoon = arrCartoons[i];
        if (!cartoon.bVisible.load(std::memory_order_relaxed)) continue;
        const uint32_t interval = uint32_t(std::max(cartoon.nInterval, 1));
        const uint32_t last = cartoon.dwLastTick.load(std::memory_order_relaxed);
        const uint32_t now = fnTick();
        if (last == 0) {
            cartoon.dwLastTick.store(now ? now : 1, std::memory_order_relaxed);
            nextDue = std::min(nextDue, interval);
        } else if (now - last >= interval) {
            // The next beat is due one interval after this one was due, not after the repaint,
            // so the wings keep their pace; one far behind (shown again after a while) starts
            // afresh instead of catching up in a burst.
            uint32_t due = last + interval;
            if (now - due >= interval) due = now;
            cartoon.dwLastTick.store(due ? due : 1, std::memory_order_relaxed);
            cartoon.nFrame.store(cartoon.nFrame.load(std::memory_order_relaxed) ? 0 : 1,
                                 std::memory_order_relaxed);
            if (!fnRepaint()) return UINT32_MAX;
            const uint32_t since = fnTick() - due;
            nextDue = std::min(nextDue, since >= interval ? 0 : interval - since);
        } else {
            nextDue = std::min(nextDue, interval - (now - last));
        }
    }
    return nextDue;
}

void CCartoonList::Start(CPlatformWindow& host) {
    if (m_Worker.joinable()) return;
    m_bStop = false;
    m_Worker = std::thread([this, &host] { Work(host); });
}

void CCartoonList::Wake() {
    {
        std::lock_guard lock(m_Mutex);
        ++m_nWakes;
    }
    m_cvWake.notify_all();
}

void CCartoonList::Stop() {
    if (!m_Worker.joinable()) return;
    {
        std::lock_guard lock(m_Mutex);
        m_bStop = true;
    }
    m_cvWake.notify_all();
    m_Worker.join();
}

void CCartoonList::Work(CPlatformWindow& host) {
    std::unique_lock lock(m_Mutex);
    while (!m_bStop) {
        const uint64_t wakes = m_nWakes;
        lock.unlock();
        const uint32_t delay = RunCartoonPass(
            m_arrCartoons, [&host] { return host.GetTickCount(); },
            [&host] { return host.RequestRepaintAndWait(); });
        host.ExpectRepaintRequest(delay);
        lock.lock();
        auto woken = [&] { return m_bStop || m_nWakes != wakes; };
        if (delay == UINT32_MAX)
            m_cvWake.wait(lock, woken);
        else
            m_cvWake.wait_for(lock, std::chrono::milliseconds(delay), woken);
    }
}

void CCartoonList::SetVisible(bool visible) {
    for (auto& cartoon : m_arrCartoons)
        cartoon.bVisible.store(visible ? 1 : 0);
    Wake();
}

void PaintCartoons(CImageLayer& target, const std::vector<asCARTOONCONTROL>& arrCartoons) {
    for (const asCARTOONCONTROL& cartoon : arrCartoons)
        if (cartoon.bVisible.load() && cartoon.nType == CARTOON_BUTTERFLY)
            target.DrawBitmapKeyed(cartoon.nX, cartoon.nY,
                                   cartoon.nFrame.load() ? BUTTERFLY_PICTURE_1
                                                         : BUTTERFLY_PICTURE_0);
}
