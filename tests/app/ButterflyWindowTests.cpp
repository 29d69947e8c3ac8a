// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The butterflies' worker thread with the window: they fly only during a run, one repaint a wing
// beat, and the window goes at any moment of their exchange without hanging or leaking. The
// shut-down test is meant for the thread sanitizer and many repeats (scripts/robustness runs it
// 500 times): every repeat takes other paths.
#include "exercise/Cartoons.h"
#include "gfx/Pictures.h"
#include "tests/app/WindowTestSupport.h"

#include <chrono>
#include <random>
#include <thread>

TEST_F(WindowTest, ButterfliesFlyOnlyDuringARun) {
    const asPICTUREINFO* pose = FindPicture(BUTTERFLY_PICTURE_0);
    auto butterflyShown = [&](const Surface& frame) {
        for (int y = 0; y < pose->nHeight; ++y)
            for (int x = 0; x < pose->nWidth; ++x)
                if (pose->View().At(x, y) != COLOR_KEY &&
                    frame.GetPixel(842 + x, 495 + y) != pose->View().At(x, y))
                    return false;
        return true;
    };
    ASSERT_EQ(wnd.m_arrCartoons.m_arrCartoons.size(), 2u);
    EXPECT_FALSE(butterflyShown(Frame()));
    Click(400, 190);
    ASSERT_EQ(wnd.m_nScreenState, SCREEN_EXERCISE);
    EXPECT_TRUE(butterflyShown(Frame()));
    wnd.OnKeyDown(VK_HOME);
    EXPECT_FALSE(butterflyShown(Frame()));
}

TEST_F(WindowTest, TheWorkerAsksForOneRepaintPerWingBeat) {
    wnd.ShowCartoons();
    // Let the worker stamp both butterflies, then move the clock past both intervals.
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    host.m_dwTick += 200;
    wnd.ShowCartoons(); // wakes the worker
    int served = 0;
    for (int i = 0; i < 200 && served < 2; ++i) {
        served += host.PumpRepaintRequests(wnd) ? 1 : 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(served, 2);
    EXPECT_EQ(wnd.m_arrCartoons.m_arrCartoons[0].nFrame.load(), 1);
    EXPECT_EQ(wnd.m_arrCartoons.m_arrCartoons[1].nFrame.load(), 1);
}

TEST(CartoonThread, TheWindowComesAndGoesWithButterfliesShownWithoutHangingOrLeaking) {
    g_arrUsers.clear();
    SetDefaultExerciseSets();
    for (int i = 0; i < 200; ++i) {
        CHeadlessWindow host;
        CSumoraWnd wnd(host);
        ASSERT_EQ(wnd.OnCreate(), 0);
        wnd.ShowCartoons();
        host.m_dwTick += 1000;
        wnd.ShowCartoons();
        if (i % 2) host.PumpRepaintRequests(wnd);
        // Half of the windows go while the worker waits for a repaint nobody will serve.
        wnd.OnDestroy();
        EXPECT_FALSE(wnd.m_arrCartoons.IsRunning());
    }
}

TEST(ButterflyShutdown, TheWindowGoesAtAnyMomentOfTheWorkersExchange) {
    static unsigned s_nRepeat = 0;
    std::mt19937 random(++s_nRepeat);
    g_arrUsers.clear();
    SetDefaultExerciseSets();
    for (int window = 0; window < 4; ++window) {
        CHeadlessWindow host;
        CSumoraWnd wnd(host);
        ASSERT_EQ(wnd.OnCreate(), 0);
        wnd.ShowCartoons();
        for (int round = int(random() % 40); round > 0; --round) {
            host.m_dwTick += random() % 250;
            switch (random() % 4) {
            case 0:
                wnd.ShowCartoons();
                break;
            case 1:
                wnd.HideCartoons();
                break;
            default:
                break;
            }
            if (random() % 3) host.PumpRepaintRequests(wnd);
            if (random() % 2)
                std::this_thread::sleep_for(std::chrono::microseconds(random() % 2000));
        }
        // The worker may be asleep, in a pass, or waiting for a repaint nobody will serve.
        switch (random() % 3) {
        case 0:
            wnd.OnDestroy();
            break;
        case 1:
            wnd.OnClose(); // the leave sign, the window manager's close or SIGTERM
            EXPECT_TRUE(host.m_bDestroyed);
            break;
        default:
            continue; // the destructor shuts it down
        }
        EXPECT_FALSE(wnd.m_arrCartoons.IsRunning());
        EXPECT_FALSE(host.RequestRepaintAndWait()) << "a request after shut-down waits for nobody";
        EXPECT_EQ(wnd.m_hBitmap, nullptr);
    }
}
