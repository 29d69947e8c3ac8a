// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The two butterflies of the exercise screen and the worker thread that times their wing beats.
#pragma once

#include "gfx/CImageLayer.h"
#include "platform/Window.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// One sprite. bVisible is written by the window's thread only; nFrame and dwLastTick by the
// worker only; the list never changes size while the worker runs.
struct asCARTOONCONTROL {
    int32_t nType = 0;
    std::atomic<int32_t> bVisible{0};
    std::atomic<int32_t> nFrame{0};
    int32_t nInterval = 0;
    int32_t nX = 0;
    int32_t nY = 0;
    std::atomic<uint32_t> dwLastTick{0};

    asCARTOONCONTROL() = default;
    asCARTOONCONTROL(int32_t type, int32_t interval, int32_t x, int32_t y)
        : nType(type), nInterval(interval), nX(x), nY(y) {}
    asCARTOONCONTROL(const asCARTOONCONTROL& other);
};

constexpr int CARTOON_BUTTERFLY = 1;

// One pass of the worker over the list at tick now: stamps, toggles and asks for one repaint per
// change (repaint returns false once the window is going away). Returns the milliseconds until
// the next change is due, or UINT32_MAX when nothing is visible.
uint32_t RunCartoonPass(std::vector<asCARTOONCONTROL>& arrCartoons,
                        const std::function<uint32_t()>& fnTick,
                        const std::function<bool()>& fnRepaint);

class CCartoonList {
public:
    ~CCartoonList() { Stop(); }

    std::vector<asCARTOONCONTROL> m_arrCartoons;

    // Starts the worker over the (now fixed) list.
    void Start(CPlatformWindow& host);
    // Shows or hides every sprite and wakes the worker to look at the list again.
    void SetVisible(bool visible);
    // Wakes the worker to look at the list again.
    void Wake();
    // Stops the worker and joins it; a repaint it waits for is released first.
    void Stop();
    bool IsRunning() const { return m_Worker.joinable(); }

private:
    void Work(CPlatformWindow& host);

    std::thread m_Worker;
    std::mutex m_Mutex;
    std::condition_variable m_cvWake;
    bool m_bStop = false;
    uint64_t m_nWakes = 0;
};

// The visible sprites in their current poses.
void PaintCartoons(CImageLayer& target, const std::vector<asCARTOONCONTROL>& arrCartoons);
