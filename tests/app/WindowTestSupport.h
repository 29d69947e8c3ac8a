// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A window on the headless platform with the data globals reset, for tests that drive the real
// handlers. Its transitions take big steps (a handful of frames); tests of the transitions
// themselves set the pace back to one unit a step.
#pragma once

#include "app/CSumoraWnd.h"
#include "platform/HeadlessWindow.h"
#include "users/UserData.h"

#include <gtest/gtest.h>

constexpr asTRANSITIONPACE QUICK_PACE = {500, 256};

// A click in the middle of rc, the pointer brought there first as a hand would.
inline void ClickMiddle(CSumoraWnd& wnd, const Rect& rc) {
    const int x = (rc.left + rc.right) / 2, y = (rc.top + rc.bottom) / 2;
    wnd.OnMouseMove(x, y, 0);
    wnd.OnLButtonDown(x, y);
    wnd.OnLButtonUp(x, y);
}

struct WindowTest : ::testing::Test {
    CHeadlessWindow host;
    CSumoraWnd wnd{host};

    void SetUp() override {
        g_arrUsers.clear();
        g_nCurrentUser = 0;
        SetDefaultExerciseSets();
        ASSERT_EQ(wnd.OnCreate(), 0);
        wnd.m_TransitionPace = QUICK_PACE;
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
    // A click in the middle of plank k of the title screen.
    void ClickPlank(int k) {
        const Rect& plank = TITLE_ITEM_RECTS[size_t(k)];
        wnd.OnMouseMove(plank.left + 40, plank.top + 5, 0);
        Click(plank.left + 40, plank.top + 5);
    }
    const Surface& Frame() {
        wnd.ComposeFrame();
        return *wnd.m_hBitmap;
    }
};
