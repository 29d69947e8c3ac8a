// The butterfly worker against a window thread that serves its repaints, and the window's
// shut-down at any moment of their exchange. Meant for the thread sanitizer and many repeats
// (scripts/robustness runs it 500 times): every repeat takes other paths.
#include "gfx/Cartoons.h"
#include "tests/app/WindowTestSupport.h"

#include <chrono>
#include <random>
#include <thread>

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
