// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the window hands to the answer record through the real handlers: a page with a wrong try
// and the magnifier, with the times since each problem became current; the run's end; a child
// deleted on the users screen; play without a child, under no name.
#include "app/CSumoraWnd.h"
#include "app/TitleScreen.h"
#include "exercise/ExerciseLayout.h"
#include "platform/HeadlessWindow.h"
#include "storage/Paths.h"
#include "tests/app/WindowTestSupport.h"
#include "tests/storage/HistoryFixture.h"
#include "tests/users/UserDataFixture.h"
#include "users/UserLayout.h"

namespace {

class AnswerRecord : public CUserDataTest {
protected:
    void SetUp() override {
        CUserDataTest::SetUp();
        SetDefaultExerciseSets();
        AppendUser(User("Tom"));
        AppendUser(User("Amy"));
        g_nCurrentUser = 0;
        BeginKeepingUserData();
        m_strRecord = m_strDirectory + "/" + HISTORY_FILE_NAME;
        m_Writer.Start(m_strRecord, {}, 3'600'000);
        wnd.m_pHistory = &m_Writer;
        wnd.m_fnUtcNow = [this] { return int64_t(1'700'000'000'000) + host.m_dwTick; };
        ASSERT_EQ(wnd.OnCreate(), 0);
        wnd.m_TransitionPace = {500, 256};
    }
    void TearDown() override {
        wnd.OnDestroy();
        m_Writer.Stop();
        CUserDataTest::TearDown();
    }

    void ClickAt(const Rect& rc) { ClickMiddle(wnd, rc); }
    // Types text and Enter, msLater after the last event.
    void Answer(const std::string& text, uint32_t msLater) {
        host.m_dwTick += msLater;
        for (char digit : text)
            wnd.OnKeyDown(VK_0 + unsigned(digit - '0'));
        wnd.OnKeyDown(VK_RETURN);
    }
    std::vector<std::string> Rows(const std::string& sql) {
        m_Writer.CommitAndWait(20'000);
        return HistoryRows(m_strRecord, sql);
    }

    std::string m_strRecord;
    CHistoryWriter m_Writer;
    CHeadlessWindow host;
    CSumoraWnd wnd{host};
};

TEST_F(AnswerRecord, APageIsHandedOverWithItsMarksAndTimesAndTheRunsEndWithItsScore) {
    ClickAt(TITLE_ITEM_RECTS[0]);
    ASSERT_EQ(ScreenOf(wnd.m_nScreenState), SCREEN_EXERCISE);
    const std::vector<std::string> answers = wnd.m_Run.m_arrAnswers;
    const uint32_t start = wnd.m_Run.m_dwStartTick; // after the slide
    const std::string problem1 = wnd.m_Run.m_arrProblems[1];
    Answer(answers[0] + "0", 1500); // wrong
    host.m_dwTick += 20;
    wnd.OnKeyDown(VK_BACK);
    Answer("", 980);
    host.m_dwTick += 1500;
    ClickAt(g_rcHint);
    for (size_t i = 2; i < answers.size(); ++i)
        Answer(answers[i], 1000);
    ASSERT_TRUE(wnd.m_Run.PageFinished());
    const std::vector<std::string> rows =
        Rows("SELECT page, position, typed, is_right, is_first_try, by_magnifier, elapsed_ms, "
             "utc_ms - 1700000000000 FROM answers ORDER BY answer_id");
    ASSERT_EQ(rows.size(), answers.size() + 1);
    EXPECT_EQ(rows[0], "1|0|" + answers[0] + "0|0|1|0|1500|" + std::to_string(start + 1500));
    EXPECT_EQ(rows[1], "1|0|" + answers[0] + "|1|0|0|2500|" + std::to_string(start + 2500));
    EXPECT_EQ(rows[2], "1|1|" + answers[1] + "|1|1|1|1500|" + std::to_string(start + 4000));
    EXPECT_EQ(rows[3], "1|2|" + answers[2] + "|1|1|0|1000|" + std::to_string(start + 5000));
    // "a - b = ( %s )" as the record shows it.
    std::string shown = problem1;
    std::erase(shown, ' ');
    shown.replace(shown.find("(%s)"), 4, "\u25A1");
    EXPECT_EQ(Rows("SELECT problem, expected FROM answers WHERE position = 1")[0],
              shown + "|" + answers[1]);

    ClickAt(g_rcFinish);
    const int done = int(answers.size());
    EXPECT_EQ(Rows("SELECT child, set_number, set_kinds, set_limit, score, answers_done, "
                   "answers_first_try FROM runs"),
              std::vector<std::string>{"Tom|0|35|3|" + std::to_string((done - 1) * 100 / done) +
                                       "|" + std::to_string(done) + "|" +
                                       std::to_string(done - 1)});
}

TEST_F(AnswerRecord, ADeletedChildsAnswersLeaveTheRecordInTheClickThatDeletesThem) {
    m_Writer.Hand(asHISTORYRUN{100, "Tom", 0, 35, 3, 1});
    m_Writer.Hand(asHISTORYRUN{101, "Amy", 0, 35, 3, 2});
    ASSERT_EQ(Rows("SELECT count(*) FROM runs"), std::vector<std::string>{"2"});
    ClickAt(TITLE_ITEM_RECTS[8]);
    ClickAt(g_rcUserButtons[1]);
    ASSERT_EQ(wnd.m_nScreenState, SCREEN_USERS_DELETE);
    ClickAt(UserRow(0));
    ASSERT_EQ(g_arrUsers.size(), 1u);
    EXPECT_EQ(HistoryRows(m_strRecord, "SELECT child FROM runs"), std::vector<std::string>{"Amy"})
        << "written before the click's handler returned";
}

TEST_F(AnswerRecord, PlayWithoutAChildIsRecordedUnderNoName) {
    g_arrUsers.clear();
    g_nCurrentUser = -1;
    ClickAt(TITLE_ITEM_RECTS[0]);
    Answer(wnd.m_Run.m_arrAnswers[0], 1000);
    ClickAt(g_rcFinish);
    m_Writer.Stop();
    EXPECT_EQ(HistoryRows(m_strRecord, "SELECT length(child), score, count(answer_id) FROM runs "
                                       "JOIN answers USING (run_id)"),
              std::vector<std::string>{"0|100|1"});
}

} // namespace
