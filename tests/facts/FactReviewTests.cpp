// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// When a fact comes back: one row a rule of the schedule, and the order of the due.
#include "facts/ReviewBook.h"

#include <gtest/gtest.h>

namespace {

constexpr int DAY = 20000; // some day in 2024

struct asSTEP {
    char cVerdict; // M missed, S slow, F fluent
    int64_t nRun;
    int nPage;
    int nDay;
};

Verdict VerdictOfLetter(char c) {
    return c == 'M' ? Verdict::MISSED : c == 'S' ? Verdict::SLOW : Verdict::FLUENT;
}

// The dues after the steps: at each point, whether the fact is due there.
struct asSCHEDULECASE {
    const char* pRule;
    std::vector<asSTEP> arrSteps;
    std::vector<std::pair<asPLAYPOINT, bool>> arrChecks;
};

} // namespace

TEST(FactReview, TheScheduleFollowsItsRules) {
    const asSCHEDULECASE arrCases[] = {
        {"never asked: never due", {}, {{{1, 5, DAY + 90}, false}}},
        {"missed: the next page, and every later run",
         {{'M', 1, 1, DAY}},
         {{{1, 1, DAY}, false}, {{1, 2, DAY}, true}, {{2, 1, DAY + 3}, true}}},
        {"missed, then fluent once: still on the next page",
         {{'M', 1, 1, DAY}, {'F', 1, 2, DAY}},
         {{{1, 2, DAY}, false}, {{1, 3, DAY}, true}}},
        {"missed, fluent, slow: the row starts again",
         {{'M', 1, 1, DAY}, {'F', 1, 2, DAY}, {'S', 1, 3, DAY}, {'F', 1, 4, DAY}},
         {{{1, 5, DAY}, true}}},
        {"missed, then fluent in two forms on one page: one of the two",
         {{'M', 1, 1, DAY}, {'F', 1, 2, DAY}, {'F', 1, 2, DAY}},
         {{{1, 3, DAY}, true}}},
        {"missed, then fluent twice in a row: a day later",
         {{'M', 1, 1, DAY}, {'F', 1, 2, DAY}, {'F', 1, 3, DAY}},
         {{{1, 4, DAY}, false}, {{2, 1, DAY}, false}, {{3, 1, DAY + 1}, true}}},
        {"slow: two pages later, or the next run",
         {{'S', 1, 1, DAY}},
         {{{1, 2, DAY}, false}, {{1, 3, DAY}, true}, {{2, 1, DAY}, true}}},
        {"slow, then fluent: a day later",
         {{'S', 1, 1, DAY}, {'F', 1, 3, DAY}},
         {{{2, 1, DAY}, false}, {{2, 1, DAY + 1}, true}}},
        {"fluent: 1 day, then 3, 7, 21, 60, each after a fluent answer",
         {{'F', 1, 1, DAY}, {'F', 2, 1, DAY + 1}, {'F', 3, 1, DAY + 4}, {'F', 4, 1, DAY + 11}},
         {{{5, 1, DAY + 31}, false}, {{5, 1, DAY + 32}, true}}},
        {"the last step repeats",
         {{'F', 1, 1, DAY},
          {'F', 2, 1, DAY + 1},
          {'F', 3, 1, DAY + 4},
          {'F', 4, 1, DAY + 11},
          {'F', 5, 1, DAY + 32},
          {'F', 6, 1, DAY + 92}},
         {{{7, 1, DAY + 151}, false}, {{7, 1, DAY + 152}, true}}},
        {"a fluent answer before its day takes no step",
         {{'F', 1, 1, DAY}, {'F', 2, 1, DAY + 1}, {'F', 3, 1, DAY + 2}},
         {{{4, 1, DAY + 3}, false}, {{4, 1, DAY + 4}, true}}},
        {"a miss at any step: missed again",
         {{'F', 1, 1, DAY}, {'F', 2, 1, DAY + 1}, {'M', 3, 1, DAY + 4}},
         {{{3, 2, DAY + 4}, true}}},
        {"magnifier or wrong on a slow fact: missed",
         {{'S', 1, 1, DAY}, {'M', 1, 3, DAY}},
         {{{1, 4, DAY}, true}}},
    };
    for (const asSCHEDULECASE& test : arrCases) {
        asFACTREVIEW review;
        for (const asSTEP& step : test.arrSteps)
            ApplyVerdict(review, VerdictOfLetter(step.cVerdict), {step.nRun, step.nPage, step.nDay},
                         0);
        for (const auto& [point, due] : test.arrChecks)
            EXPECT_EQ(IsDue(review, point), due) << test.pRule << ": run " << point.nRun << " page "
                                                 << point.nPage << " day " << point.nDay - DAY;
    }
}

TEST(FactReview, AVerdictIsTheFirstAnswersAndTheThresholdIsFluent) {
    EXPECT_EQ(VerdictOf(false, false, 100, 6000), Verdict::MISSED);
    EXPECT_EQ(VerdictOf(true, true, 100, 6000), Verdict::MISSED); // given away
    EXPECT_EQ(VerdictOf(true, false, 6000, 6000), Verdict::FLUENT);
    EXPECT_EQ(VerdictOf(true, false, 6001, 6000), Verdict::SLOW);
}

TEST(ReviewBook, FreshMissesComeFirstThenTheLongestOverdue) {
    constexpr int64_t DAY_MS = 24 * 3600 * 1000;
    const int64_t now = int64_t(DAY) * DAY_MS;
    CReviewBook book;
    book.BeginRun();
    book.Add({4, '+', 4}, Verdict::FLUENT, 1, DAY - 30, now - 30 * DAY_MS); // due DAY - 29
    book.Add({6, '+', 1}, Verdict::MISSED, 1, DAY - 30, now - 30 * DAY_MS);
    book.BeginRun();
    book.Add({6, '+', 1}, Verdict::FLUENT, 1, DAY, now + 100); // one of two: no longer fresh
    book.Add({2, '+', 5}, Verdict::SLOW, 1, DAY, now + 200);
    book.Add({3, '+', 5}, Verdict::MISSED, 2, DAY, now + 3000);
    book.Add({8, '-', 3}, Verdict::MISSED, 2, DAY, now + 2500);
    book.Add({1, '+', 1}, Verdict::FLUENT, 2, DAY, now + 3500); // not due today
    const auto all = [](const asREVIEWFACT&) { return true; };
    const auto due = book.Due(3, DAY, 10, all);
    const std::vector<asREVIEWFACT> expected = {
        {8, '-', 3}, {3, '+', 5}, {4, '+', 4}, {6, '+', 1}, {2, '+', 5}};
    EXPECT_EQ(due, expected);
    EXPECT_EQ(book.Due(3, DAY, 2, all),
              std::vector<asREVIEWFACT>(expected.begin(), expected.begin() + 2));
    EXPECT_EQ(book.Due(3, DAY, 10, [](const asREVIEWFACT& f) { return f.cSign == '-'; }).size(),
              1u);
}
