// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// An exercise run on its own: known problem sets, a scripted random source and a clock the test
// moves. No window is involved.
#pragma once

#include "exercise/ExerciseRun.h"
#include "tests/exercise/ScriptedRand.h"

#include <gtest/gtest.h>

#include <string>

class RunTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int k = 0; k < EXERCISE_SET_COUNT; ++k)
            m_arrSets[k] = {k + 3, 2, OP_ADD | OP_SUBTRACT | OP_FILL_BLANK};
        // Set 0: the nine additions within 3, blank on the result.
        m_arrSets[0] = ExerciseSet{3, 0, OP_ADD};
    }

    // Starts a run of set k as a click on plank k does; the clock starts at once.
    void Start(int k) {
        ASSERT_TRUE(m_run.Start(k, m_arrSets[k], m_fnRand));
        m_run.StartClock(m_dwTick);
    }
    void NewPage() {
        m_run.StartNewPage(m_arrSets[m_run.m_nRunItem], m_fnRand);
        m_run.StartClock(m_dwTick);
    }
    void Type(const std::string& strDigits) {
        for (char c : strDigits)
            m_run.AppendDigit(c - '0');
    }
    void Submit() { m_run.SubmitAnswer(m_dwTick); }
    void Reveal() { m_run.RevealAnswer(m_dwTick); }
    const std::string& CurrentAnswer() const { return m_run.m_arrAnswers.at(m_run.m_nCurrent); }
    // A text that is surely not the current answer.
    std::string WrongAnswer() const { return CurrentAnswer() == "1" ? "2" : "1"; }
    void AnswerRight() {
        Type(CurrentAnswer());
        Submit();
    }
    void AnswerWrong() {
        Type(WrongAnswer());
        Submit();
    }
    // The counters a test checks together: where the page is, the run's and the page's tallies.
    struct asCOUNTS {
        int nCurrent, nTotalDone, nTotalFirstTry, nPageFirstTry;
        bool operator==(const asCOUNTS&) const = default;
    };
    asCOUNTS Counts() const {
        return {m_run.m_nCurrent, m_run.m_nTotalDone, m_run.m_nTotalFirstTry,
                m_run.m_nPageFirstTry};
    }
    int PageSize() const { return static_cast<int>(m_run.m_arrProblems.size()); }

    ExerciseSet m_arrSets[EXERCISE_SET_COUNT];
    std::function<int()> m_fnRand = ScriptedRand({}, 2024);
    uint32_t m_dwTick = 1000;
    CExerciseRun m_run;
};
