// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What review costs: a new page on the window's thread with and without the due facts of a child
// after a year of practice, and the worker thread's reading of a child's book from the record.
#include "BenchHistory.h"
#include "exercise/ExerciseRun.h"
#include "facts/ChildReview.h"
#include "platform/Clock.h"
#include "storage/HistoryReader.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <random>
#include <thread>

namespace {

const ExerciseSet WITHIN_20{20, 0, OP_ADD | OP_SUBTRACT};
const ExerciseSet WITHIN_100_BLANKS{100, 0, OP_ADD | OP_SUBTRACT | OP_FILL_BLANK};
constexpr int DAYS = 365;
constexpr int BEYOND_20 = 300;

int Today() {
    const int64_t now = GetUtcMilliseconds();
    return LocalDayOf(now, LocalOffsetMs(now));
}

// A child after a year: two runs a day of three pages of 12, each first answer asking one of the
// 460 facts within 20 (seven in ten) or one of 300 facts beyond 20 within 100; one answer in ten
// missed, one in ten slow. Its last day was yesterday.
CReviewBook YearOfPractice() {
    std::vector<asREVIEWFACT> arrWithin, arrBeyond;
    for (int a = 0; a <= 20; ++a)
        for (int b = 0; a + b <= 20; ++b)
            if (a + b > 0) arrWithin.push_back({a, '+', b});
    for (int a = 1; a <= 20; ++a)
        for (int b = 0; b <= a; ++b)
            arrWithin.push_back({a, '-', b});
    std::mt19937 random(365);
    auto draw = [&](int n) { return int(random() % unsigned(n)); };
    while (arrBeyond.size() < BEYOND_20) {
        const int a = 21 + draw(80);
        const int b = draw(101 - a);
        const asREVIEWFACT fact = draw(2) ? asREVIEWFACT{a - b, '+', b} : asREVIEWFACT{a, '-', b};
        if (fact.nLeft > 0 &&
            std::find(arrBeyond.begin(), arrBeyond.end(), fact) == arrBeyond.end())
            arrBeyond.push_back(fact);
    }
    CReviewBook book;
    const int firstDay = Today() - DAYS;
    for (int day = firstDay; day < firstDay + DAYS; ++day)
        for (const int hour : {9, 17}) {
            book.BeginRun();
            int64_t utcMs = int64_t(day) * 24 * 3600 * 1000 + hour * 3600 * 1000;
            for (int page = 1; page <= 3; ++page)
                for (int i = 0; i < 12; ++i) {
                    const auto& facts = draw(10) < 7 ? arrWithin : arrBeyond;
                    const int verdict = draw(10);
                    utcMs += 4000;
                    book.Add(facts[size_t(draw(int(facts.size())))],
                             verdict == 0   ? Verdict::MISSED
                             : verdict == 1 ? Verdict::SLOW
                                            : Verdict::FLUENT,
                             page, day, utcMs);
                }
        }
    return book;
}

// The worst book a child could have: every fact within 100, each asked once long ago (one in ten
// missed, one in ten slow), so that every one of them is due.
CReviewBook EveryFactWithin100() {
    std::mt19937 random(100);
    CReviewBook book;
    book.BeginRun();
    const int day = Today() - 2 * DAYS;
    int64_t utcMs = int64_t(day) * 24 * 3600 * 1000;
    auto add = [&](const asREVIEWFACT& fact) {
        const unsigned verdict = random() % 10;
        book.Add(fact,
                 verdict == 0   ? Verdict::MISSED
                 : verdict == 1 ? Verdict::SLOW
                                : Verdict::FLUENT,
                 1, day, utcMs += 4000);
    };
    for (int a = 0; a <= 100; ++a)
        for (int b = 0; a + b <= 100; ++b)
            if (a + b > 0) add({a, '+', b});
    for (int a = 1; a <= 100; ++a)
        for (int b = 0; b <= a; ++b)
            add({a, '-', b});
    return book;
}

constexpr int ANSWERS = 100000;

// One child's 100,000 answers: about two years of daily practice.
const CBenchHistory& ChildHistory() {
    static const CBenchHistory history(ANSWERS, {"Ann"});
    return history;
}

asREVIEWREAD AnnsBook() {
    asREVIEWREAD read;
    read.strChild = "Ann";
    return read;
}

// The book of that child, read from their record: its last answer is long past, so whatever
// the book holds is due.
CReviewBook TwoYearRecord() {
    return *ReadReviewBook(ChildHistory().Path(), AnnsBook());
}

// The current child's review as the game holds it, their book read on the worker thread.
class CBenchReview {
public:
    explicit CBenchReview(CReviewBook (*fnBook)())
        : m_review([fnBook](const asREVIEWREAD&) { return fnBook(); }) {
        asREVIEWREAD read;
        read.strChild = "Ann";
        m_review.ChooseChild(read);
        while (!m_review.Ready())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        m_review.BeginRun(); // today's run, on its second page below
    }
    CChildReview& Review() { return m_review; }

private:
    CChildReview m_review;
};

CChildReview& ReviewOf(CReviewBook (*fnBook)()) {
    static std::map<CReviewBook (*)(), std::unique_ptr<CBenchReview>> mapReviews;
    auto& review = mapReviews[fnBook];
    if (!review) review = std::make_unique<CBenchReview>(fnBook);
    return review->Review();
}

// The facts in the current child's book (every one is due or not for every set).
size_t InBook(CChildReview& review) {
    return review.Due(1, INT32_MAX, SIZE_MAX, [](const asREVIEWFACT&) { return true; }).size();
}

// StartNewPage of the second page of a run, as app/RunSteps.cpp calls it: the due facts (when
// review is on) read for the page and day through the current child's review.
void BM_NewPage(benchmark::State& state, const ExerciseSet& set, bool bReview,
                CReviewBook (*fnBook)() = YearOfPractice) {
    CChildReview& review = ReviewOf(fnBook);
    auto engine = std::make_shared<std::minstd_rand>(1);
    const std::function<int()> fnRand = [engine] { return int((*engine)() >> 1); };
    CExerciseRun run;
    run.Start(0, set, fnRand);
    long reviewProblems = 0;
    for (auto _ : state) {
        DueFactsFn fnDue;
        if (bReview)
            fnDue = [&review, day = Today()](size_t nMax, const auto& fnWanted) {
                return review.Due(2, day, nMax, fnWanted);
            };
        run.StartNewPage(set, fnRand, fnDue);
        reviewProblems += std::count(run.m_arrReview.begin(), run.m_arrReview.end(), true);
        benchmark::DoNotOptimize(run.m_arrProblems.data());
    }
    state.counters["review_a_page"] = double(reviewProblems) / double(state.iterations());
    const auto due = review.Due(2, Today(), SIZE_MAX, [](const asREVIEWFACT&) { return true; });
    const auto dueHere = review.Due(2, Today(), SIZE_MAX,
                                    [&](const asREVIEWFACT& fact) { return SetCanAsk(set, fact); });
    state.counters["due"] = double(due.size());
    state.counters["in_book"] = double(InBook(review));
    state.counters["due_in_set"] = double(dueHere.size());
}
BENCHMARK_CAPTURE(BM_NewPage, within20_plain, WITHIN_20, false);
BENCHMARK_CAPTURE(BM_NewPage, within20_review, WITHIN_20, true);
BENCHMARK_CAPTURE(BM_NewPage, within100_blanks_plain, WITHIN_100_BLANKS, false);
BENCHMARK_CAPTURE(BM_NewPage, within100_blanks_review, WITHIN_100_BLANKS, true);
BENCHMARK_CAPTURE(BM_NewPage, within100_blanks_review_two_year_record, WITHIN_100_BLANKS, true,
                  TwoYearRecord);
BENCHMARK_CAPTURE(BM_NewPage, within100_blanks_review_every_fact_due, WITHIN_100_BLANKS, true,
                  EveryFactWithin100);

// The due facts alone, as a page of 12 within 100 with blanks asks for them.
void BM_DueFacts(benchmark::State& state, CReviewBook (*fnBook)()) {
    CChildReview& review = ReviewOf(fnBook);
    const int day = Today();
    for (auto _ : state)
        benchmark::DoNotOptimize(review.Due(2, day, 15, [](const asREVIEWFACT& fact) {
            return SetCanAsk(WITHIN_100_BLANKS, fact);
        }));
    state.counters["due"] =
        double(review.Due(2, day, SIZE_MAX, [](const asREVIEWFACT&) { return true; }).size());
    state.counters["in_book"] = double(InBook(review));
}
BENCHMARK_CAPTURE(BM_DueFacts, year, YearOfPractice);
BENCHMARK_CAPTURE(BM_DueFacts, two_year_record, TwoYearRecord);
BENCHMARK_CAPTURE(BM_DueFacts, every_fact_within100, EveryFactWithin100);

// What the worker thread does when a child becomes current: the record read, the book made.
void BM_ReadReviewBook100k(benchmark::State& state) {
    size_t facts = 0;
    for (auto _ : state) {
        const auto book = ReadReviewBook(ChildHistory().Path(), AnnsBook());
        if (!book) state.SkipWithError("the record could not be read");
        facts = book ? book->Entries().size() : 0;
    }
    state.counters["facts"] = double(facts);
    state.SetLabel(std::to_string(ANSWERS) + " answers of one child");
}
BENCHMARK(BM_ReadReviewBook100k)->Unit(benchmark::kMillisecond);

// The book alone, from the record already read.
void BM_ReviewBookOf100k(benchmark::State& state) {
    const asHISTORYREAD read = ReadHistory(ChildHistory().Path());
    for (auto _ : state)
        benchmark::DoNotOptimize(ReviewBookOf(read.history, AnnsBook()).Entries().size());
}
BENCHMARK(BM_ReviewBookOf100k)->Unit(benchmark::kMillisecond);

} // namespace
