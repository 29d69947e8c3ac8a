// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Review on the page: with nothing due a page is the page drawn without review; due facts take
// at most a quarter of it, as true problems of the set, never twice.
#include "exercise/ExerciseRun.h"
#include "exercise/ProblemGenerator.h"
#include "exercise/ReviewPage.h"
#include "tests/exercise/ScriptedRand.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const uint32_t SETS[] = {OP_ADD,
                         OP_SUBTRACT,
                         OP_ADD | OP_SUBTRACT,
                         OP_ADD | OP_FILL_BLANK,
                         OP_SUBTRACT | OP_FILL_BLANK,
                         35,
                         63,
                         OP_CHAIN_ADD | OP_MIXED};
const int RANGES[] = {3, 4, 10, 20, 100};

// Every fact within 20 is due, the most overdue first in a fixed shuffled order.
std::vector<asREVIEWFACT> EveryFactWithin20() {
    std::vector<asREVIEWFACT> arrFacts;
    for (int a = 0; a <= 20; ++a)
        for (int b = 0; b <= 20; ++b) {
            if (a + b <= 20) arrFacts.push_back({a, '+', b});
            if (b <= a) arrFacts.push_back({a, '-', b});
        }
    std::mt19937 engine(7);
    std::shuffle(arrFacts.begin(), arrFacts.end(), engine);
    return arrFacts;
}

DueFactsFn DueFrom(const std::vector<asREVIEWFACT>& arrDue) {
    return [arrDue](size_t nMax, const std::function<bool(const asREVIEWFACT&)>& fnWanted) {
        std::vector<asREVIEWFACT> arrTaken;
        for (const asREVIEWFACT& fact : arrDue)
            if (arrTaken.size() < nMax && fnWanted(fact)) arrTaken.push_back(fact);
        return arrTaken;
    };
}

asREVIEWFACT FactOf(const std::string& problem, const std::string& answer) {
    asREVIEWFACT fact{-1, '?', -1};
    ReviewFactOf(ParseProblem(ProblemAsRecorded(problem), answer), fact);
    return fact;
}

} // namespace

TEST(ReviewPage, WithNothingDueEveryPageIsThePageWithoutReview) {
    const std::vector<asREVIEWFACT> arrBeyond = {{60, '+', 40}, {100, '-', 1}};
    for (uint32_t nOperations : SETS)
        for (int N : {3, 10}) {
            const ExerciseSet set{N, 0, nOperations};
            CExerciseRun plain, none, beyond;
            auto fnPlain = ScriptedRand({}, 99), fnNone = ScriptedRand({}, 99),
                 fnBeyond = ScriptedRand({}, 99);
            ASSERT_TRUE(plain.Start(0, set, fnPlain));
            ASSERT_TRUE(none.Start(0, set, fnNone, DueFrom({})));
            ASSERT_TRUE(beyond.Start(0, set, fnBeyond, DueFrom(arrBeyond))); // none within N
            for (int page = 0; page < 20; ++page) {
                EXPECT_EQ(none.m_arrProblems, plain.m_arrProblems);
                EXPECT_EQ(beyond.m_arrProblems, plain.m_arrProblems);
                EXPECT_EQ(std::count(none.m_arrReview.begin(), none.m_arrReview.end(), true), 0);
                plain.StartNewPage(set, fnPlain);
                none.StartNewPage(set, fnNone, DueFrom({}));
                beyond.StartNewPage(set, fnBeyond, DueFrom(arrBeyond));
            }
        }
}

TEST(ReviewPage, DueFactsAreTrueProblemsOfTheSetAtMostAQuarterNeverTwice) {
    const auto arrDue = EveryFactWithin20();
    for (uint32_t nOperations : SETS)
        for (int N : RANGES) {
            SCOPED_TRACE("kinds " + std::to_string(nOperations) + ", N = " + std::to_string(N));
            const ExerciseSet set{N, 0, nOperations};
            auto fnRand = ScriptedRand({}, unsigned(N) * 64 + nOperations);
            const bool bReviewable = (nOperations & (OP_ADD | OP_SUBTRACT)) != 0;
            std::set<int> blanks;
            for (int page = 0; page < 30; ++page) {
                std::vector<std::string> arrProblems, arrAnswers;
                const int count = GenerateProblems(arrProblems, arrAnswers, set, fnRand);
                const auto arrReview =
                    PlaceReviewProblems(arrProblems, arrAnswers, set, DueFrom(arrDue), fnRand);
                const int nReview = int(std::count(arrReview.begin(), arrReview.end(), true));
                EXPECT_LE(nReview, std::min(3, count / 4));
                if (!bReviewable) {
                    EXPECT_EQ(nReview, 0);
                }
                std::set<std::string> seen;
                for (int i = 0; i < count; ++i) {
                    if (!arrReview[size_t(i)]) continue;
                    const asREVIEWFACT fact = FactOf(arrProblems[size_t(i)], arrAnswers[size_t(i)]);
                    EXPECT_TRUE(SetCanAsk(set, fact)) << arrProblems[size_t(i)];
                    EXPECT_TRUE(seen.insert(fact.Text()).second) << fact.Text() << " twice";
                    const std::string& text = arrProblems[size_t(i)];
                    blanks.insert(int(
                        std::count_if(text.begin(), text.begin() + long(text.find('(')),
                                      [](char c) { return c == '=' || c == '+' || c == '-'; })));
                }
                // A review fact does not stand on the page a second time in another form.
                for (int i = 0; i < count; ++i) {
                    if (arrReview[size_t(i)]) continue;
                    const asREVIEWFACT fact = FactOf(arrProblems[size_t(i)], arrAnswers[size_t(i)]);
                    EXPECT_FALSE(seen.contains(fact.Text())) << fact.Text();
                }
            }
            // Blanks in every place for a set of blanks, on the result alone otherwise.
            if (bReviewable && N >= 10) {
                EXPECT_EQ(blanks.size(), (nOperations & OP_FILL_BLANK) ? 3u : 1u);
            }
        }
}

TEST(ReviewPage, TheSetsLimitAndKindsDecideWhatItCanAsk) {
    const ExerciseSet addTo5{5, 0, OP_ADD}, subtractTo5{5, 0, OP_SUBTRACT};
    EXPECT_TRUE(SetCanAsk(addTo5, {2, '+', 3}));
    EXPECT_FALSE(SetCanAsk(addTo5, {3, '+', 3}));
    EXPECT_FALSE(SetCanAsk(addTo5, {0, '+', 0})); // the generator never asks it
    EXPECT_FALSE(SetCanAsk(addTo5, {5, '-', 2}));
    EXPECT_TRUE(SetCanAsk(subtractTo5, {5, '-', 5}));
    EXPECT_FALSE(SetCanAsk(subtractTo5, {6, '-', 5}));
    EXPECT_FALSE(SetCanAsk(subtractTo5, {0, '-', 0}));
}
