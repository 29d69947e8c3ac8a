// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The game window on the headless platform, driven through its real handlers into any screen
// state, for benchmarks that time one frame's composition.
#pragma once

#include "app/CSumoraWnd.h"
#include "app/TitleScreen.h"
#include "exercise/ExerciseLayout.h"
#include "gfx/Gbk.h"
#include "gfx/Text.h"
#include "platform/HeadlessWindow.h"
#include "users/UserData.h"
#include "users/UserLayout.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>

// Eight users, each with a full history of results; the last one added is current.
inline void FillUsersWithFullHistories() {
    g_arrUsers.clear();
    std::minstd_rand engine(7);
    for (int k = 0; k < MAX_USERS; ++k) {
        asUSERINFO user;
        user.strName = GbkFromUtf8("小朋友") + char('A' + k);
        for (int i = 0; i < SCORE_HISTORY_SIZE; ++i)
            AppendScore(user, int(engine() % 101));
        g_nCurrentUser = AppendUser(user);
    }
}

class CBenchWindow {
public:
    CBenchWindow() {
        std::string error;
        if (!InitTextRenderer(error)) {
            std::fprintf(stderr, "bench: %s\n", error.c_str());
            std::exit(1);
        }
        SetDefaultExerciseSets();
        FillUsersWithFullHistories();
        m_pWindow = std::make_unique<CSumoraWnd>(m_host);
        // A fixed problem draw and slide direction, so every run times the same frames.
        auto engine = std::make_shared<std::minstd_rand>(1);
        m_pWindow->m_fnRand = [engine] { return int((*engine)() >> 1); };
        if (m_pWindow->OnCreate() != 0) std::exit(1);
    }
    ~CBenchWindow() { m_pWindow->OnDestroy(); }

    CSumoraWnd& Wnd() { return *m_pWindow; }
    CHeadlessWindow& Host() { return m_host; }

    void Move(int x, int y) { m_pWindow->OnMouseMove(x, y, 0); }
    void Click(int x, int y) {
        m_pWindow->OnLButtonDown(x, y);
        m_pWindow->OnLButtonUp(x, y);
    }
    void MoveCentre(const Rect& rc) { Move((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2); }
    void ClickCentre(const Rect& rc) { Click((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2); }
    void Key(unsigned vk) { m_pWindow->OnKeyDown(vk); }

    // Plank 0 starts a run (the page slides in); the pointer then rests on the page.
    void StartRun() {
        ClickCentre(TITLE_ITEM_RECTS[0]);
        Move(600, 400);
    }
    // Types the current problem's answer and Enter.
    void AnswerCurrent() {
        CSumoraWnd& wnd = *m_pWindow;
        for (char digit : wnd.m_Run.m_arrAnswers.at(size_t(wnd.m_Run.m_nCurrent)))
            Key(VK_0 + unsigned(digit - '0'));
        Key(VK_RETURN);
    }
    void FinishPage() {
        while (!m_pWindow->m_Run.PageFinished())
            AnswerCurrent();
    }
    // The info plank opens user management on its main sub-screen.
    void OpenUsers() {
        ClickCentre(TITLE_ITEM_RECTS[8]);
        Move(900, 700);
    }

private:
    CHeadlessWindow m_host;
    std::unique_ptr<CSumoraWnd> m_pWindow;
};
