// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The hand-over of repaint requests: a window that says it will look needs no wake-up, one that
// stops looking gets one again, and no request is lost between the two.
#include "platform/RepaintGate.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

TEST(RepaintGate, ALookingWindowIsNotWokenAndOneThatStoppedLookingIs) {
    CRepaintGate gate;
    std::atomic<int> notified{0};
    auto requestAndServe = [&] {
        std::thread worker([&] { EXPECT_TRUE(gate.RequestAndWait([&] { ++notified; })); });
        while (!gate.HasPending())
            std::this_thread::yield();
        gate.MarkServed();
        worker.join();
    };
    gate.WillLook();
    requestAndServe();
    EXPECT_EQ(notified.load(), 0);
    EXPECT_FALSE(gate.PendingOrStopLooking());
    requestAndServe();
    EXPECT_EQ(notified.load(), 1);
}

// The window thread alternates between looking by itself for a while and sleeping until it is
// woken, as the loop does; every request must be served without the worker hanging.
TEST(RepaintGate, NoRequestFallsBetweenLookingAndSleeping) {
    CRepaintGate gate;
    std::mutex mutex;
    std::condition_variable wake;
    bool woken = false;
    std::atomic<bool> done{false};
    constexpr int REQUESTS = 2000;
    std::thread window([&] {
        int round = 0;
        while (!done.load()) {
            if (++round % 3 != 0) {
                gate.WillLook(); // awake for a moment, looking
                for (int i = 0; i < 50 && !gate.HasPending(); ++i)
                    std::this_thread::yield();
            } else if (!gate.PendingOrStopLooking()) {
                // Asleep until a request wakes it: a lost wake-up hangs here, and the test with it.
                std::unique_lock lock(mutex);
                wake.wait(lock, [&] { return woken || done.load(); });
                woken = false;
            }
            if (gate.HasPending()) gate.MarkServed();
        }
    });
    for (int i = 0; i < REQUESTS; ++i)
        ASSERT_TRUE(gate.RequestAndWait([&] {
            std::lock_guard lock(mutex);
            woken = true;
            wake.notify_one();
        }));
    done = true;
    {
        std::lock_guard lock(mutex);
        woken = true;
        wake.notify_one();
    }
    window.join();
    EXPECT_FALSE(gate.HasPending());
}
