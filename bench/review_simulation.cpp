// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Review in simulation, with the game's own generator, run model and review book: how many pages
// until a missed fact is asked again, and a simulated child's month of practice, each with review
// and without. Prints the tables of BENCHMARKS.md; run by hand, not a test.
// Usage: review_simulation [--seeds N] [--child-seeds N] [--part 1|2]
#include "exercise/ExerciseRun.h"
#include "exercise/ProblemGenerator.h"
#include "facts/FactState.h"
#include "facts/ProblemFact.h"
#include "facts/ReviewBook.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr int64_t DAY_MS = 24 * 3600 * 1000;
constexpr int FIRST_DAY = 20800; // local days since 1970-01-01 (December 2026)
constexpr int RUN_PAGES = 3;     // a run: three pages, then the certificate
constexpr int RUNS_A_DAY = 2;    // at 09:00 and at 17:00
constexpr int HORIZON = 54;      // pages after the miss that count as "coming back"
constexpr int LONG_HORIZON = 2000;

const ExerciseSet WITHIN_20{20, 0, OP_ADD | OP_SUBTRACT};
const ExerciseSet WITHIN_20_BLANKS{20, 0, OP_ADD | OP_SUBTRACT | OP_FILL_BLANK};

std::optional<asREVIEWFACT> FactOf(const std::string& problem, const std::string& answer) {
    asREVIEWFACT fact;
    if (!ReviewFactOf(ParseProblem(ProblemAsRecorded(problem), answer), fact)) return std::nullopt;
    return fact;
}

// What the checks of every page found.
struct asCHECKS {
    long nPages = 0;
    long nReviewProblems = 0;
    long nChangedWithoutReview = 0; // a place without review unlike the plain page's
    long nTooManyReview = 0;        // more review problems than ReviewSlots
    long nDueLeftOut = 0;           // one of the slots' worth of most overdue facts not on the page
    long nFactTwice = 0;            // a fact asked twice on one page
    std::map<ReviewStage, long> mapReviewByStage; // review problems by their fact's stage
};

// The game's steps of a run as app/RunSteps.cpp and app/ReviewSteps.cpp take them, on a seeded
// random source, with the current child's review book or without review. Every page is checked
// against the page the generator alone draws from the same random state.
class CPlayer {
public:
    CPlayer(const ExerciseSet& set, unsigned seed, bool bReview, asCHECKS& checks)
        : m_set(set), m_engine(std::make_shared<std::mt19937>(seed)), m_checks(checks) {
        m_fnRand = [engine = m_engine] { return int((*engine)() >> 1); };
        if (bReview) m_book.emplace();
    }

    // Run number runIndex of the simulation (RUNS_A_DAY a day) begins.
    void StartRun(int runIndex) {
        m_nDay = FIRST_DAY + runIndex / RUNS_A_DAY;
        m_nUtcMs = int64_t(m_nDay) * DAY_MS + (runIndex % RUNS_A_DAY == 0 ? 9 : 17) * 3600000;
        if (m_book) m_book->BeginRun();
        m_nPage = 1;
        const std::mt19937 before = *m_engine;
        const auto due = DueNow();
        m_run.Start(0, m_set, m_fnRand, DueFactsFor(1));
        Check(before, due);
        m_fnRand(); // the slide's direction
    }

    void NewPage() {
        ++m_nPage;
        const std::mt19937 before = *m_engine;
        const auto due = DueNow();
        m_run.StartNewPage(m_set, m_fnRand, DueFactsFor(m_nPage));
        Check(before, due);
    }

    // The child's first answer to the current problem; a wrong one is then put right.
    void Answer(bool bRight, int64_t elapsedMs) {
        const size_t i = size_t(m_run.m_nCurrent);
        const std::string answer = m_run.m_arrAnswers[i];
        const auto fact = FactOf(m_run.m_arrProblems[i], answer);
        if (!bRight) Type(std::to_string(std::stoi(answer) + 1));
        Type(answer);
        m_nUtcMs += elapsedMs;
        if (m_book && fact)
            m_book->Add(*fact, VerdictOf(bRight, false, elapsedMs, DEFAULT_THRESHOLD_MS), m_nPage,
                        m_nDay, m_nUtcMs);
    }

    const CExerciseRun& Run() const { return m_run; }
    // The facts the set can ask that would be due on the first page of the next day, by stage.
    std::map<ReviewStage, int> DueNextDay() const {
        std::map<ReviewStage, int> due;
        if (!m_book) return due;
        const asPLAYPOINT next{INT64_MAX, 1, m_nDay + 1}; // a run after every run so far
        for (const auto& [key, entry] : m_book->Entries())
            if (SetCanAsk(m_set, entry.fact) && IsDue(entry.review, next))
                ++due[entry.review.nStage];
        return due;
    }
    const std::optional<asREVIEWFACT>& FactAt(size_t i) const { return m_arrFacts[i]; }
    bool StandsOnPage(const asREVIEWFACT& fact) const {
        return std::find(m_arrFacts.begin(), m_arrFacts.end(), fact) != m_arrFacts.end();
    }

private:
    DueFactsFn DueFactsFor(int page) {
        if (!m_book) return {};
        return [this, page](size_t nMax, const auto& fnWanted) {
            return m_book->Due(page, m_nDay, nMax, fnWanted);
        };
    }
    // The due facts as the page will ask for them (its slots and its size: the sets here draw
    // pages of 12), for the checks.
    std::vector<asREVIEWFACT> DueNow() const {
        if (!m_book) return {};
        return m_book->Due(m_nPage, m_nDay, size_t(ReviewSlots(12) + 12),
                           [&](const asREVIEWFACT& fact) { return SetCanAsk(m_set, fact); });
    }

    void Type(const std::string& digits) {
        m_run.ClearInput(); // a wrong answer stays typed until it is cleared
        for (const char c : digits)
            m_run.AppendDigit(c - '0');
        m_run.SubmitAnswer(0);
    }

    void Check(const std::mt19937& before, const std::vector<asREVIEWFACT>& due) {
        m_arrFacts.clear();
        for (size_t i = 0; i < m_run.m_arrProblems.size(); ++i)
            m_arrFacts.push_back(FactOf(m_run.m_arrProblems[i], m_run.m_arrAnswers[i]));
        auto engine = std::make_shared<std::mt19937>(before);
        std::vector<std::string> arrPlain, arrPlainAnswers;
        GenerateProblems(arrPlain, arrPlainAnswers, m_set,
                         [engine] { return int((*engine)() >> 1); });
        const size_t count = m_run.m_arrProblems.size();
        const int slots = m_book ? ReviewSlots(int(count)) : 0;
        ++m_checks.nPages;
        int review = 0;
        for (size_t i = 0; i < count; ++i) {
            if (m_run.m_arrReview[i]) {
                ++review;
                for (const auto& [key, entry] : m_book->Entries())
                    if (entry.fact == m_arrFacts[i])
                        ++m_checks.mapReviewByStage[entry.review.nStage];
                continue;
            }
            if (m_run.m_arrProblems[i] != arrPlain[i] ||
                m_run.m_arrAnswers[i] != arrPlainAnswers[i])
                ++m_checks.nChangedWithoutReview;
        }
        m_checks.nReviewProblems += review;
        if (review > slots) ++m_checks.nTooManyReview;
        for (size_t k = 0; k < std::min(due.size(), size_t(slots)); ++k)
            if (!StandsOnPage(due[k])) ++m_checks.nDueLeftOut;
        for (size_t i = 0; i < count; ++i)
            for (size_t j = i + 1; j < count; ++j)
                if (FactAt(i) && FactAt(i) == FactAt(j)) ++m_checks.nFactTwice;
    }

    ExerciseSet m_set;
    std::shared_ptr<std::mt19937> m_engine;
    std::function<int()> m_fnRand;
    asCHECKS& m_checks;
    std::optional<CReviewBook> m_book;
    CExerciseRun m_run;
    std::vector<std::optional<asREVIEWFACT>> m_arrFacts; // what each problem of the page asks
    int m_nPage = 1;
    int m_nDay = FIRST_DAY;
    int64_t m_nUtcMs = 0;
};

// Moves on to the next page of the simulation: a new page, or a new run after RUN_PAGES.
void NextPage(CPlayer& player, int& pagesPlayed) {
    if (pagesPlayed % RUN_PAGES == 0)
        player.StartRun(pagesPlayed / RUN_PAGES);
    else
        player.NewPage();
    ++pagesPlayed;
}

constexpr int64_t FLUENT_MS = 3000;

void AnswerPageFluently(CPlayer& player) {
    while (!player.Run().PageFinished())
        player.Answer(true, FLUENT_MS);
}

// ---- Part 1: pages until a missed fact is asked again ----

// With review: the child misses the fact at place missed of page 1 and answers everything else
// fluently. Returns the pages after page 1 until that fact stands on a page again (1: the next
// page), or 0 when it does not within horizon pages; again gets the pages until its second return.
int PagesUntilBack(const ExerciseSet& set, unsigned seed, size_t missed, int horizon,
                   asCHECKS& checks, int& again) {
    CPlayer player(set, seed, true, checks);
    int played = 0;
    NextPage(player, played);
    const auto fact = player.FactAt(missed);
    if (!fact) return 0;
    for (size_t i = 0; !player.Run().PageFinished(); ++i)
        player.Answer(i != missed, FLUENT_MS);
    int first = 0;
    again = 0;
    for (int page = 1; page <= horizon && !again; ++page) {
        NextPage(player, played);
        if (player.StandsOnPage(*fact)) (first ? again : first) = page;
        AnswerPageFluently(player);
    }
    return first;
}

// Without review the pages do not depend on the answers: one pass follows the facts of all the
// places of page 1 at once. Each gets the pages until it stands on a page again, or 0.
std::vector<int> PagesUntilBackPlain(const ExerciseSet& set, unsigned seed, int horizon,
                                     asCHECKS& checks) {
    CPlayer player(set, seed, false, checks);
    int played = 0;
    NextPage(player, played);
    std::vector<std::optional<asREVIEWFACT>> arrMissed;
    for (size_t i = 0; i < player.Run().m_arrProblems.size(); ++i)
        arrMissed.push_back(player.FactAt(i));
    std::vector<int> arrBack(arrMissed.size(), 0);
    size_t open = arrMissed.size();
    for (int page = 1; page <= horizon && open > 0; ++page) {
        NextPage(player, played);
        for (size_t i = 0; i < arrMissed.size(); ++i)
            if (!arrBack[i] && arrMissed[i] && player.StandsOnPage(*arrMissed[i])) {
                arrBack[i] = page;
                --open;
            }
    }
    return arrBack;
}

// The nearest-rank percentile of values (sorted), 0 standing for "later than the horizon".
std::string Percentile(const std::vector<int>& values, double share) {
    std::vector<int> sorted;
    for (const int value : values)
        sorted.push_back(value == 0 ? INT32_MAX : value);
    std::sort(sorted.begin(), sorted.end());
    if (sorted.empty()) return "-";
    const size_t rank = size_t(std::ceil(share * double(sorted.size())));
    const int value = sorted[std::max<size_t>(rank, 1) - 1];
    return value == INT32_MAX ? "beyond" : std::to_string(value);
}

void PrintChecks(const char* what, const asCHECKS& checks) {
    std::printf("  checks %s: %ld pages, %ld review problems; places changed without review %ld, "
                "pages over the slots %ld, most overdue facts left out %ld, facts asked twice on "
                "a page %ld\n",
                what, checks.nPages, checks.nReviewProblems, checks.nChangedWithoutReview,
                checks.nTooManyReview, checks.nDueLeftOut, checks.nFactTwice);
    if (checks.nReviewProblems == 0) return;
    auto stage = [&](ReviewStage nStage) {
        const auto found = checks.mapReviewByStage.find(nStage);
        return found == checks.mapReviewByStage.end() ? 0L : found->second;
    };
    std::printf("  review problems by their fact's stage: missed %ld, slow %ld, spaced %ld\n",
                stage(ReviewStage::MISSED), stage(ReviewStage::SLOW), stage(ReviewStage::SPACED));
}

void PartOne(const ExerciseSet& set, const char* name, int seeds) {
    std::printf("\n== Pages until a missed fact is asked again: %s, %d seeds x 12 places of page "
                "1, runs of %d pages, %d runs a day ==\n",
                name, seeds, RUN_PAGES, RUNS_A_DAY);
    std::printf("%-30s %8s %8s %8s %8s %10s %10s\n", "", "trials", "median", "p90", "max",
                "next page", "not in 54");
    for (const bool bReview : {false, true}) {
        asCHECKS checks;
        std::vector<int> within, longer, returned, seconds;
        for (int seed = 1; seed <= seeds; ++seed) {
            std::vector<int> arrBack, arrAgain;
            if (bReview) {
                for (size_t missed = 0; missed < 12; ++missed) {
                    int again = 0;
                    arrBack.push_back(
                        PagesUntilBack(set, unsigned(seed), missed, HORIZON, checks, again));
                    arrAgain.push_back(again);
                }
            } else {
                arrBack = PagesUntilBackPlain(set, unsigned(seed), LONG_HORIZON, checks);
            }
            for (size_t i = 0; i < arrBack.size(); ++i) {
                const int back = arrBack[i];
                within.push_back(back <= HORIZON ? back : 0);
                longer.push_back(back);
                if (back && back <= HORIZON) returned.push_back(back);
                if (bReview) seconds.push_back(arrAgain[i]);
            }
        }
        const auto notBack = std::count(within.begin(), within.end(), 0);
        auto row = [&](const char* label, const std::vector<int>& values, long missing) {
            const auto maxReturned = std::max_element(values.begin(), values.end());
            const double n = double(values.size());
            std::printf("%-30s %8zu %8s %8s %8d %9.2f%% %9.1f%%\n", label, values.size(),
                        Percentile(values, 0.5).c_str(), Percentile(values, 0.9).c_str(),
                        maxReturned == values.end() ? 0 : *maxReturned,
                        100.0 * double(std::count(values.begin(), values.end(), 1)) / n,
                        100.0 * double(missing) / n);
        };
        if (bReview) {
            row("with review", within, notBack);
            std::vector<int> gaps;
            for (size_t i = 0; i < seconds.size(); ++i)
                gaps.push_back(seconds[i] && within[i] ? seconds[i] - within[i] : 0);
            row("  then again, pages later", gaps, std::count(gaps.begin(), gaps.end(), 0));
        } else {
            row("without review (54 pages)", within, notBack);
            row("  only those back within 54", returned, 0);
            row("  followed to 2000 pages", longer, std::count(longer.begin(), longer.end(), 0));
        }
        PrintChecks(bReview ? "with review" : "without review", checks);
    }
}

// Several misses on page 1: the child misses the first misses places, answers the rest and every
// later page fluently. Each missed fact gets the pages until it stands on a page again, or 0.
std::vector<int> PagesUntilBackAfter(const ExerciseSet& set, unsigned seed, size_t misses,
                                     asCHECKS& checks) {
    CPlayer player(set, seed, true, checks);
    int played = 0;
    NextPage(player, played);
    std::vector<std::optional<asREVIEWFACT>> arrMissed;
    for (size_t i = 0; !player.Run().PageFinished(); ++i) {
        if (i < misses) arrMissed.push_back(player.FactAt(i));
        player.Answer(i >= misses, FLUENT_MS);
    }
    std::vector<int> arrBack(arrMissed.size(), 0);
    for (int page = 1; page <= HORIZON; ++page) {
        NextPage(player, played);
        for (size_t i = 0; i < arrMissed.size(); ++i)
            if (!arrBack[i] && arrMissed[i] && player.StandsOnPage(*arrMissed[i]))
                arrBack[i] = page;
        AnswerPageFluently(player);
    }
    return arrBack;
}

void PartOneMisses(const ExerciseSet& set, const char* name, int seeds) {
    std::printf("\n== With review, several misses on page 1: %s, %d seeds ==\n", name, seeds);
    std::printf("%-30s %8s %8s %8s %8s %10s %10s\n", "misses on page 1", "facts", "median", "p90",
                "max", "next page", "not in 54");
    asCHECKS checks;
    for (const size_t misses : {1, 2, 3, 4, 6, 12}) {
        std::vector<int> values;
        for (int seed = 1; seed <= seeds; ++seed)
            for (const int back : PagesUntilBackAfter(set, unsigned(seed), misses, checks))
                values.push_back(back);
        const double n = double(values.size());
        std::printf("%-30zu %8zu %8s %8s %8d %9.2f%% %9.1f%%\n", misses, values.size(),
                    Percentile(values, 0.5).c_str(), Percentile(values, 0.9).c_str(),
                    *std::max_element(values.begin(), values.end()),
                    100.0 * double(std::count(values.begin(), values.end(), 1)) / n,
                    100.0 * double(std::count(values.begin(), values.end(), 0)) / n);
    }
    PrintChecks("with review", checks);
}

// ---- Part 2: a simulated child's month ----

// The child's chance to miss a fact before any practice: sums and differences that cross ten
// are the hard ones, a 0 or a number taken from itself the easy ones.
double StartingMiss(const asREVIEWFACT& fact) {
    const int a = fact.nLeft;
    const int b = fact.nRight;
    if (fact.cSign == '+') {
        if (a == 0 || b == 0) return 0.05;
        const int smaller = std::min(a, b);
        if (a + b <= 10) return 0.10 + 0.02 * smaller;
        if (a < 10 && b < 10) return 0.30 + 0.02 * smaller; // crosses ten
        return 0.15 + 0.02 * std::min(smaller, 10);
    }
    if (b == 0 || b == a) return 0.05;
    if (a <= 10) return 0.15 + 0.02 * b;
    if (a - b < 10) return 0.40 + 0.02 * std::min(b, a - b); // borrows across ten
    return 0.20 + 0.02 * b;
}

struct asCHILDMODEL {
    double dLearn = 0.6;       // the miss chance is multiplied by this on each right answer
    double dHalfLifeDays = 10; // unseen, half of what was learnt is lost in this many days
    double dStartScale = 1;    // the starting miss chances times this: a child further on
};

// One fact as the simulated child knows it.
struct asKNOWN {
    double dStart = 0; // the miss chance before any practice
    double dMiss = 0;  // the miss chance right after it was last asked
    double dLastDay = -1;
    bool bHard = false; // starts at a miss chance of 0.3 or more before any scaling

    double dHalfLife = 10;
    std::vector<asFACTTRY> arrTries;

    // Unseen, the chance drifts back towards its start.
    double MissOn(double day) const {
        if (dLastDay < 0) return dStart;
        return dStart - (dStart - dMiss) * std::exp2(-(day - dLastDay) / dHalfLife);
    }
};

struct asMONTH {
    int nGreen = 0, nYellow = 0, nRed = 0, nGrey = 0;
    int nSeenTwice = 0;
    double dFirstTryRight = 0; // over the month
    double dLastDaysRight = 0; // first tries right on the last 3 days
    double dMeanMiss = 0;      // the model's miss chance over every fact within 20, after day 30
    double dHardMiss = 0;      // the same over the facts that started at 0.3 or more
    long nPages = 0;
    int nDueMissed = 0; // due on the next day's first page, by stage
    int nDueSlow = 0;
    int nDueSpaced = 0;
    std::vector<int> arrBack; // for each miss: the pages until its fact was asked again, 0: not
                              // within HORIZON (misses in the last HORIZON pages are left out)
};

constexpr int DAYS = 30;

struct FactOrder {
    bool operator()(const asREVIEWFACT& a, const asREVIEWFACT& b) const {
        return std::tuple(a.cSign, a.nLeft, a.nRight) < std::tuple(b.cSign, b.nLeft, b.nRight);
    }
};

asMONTH PlayMonth(const ExerciseSet& set, unsigned seed, bool bReview, const asCHILDMODEL& model,
                  asCHECKS& checks) {
    std::map<std::pair<char, std::pair<int, int>>, asKNOWN> known;
    auto add = [&](const asREVIEWFACT& fact) {
        asKNOWN& k = known[{fact.cSign, {fact.nLeft, fact.nRight}}];
        k.bHard = StartingMiss(fact) >= 0.3;
        k.dStart = model.dStartScale * StartingMiss(fact);
        k.dMiss = k.dStart;
        k.dHalfLife = model.dHalfLifeDays;
    };
    for (int a = 0; a <= 20; ++a)
        for (int b = 0; a + b <= 20; ++b)
            if (a + b > 0) add({a, '+', b});
    for (int a = 1; a <= 20; ++a)
        for (int b = 0; b <= a; ++b)
            add({a, '-', b});

    CPlayer player(set, seed, bReview, checks);
    std::mt19937 child(seed + 100000);
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    long asked = 0, right = 0, lastAsked = 0, lastRight = 0;
    asMONTH month;
    int played = 0;
    std::map<asREVIEWFACT, int, FactOrder> missedOn; // missed, not asked since: the page
    std::vector<std::pair<int, int>> backs;          // the page of a miss, the pages until back
    for (int run = 0; run < DAYS * RUNS_A_DAY; ++run) {
        const double day = run / RUNS_A_DAY + (run % RUNS_A_DAY) * 8.0 / 24.0;
        for (int page = 0; page < RUN_PAGES; ++page) {
            NextPage(player, played);
            ++month.nPages;
            for (auto pending = missedOn.begin(); pending != missedOn.end();)
                if (player.StandsOnPage(pending->first)) {
                    backs.emplace_back(pending->second, played - pending->second);
                    pending = missedOn.erase(pending);
                } else {
                    ++pending;
                }
            for (size_t i = 0; !player.Run().PageFinished(); ++i) {
                const auto fact = player.FactAt(i);
                asKNOWN& k = known.at({fact->cSign, {fact->nLeft, fact->nRight}});
                const double miss = k.MissOn(day);
                const bool bRight = chance(child) >= miss;
                // A fact not yet sure is slow about as often as it is missed.
                const bool bSlow = bRight && chance(child) < miss;
                const int64_t elapsed = !bRight ? 5000
                                        : bSlow ? 6500 + int64_t(chance(child) * 5500)
                                                : 2000 + int64_t(chance(child) * 3000);
                player.Answer(bRight, elapsed);
                if (!bRight) missedOn.try_emplace(*fact, played);
                k.arrTries.push_back({bRight, false, elapsed});
                k.dMiss = bRight ? miss * model.dLearn : miss;
                k.dLastDay = day;
                ++asked;
                right += bRight;
                if (run >= (DAYS - 3) * RUNS_A_DAY) {
                    ++lastAsked;
                    lastRight += bRight;
                }
            }
        }
    }
    for (const auto& [fact, page] : missedOn)
        backs.emplace_back(page, 0);
    // Only the misses that could be followed for HORIZON pages count, each with the same horizon.
    for (const auto& [page, back] : backs)
        if (page + HORIZON <= played) month.arrBack.push_back(back <= HORIZON ? back : 0);
    auto due = player.DueNextDay();
    month.nDueMissed = due[ReviewStage::MISSED];
    month.nDueSlow = due[ReviewStage::SLOW];
    month.nDueSpaced = due[ReviewStage::SPACED];
    int hard = 0;
    for (const auto& [key, k] : known) {
        switch (StateOfTries(k.arrTries, DEFAULT_THRESHOLD_MS)) {
        case FactState::GREEN:
            ++month.nGreen;
            break;
        case FactState::YELLOW:
            ++month.nYellow;
            break;
        case FactState::RED:
            ++month.nRed;
            break;
        default:
            ++month.nGrey;
        }
        month.nSeenTwice += k.arrTries.size() >= 2;
        month.dMeanMiss += k.MissOn(DAYS);
        if (k.bHard) {
            month.dHardMiss += k.MissOn(DAYS);
            ++hard;
        }
    }
    month.dMeanMiss /= double(known.size());
    month.dHardMiss /= double(hard);
    month.dFirstTryRight = double(right) / double(asked);
    month.dLastDaysRight = double(lastRight) / double(lastAsked);
    return month;
}

struct asSPREAD {
    std::vector<double> arrValues;
    void Add(double value) { arrValues.push_back(value); }
    std::string Text(int decimals, double scale = 1) const {
        double sum = 0, squares = 0;
        for (const double v : arrValues)
            sum += v * scale;
        const double mean = sum / double(arrValues.size());
        for (const double v : arrValues)
            squares += (v * scale - mean) * (v * scale - mean);
        const double sd = std::sqrt(squares / double(arrValues.size() - 1));
        const auto [lo, hi] = std::minmax_element(arrValues.begin(), arrValues.end());
        char text[96];
        std::snprintf(text, sizeof text, "%.*f ± %.*f (%.*f – %.*f)", decimals, mean, decimals, sd,
                      decimals, *lo * scale, decimals, *hi * scale);
        return text;
    }
};

// "median 1, p90 3, next page 80 %, not in 54 1.0 %"
std::string BackText(const std::vector<int>& values) {
    const double n = double(values.size());
    char text[96];
    std::snprintf(text, sizeof text, "median %s, p90 %s; next %.0f%%, >54 %.1f%%",
                  Percentile(values, 0.5).c_str(), Percentile(values, 0.9).c_str(),
                  100.0 * double(std::count(values.begin(), values.end(), 1)) / n,
                  100.0 * double(std::count(values.begin(), values.end(), 0)) / n);
    return text;
}

void PartTwo(const ExerciseSet& set, const char* name, int seeds, const asCHILDMODEL& model) {
    std::printf("\n== A simulated child, %d days, %d runs a day of %d pages: %s, %d seeds; learn "
                "x%.2f, forgetting half-life %.0f days, starting miss chances x%.2f ==\n",
                DAYS, RUNS_A_DAY, RUN_PAGES, name, seeds, model.dLearn, model.dHalfLifeDays,
                model.dStartScale);
    std::printf("%-44s %-34s %-34s\n", "mean ± sd (min – max)", "without review", "with review");
    std::map<bool, std::vector<asSPREAD>> figures;
    std::map<bool, asCHECKS> checks;
    std::map<bool, std::vector<int>> back;
    for (const bool bReview : {false, true}) {
        figures[bReview].resize(13);
        for (int seed = 1; seed <= seeds; ++seed) {
            const asMONTH m = PlayMonth(set, unsigned(seed), bReview, model, checks[bReview]);
            back[bReview].insert(back[bReview].end(), m.arrBack.begin(), m.arrBack.end());
            const double values[] = {double(m.nGreen),    double(m.nYellow),    double(m.nRed),
                                     double(m.nGrey),     double(m.nSeenTwice), m.dFirstTryRight,
                                     m.dLastDaysRight,    m.dMeanMiss,          m.dHardMiss,
                                     double(m.nPages),    double(m.nDueMissed), double(m.nDueSlow),
                                     double(m.nDueSpaced)};
            for (size_t i = 0; i < std::size(values); ++i)
                figures[bReview][i].Add(values[i]);
        }
    }
    const char* labels[] = {"green facts (of 460)",
                            "yellow facts",
                            "red facts",
                            "grey facts (never asked)",
                            "facts asked twice or more",
                            "first tries right, whole month (%)",
                            "first tries right, last 3 days (%)",
                            "model's miss chance, all 460, day 31 (%)",
                            "the same, the hard ones (start >= 0.3) (%)",
                            "pages played",
                            "due on day 31: missed",
                            "due on day 31: slow",
                            "due on day 31: spaced"};
    for (size_t i = 0; i < std::size(labels); ++i) {
        const double scale = i >= 5 && i <= 8 ? 100 : 1; // shares in per cent
        std::printf("%-44s %-34s %-34s\n", labels[i], figures[false][i].Text(1, scale).c_str(),
                    figures[true][i].Text(1, scale).c_str());
    }
    std::printf("pages until a missed fact is asked again      %-34s %-34s\n",
                BackText(back[false]).c_str(), BackText(back[true]).c_str());
    PrintChecks("without review", checks[false]);
    PrintChecks("with review", checks[true]);
}

} // namespace

int main(int argc, char** argv) {
    int seeds = 300;
    int childSeeds = 20;
    int part = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--seeds")) seeds = std::atoi(argv[i + 1]);
        if (!std::strcmp(argv[i], "--child-seeds")) childSeeds = std::atoi(argv[i + 1]);
        if (!std::strcmp(argv[i], "--part")) part = std::atoi(argv[i + 1]);
    }
    if (part == 0 || part == 1) {
        PartOne(WITHIN_20, "within 20, + and - (kinds 3)", seeds);
        PartOne(WITHIN_20_BLANKS, "within 20, + and - with blanks (kinds 35)", seeds);
        PartOneMisses(WITHIN_20, "within 20, + and - (kinds 3)", seeds);
    }
    if (part == 0 || part == 2) {
        PartTwo(WITHIN_20, "within 20, + and - (kinds 3)", childSeeds, asCHILDMODEL{});
        PartTwo(WITHIN_20_BLANKS, "within 20, + and - with blanks (kinds 35)", childSeeds,
                asCHILDMODEL{});
        PartTwo(WITHIN_20, "within 20 (kinds 3), faster forgetting", childSeeds,
                asCHILDMODEL{0.6, 3});
        PartTwo(WITHIN_20, "within 20 (kinds 3), slower forgetting", childSeeds,
                asCHILDMODEL{0.6, 30});
        PartTwo(WITHIN_20, "within 20 (kinds 3), a child further on", childSeeds,
                asCHILDMODEL{0.6, 10, 0.25});
    }
    return 0;
}
