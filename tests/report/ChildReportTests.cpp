// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The per-child figures at their edges: local days and pauses, retries and the magnifier, ties,
// children apart, review's list and its week. The end-to-end report test compares the rest with
// figures of its own.
#include "report/ChildReport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>

namespace {

constexpr int64_t DAY = 24 * 3600 * 1000;
constexpr int64_t MINUTE = 60 * 1000;
constexpr int TODAY = 100;

class ChildReport : public ::testing::Test {
protected:
    int64_t Run(const std::string& child, int64_t startMs, int limit = 10, int score = -1) {
        asRECORDEDRUN& run = m_History.arrRuns.emplace_back();
        run.nRunId = int64_t(m_History.arrRuns.size());
        run.strChild = child;
        run.nSetLimit = limit;
        run.nStartedUtcMs = startMs;
        if (score >= 0) {
            run.nScore = score;
            run.nEndedUtcMs = startMs + 10 * MINUTE;
        }
        return run.nRunId;
    }
    void Answer(int64_t run, int64_t utcMs, const std::string& problem, const std::string& expected,
                const std::string& typed, int64_t elapsedMs = 3000, bool bFirstTry = true,
                bool bMagnifier = false, bool bReview = false) {
        // A retry stays at its problem's place; a new problem takes the next one.
        m_nPosition += bFirstTry;
        m_History.arrAnswers.push_back({run, 1, m_nPosition, utcMs, problem, expected, typed,
                                        expected == typed, bFirstTry, bMagnifier, elapsedMs,
                                        bReview});
    }
    // Tries of "a+b=□" or "a-b=□" at noon of the family's days: days before TODAY and how the
    // first answer went, fluent (F), slow (S) or wrong (W), lower case when review asked it.
    void Tries(int64_t run, const std::string& fact, const std::string& tries) {
        const size_t sign = fact.find_first_of("+-", 1);
        const int a = std::stoi(fact), b = std::stoi(fact.substr(sign + 1));
        const std::string result = std::to_string(fact[sign] == '+' ? a + b : a - b);
        std::istringstream in(tries);
        for (int ago = 0; in >> ago;) {
            const char how = char(in.get()), upper = char(std::toupper(how));
            Answer(run, (TODAY - ago) * DAY + 4 * 3600 * 1000 + m_nPosition, fact + "=□", result,
                   upper == 'W' ? "99" : result, upper == 'S' ? 9000 : 2000, true, false,
                   how != upper);
            m_History.arrAnswers.back().nPage = int(TODAY - ago); // a page a day
        }
    }
    std::vector<asCHILDREPORT> Build(std::optional<std::string> only = std::nullopt) {
        asREPORTOPTIONS options;
        options.nToday = TODAY;
        options.strOnlyChild = only;
        options.fnUtcOffsetMs = [](int64_t) { return 8 * 3600 * 1000; }; // the family's clock
        return BuildChildReports(m_History, "h.sqlite", options);
    }
    static const asGRIDCELL& Cell(const asCHILDREPORT& child, int a, char sign, int b) {
        return *std::find_if(child.arrGrid.begin(), child.arrGrid.end(), [&](const asGRIDCELL& c) {
            return c.nLeft == a && c.cSign == sign && c.nRight == b;
        });
    }
    asHISTORY m_History;
    int m_nPosition = 0;
};

TEST_F(ChildReport, DaysAreLocalAndPausesAreNotPractice) {
    // 15:59 UTC is 23:59 in the family's day; 16:01 UTC is already the next day there.
    const int64_t run = Run("Tom", 15 * 3600 * 1000 + 57 * MINUTE, 10, 80);
    Answer(run, 15 * 3600 * 1000 + 59 * MINUTE, "1+1=□", "2", "2");
    Answer(run, 16 * 3600 * 1000 + 1 * MINUTE, "1+2=□", "3", "3");
    Answer(run, 16 * 3600 * 1000 + 30 * MINUTE, "1+3=□", "4", "4"); // after a 29-minute pause
    Answer(run, 16 * 3600 * 1000 + 31 * MINUTE, "1+4=□", "5", "5", 3000, true, true);
    const auto arrReports = Build();
    ASSERT_EQ(arrReports.size(), 1u);
    const asCHILDREPORT& child = arrReports[0];
    ASSERT_EQ(child.arrDays.size(), 2u);
    EXPECT_EQ(child.arrDays[0].nDay, 0);
    EXPECT_EQ(child.arrDays[0].nAnswers, 1);
    EXPECT_EQ(child.arrDays[0].nActiveMs, 2 * MINUTE);
    EXPECT_EQ(child.arrDays[1].nDay, 1);
    EXPECT_EQ(child.arrDays[1].nAnswers, 2); // the magnifier's is not the child's answer
    // 2 minutes up to 16:01 and 1 up to the magnifier; the run's end (16:07) adds nothing.
    EXPECT_EQ(child.arrDays[1].nActiveMs, 3 * MINUTE);
    EXPECT_EQ(child.nAnswers, 3);
    ASSERT_EQ(child.arrScores.size(), 1u);
    EXPECT_EQ(child.arrScores[0].nScore, 80);
}

TEST_F(ChildReport, TheMostWrongFactsWithTheirCommonestWrongAnswer) {
    const int64_t run = Run("Tom", 0);
    for (int i = 0; i < 3; ++i)
        Answer(run, 10 + i, "7+8=□", "15", i == 2 ? "14" : "16");
    Answer(run, 20, "□+8=15", "7", "6");              // the same fact, its own wrong form
    Answer(run, 21, "□+8=15", "7", "5", 3000, false); // a wrong retry: a form, not a time asked
    Answer(run, 30, "9-2-3=□", "4", "5");
    Answer(run, 40, "9-2-3=□", "4", "4");
    for (int i = 0; i < 12; ++i)
        Answer(run, 100 + i, std::to_string(i) + "+1=□", std::to_string(i + 1), "0");
    const asCHILDREPORT child = Build()[0];
    ASSERT_EQ(child.arrMostWrong.size(), MOST_WRONG_COUNT);
    EXPECT_EQ(child.arrMostWrong[0].strFact, "7+8");
    EXPECT_EQ(child.arrMostWrong[0].nWrong, 4);
    EXPECT_EQ(child.arrMostWrong[0].nTries, 4);
    EXPECT_EQ(child.arrMostWrong[0].strCommonWrong, "7+8=16");
    EXPECT_EQ(child.arrMostWrong[0].nCommonWrong, 2);
    EXPECT_EQ(child.arrMostWrong[0].nState, FactState::RED); // its last try was wrong
    // Ties in text order: "0+1", "1+1", "10+1", "11+1", "2+1", … and the chain among them.
    EXPECT_EQ(child.arrMostWrong[1].strFact, "0+1");
    EXPECT_EQ(child.arrMostWrong[3].strFact, "10+1");
    EXPECT_EQ(child.arrMostWrong[1].strCommonWrong, "0+1=0");
}

TEST_F(ChildReport, TheGridCountsABlankForTheFactItHides) {
    const int64_t run = Run("Tom", 0);
    Answer(run, 1, "5+3=□", "8", "8", 2000);
    Answer(run, 2, "□+3=8", "5", "5", 2000); // 5+3 twice fluent: green
    Answer(run, 3, "12-□=7", "5", "4");      // 12-5 wrong last: red
    Answer(run, 4, "6+6=□", "12", "12", 9000);
    // A problem asked once is one try, judged by its first answer: a right retry keeps it red.
    Answer(run, 5, "7+8=□", "15", "14", 2000);
    Answer(run, 6, "7+8=□", "15", "15", 4000, false);
    // Two fluent tries, then the magnifier after a wrong answer spoils the third.
    for (int i = 0; i < 2; ++i)
        Answer(run, 10 + i, "9+9=□", "18", "18", 1000);
    Answer(run, 12, "9+9=□", "18", "17", 1000);
    Answer(run, 13, "9+9=□", "18", "18", 5000, false, true);
    const asCHILDREPORT child = Build()[0];
    EXPECT_EQ(Cell(child, 7, '+', 8).nState, FactState::RED);
    EXPECT_EQ(Cell(child, 7, '+', 8).nTries, 1);
    EXPECT_EQ(Cell(child, 9, '+', 9).nState, FactState::RED);
    EXPECT_EQ(Cell(child, 9, '+', 9).nTries, 3);
    EXPECT_EQ(child.arrGrid.size(), 230u + 230u);
    EXPECT_EQ(Cell(child, 5, '+', 3).nState, FactState::GREEN);
    EXPECT_EQ(Cell(child, 5, '+', 3).nTries, 2);
    EXPECT_EQ(Cell(child, 3, '+', 5).nState, FactState::GREY); // order matters
    EXPECT_EQ(Cell(child, 12, '-', 5).nState, FactState::RED);
    EXPECT_EQ(Cell(child, 6, '+', 6).nState, FactState::YELLOW);
    EXPECT_EQ(child.nGreen, 1);
    EXPECT_FALSE(child.bLargeSets);
    EXPECT_TRUE(child.arrWeakest.empty());
}

TEST_F(ChildReport, ChildrenAreSeparateAndOneCanBeChosen) {
    Answer(Run("Tom", 0), 1, "1+1=□", "2", "2");
    Answer(Run("Ann", 0), 2, "1+1=□", "2", "3");
    Answer(Run("Tom", 5), 6, "1+1=□", "2", "2");
    const auto arrAll = Build();
    ASSERT_EQ(arrAll.size(), 2u);
    EXPECT_EQ(arrAll[0].strName, "Ann");
    EXPECT_EQ(arrAll[1].nAnswers, 2);
    const auto arrTom = Build("Tom");
    ASSERT_EQ(arrTom.size(), 1u);
    EXPECT_EQ(arrTom[0].strName, "Tom");
    EXPECT_TRUE(Build("Nobody").empty());
}

TEST_F(ChildReport, InReviewMissedThenSlowThenByTheDayDueAndNothingForTheNameless) {
    const int64_t run = Run("Tom", 0);
    const char* arrTries[][2] = {{"5+3", "5F"}, {"4+4", "3W 2F 1F"}, {"5-3", "0F"},
                                 {"9+9", "0F"}, {"8+1", "0F"},       {"6+6", "0S"},
                                 {"9+1", "0W"}, {"7+8", "1F 0W"}};
    for (const auto& [fact, tries] : arrTries)
        Tries(run, fact, tries);
    Answer(run, TODAY * DAY, "9-2-3=□", "4", "5"); // chains are not reviewed
    Tries(Run("", 0), "7+8", "0W");
    const auto arrReports = Build();
    std::string shown; // each fact with its stage, or the days from today to its re-check
    for (const asINREVIEW& fact : arrReports[0].arrInReview)
        shown += fact.strFact + ':' +
                 (fact.nStage == ReviewStage::MISSED ? "M"
                  : fact.nStage == ReviewStage::SLOW ? "S"
                                                     : std::to_string(fact.nDueDay - TODAY)) +
                 ' ';
    EXPECT_EQ(shown, "7+8:M 9+1:M 6+6:S 5+3:-4 4+4:0 8+1:1 9+9:1 5-3:1 ");
    ASSERT_TRUE(arrReports[1].bNameless);
    EXPECT_TRUE(arrReports[1].arrInReview.empty() && arrReports[1].arrReviewGreen.empty());
}

TEST_F(ChildReport, ReviewBroughtToGreenOnlyWithinTheWeekAfterAReviewTry) {
    const int64_t run = Run("Tom", 0);
    const char* arrTries[][2] = {
        {"3+4", "2F 1f"},         {"3+5", "2f 1F"}, {"2+2", "1f 1S 0F"},
        {"5+6", "6f 6F"},         {"5+5", "7f 6F"}, // the review try before the week
        {"6+6", "9f 8F"},                           // green 8 days ago
        {"4+4", "9F 8F 1f"},                        // green since before the week
        {"4+5", "2F 1F"},                           // no review try
        {"3+3", "3F 2F 1f"},                        // none up to then
        {"2+7", "10F 10F 3W 2f"},                   // green again after a miss
    };
    for (const auto& [fact, tries] : arrTries)
        Tries(run, fact, tries);
    const auto arrReports = Build();
    std::string shown; // each fact with the day it turned green, counted from today
    for (const asREVIEWGREEN& green : arrReports[0].arrReviewGreen)
        shown += green.strFact + ':' + std::to_string(green.nDay - TODAY) + ' ';
    EXPECT_EQ(shown, "5+6:-6 2+7:-2 3+4:-1 3+5:-1 2+2:0 ");
}

} // namespace
