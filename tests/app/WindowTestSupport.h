// A window on the headless platform with the data globals reset, for tests that drive the real
// handlers.
#pragma once

#include "app/CSumoraWnd.h"
#include "platform/HeadlessWindow.h"
#include "users/UserData.h"

#include <gtest/gtest.h>

struct WindowTest : ::testing::Test {
    CHeadlessWindow host;
    CSumoraWnd wnd{host};

    void SetUp() override {
        g_arrUsers.clear();
        g_nCurrentUser = 0;
        SetDefaultExerciseSets();
        ASSERT_EQ(wnd.OnCreate(), 0);
    }
    void TearDown() override {
        wnd.OnDestroy();
        g_arrUsers.clear();
        g_nCurrentUser = 0;
    }

    void Click(int x, int y) {
        wnd.OnLButtonDown(x, y);
        wnd.OnLButtonUp(x, y);
    }
    const Surface& Frame() {
        wnd.ComposeFrame();
        return *wnd.m_hBitmap;
    }
};
