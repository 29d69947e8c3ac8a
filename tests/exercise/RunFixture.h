// A main window on the headless window, with known problem sets and users, for run tests.
#pragma once

#include "app/CSumoraWnd.h"
#include "platform/HeadlessWindow.h"
#include "tests/exercise/ScriptedRand.h"
#include "users/UserData.h"

#include <gtest/gtest.h>

#include <string>

class RunTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobals();
        // Set 0: the nine additions within 3, blank on the result.
        g_ExerciseSets[0] = ExerciseSet{3, 0, OP_ADD};
        ASSERT_EQ(m_wnd.OnCreate(), 0);
        m_wnd.m_fnRand = ScriptedRand({}, 2024);
    }
    void TearDown() override {
        m_wnd.OnDestroy();
        ResetGlobals();
    }

    static void ResetGlobals() {
        g_arrUsers.clear();
        g_nCurrentUser = -1;
        SetDefaultExerciseSets();
    }

    // Starts a run of set k as a click on plank k does.
    void Start(int k) {
        m_wnd.m_nSelectedSet = k;
        m_wnd.StartRun(k);
    }
    void Type(const std::string& strDigits) {
        for (char c : strDigits)
            m_wnd.AppendDigit(c - '0');
    }
    const std::string& CurrentAnswer() const { return m_wnd.m_arrAnswers.at(m_wnd.m_nCurrent); }
    // A text that is surely not the current answer.
    std::string WrongAnswer() const { return CurrentAnswer() == "1" ? "2" : "1"; }
    void AnswerRight() {
        Type(CurrentAnswer());
        m_wnd.SubmitAnswer();
    }
    void AnswerWrong() {
        Type(WrongAnswer());
        m_wnd.SubmitAnswer();
    }
    int PageSize() const { return static_cast<int>(m_wnd.m_arrProblems.size()); }

    CHeadlessWindow m_host;
    CSumoraWnd m_wnd{m_host};
};
