// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The per-child figures of the report, in one pass over the answers.
#include "report/ChildReport.h"

#include "facts/ProblemSet.h"
#include "facts/ReviewBook.h"
#include "gfx/Gbk.h"
#include "platform/Translate.h"

#include <algorithm>
#include <map>
#include <set>
#include <span>
#include <tuple>
#include <unordered_map>

namespace {

constexpr int GRID_LIMIT = 20;

// A try of the review week: which, its day, and whether review put its problem on the page.
struct asRECENTTRY {
    size_t nTry = 0;
    int nDay = 0;
    bool bReview = false;
};

struct asFACTDATA {
    std::vector<asFACTTRY> arrTries;
    std::vector<asRECENTTRY> arrRecent;
    int nWrong = 0;
    std::map<std::string, int> mapWrongForms;
    bool bBeyondGrid = false;
    // Each answer to the fact (its index in the history) and the try it belongs to.
    std::vector<std::pair<uint32_t, uint32_t>> arrAnswers;
};

// A problem's place: run, page and position on the page.
using asPLACE = std::tuple<int64_t, int, int>;
struct asPLACEHASH {
    size_t operator()(const asPLACE& place) const {
        const auto [run, page, position] = place;
        return std::hash<int64_t>()(run * 1000003 + int64_t(page) * 1009 + position);
    }
};

struct asKINDDATA {
    int nProblems = 0;
    int nRight = 0;
    std::vector<int64_t> arrTimes;
};

// Everything gathered for one child before it becomes a report.
struct asCHILDDATA {
    std::map<int, asPRACTICEDAY> mapDays;
    std::vector<asRUNSCORE> arrScores;
    std::array<asKINDDATA, PROBLEM_KIND_COUNT + 1> arrKinds; // the last: not understood
    std::unordered_map<std::string, asFACTDATA> mapFacts;
    int nAnswers = 0;
    bool bLargeSets = false;
    bool bReviewed = false; // a named child: the game reviews their facts
    CReviewBook review;
    std::array<asKINDDATA, 2> arrWeekTries; // the summary's weeks: this, last
    std::set<asPLAYEDSET> setPlayed;
};

int64_t Median(std::vector<int64_t>& arrValues) {
    if (arrValues.empty()) return -1;
    const size_t mid = arrValues.size() / 2;
    std::nth_element(arrValues.begin(), arrValues.begin() + long(mid), arrValues.end());
    const int64_t upper = arrValues[mid];
    if (arrValues.size() % 2 == 1) return upper;
    const int64_t lower = *std::max_element(arrValues.begin(), arrValues.begin() + long(mid));
    return (lower + upper) / 2;
}

asKINDFIGURES Figures(asKINDDATA& data) {
    return {data.nProblems, data.nRight, Median(data.arrTimes)};
}

void AddActive(asCHILDDATA& child, int day, int64_t fromMs, int64_t toMs) {
    const int64_t gap = toMs - fromMs;
    if (gap > 0 && gap <= PAUSE_MS) child.mapDays[day].nActiveMs += gap;
}

// The most common wrong form; ties go to the first in text order.
std::pair<std::string, int> MostCommon(const std::map<std::string, int>& mapForms) {
    std::pair<std::string, int> best;
    for (const auto& [form, count] : mapForms)
        if (count > best.second) best = {form, count};
    return best;
}

std::vector<asWRONGFACT> MostWrong(const std::unordered_map<std::string, asFACTDATA>& mapFacts,
                                   int64_t thresholdMs) {
    std::vector<asWRONGFACT> arrWrong;
    for (const auto& [fact, data] : mapFacts) {
        if (data.nWrong == 0) continue;
        const auto [form, count] = MostCommon(data.mapWrongForms);
        arrWrong.push_back({fact, data.nWrong, int(data.arrTries.size()), form, count});
    }
    std::sort(arrWrong.begin(), arrWrong.end(), [](const asWRONGFACT& a, const asWRONGFACT& b) {
        return a.nWrong != b.nWrong ? a.nWrong > b.nWrong : a.strFact < b.strFact;
    });
    if (arrWrong.size() > MOST_WRONG_COUNT) arrWrong.resize(MOST_WRONG_COUNT);
    for (asWRONGFACT& wrong : arrWrong)
        wrong.nState = StateOfTries(mapFacts.at(wrong.strFact).arrTries, thresholdMs);
    return arrWrong;
}

// Red before yellow before green; then the smaller share right, then the slower.
std::vector<asWEAKFACT> Weakest(const std::unordered_map<std::string, asFACTDATA>& mapFacts,
                                int64_t thresholdMs) {
    std::vector<asWEAKFACT> arrWeak;
    for (const auto& [fact, data] : mapFacts) {
        if (!data.bBeyondGrid) continue;
        asWEAKFACT weak{fact, StateOfTries(data.arrTries, thresholdMs), int(data.arrTries.size())};
        std::vector<int64_t> arrTimes;
        for (const asFACTTRY& attempt : data.arrTries) {
            if (attempt.bByMagnifier) continue;
            weak.nRight += attempt.bRight;
            arrTimes.push_back(attempt.nElapsedMs);
        }
        weak.nMedianMs = Median(arrTimes);
        arrWeak.push_back(weak);
    }
    auto rank = [](FactState state) {
        return state == FactState::RED ? 0 : state == FactState::YELLOW ? 1 : 2;
    };
    std::sort(arrWeak.begin(), arrWeak.end(), [&](const asWEAKFACT& a, const asWEAKFACT& b) {
        if (rank(a.nState) != rank(b.nState)) return rank(a.nState) < rank(b.nState);
        // a.nRight / a.nTries < b.nRight / b.nTries, without division
        const int64_t shareA = int64_t(a.nRight) * b.nTries, shareB = int64_t(b.nRight) * a.nTries;
        if (shareA != shareB) return shareA < shareB;
        if (a.nMedianMs != b.nMedianMs) return a.nMedianMs > b.nMedianMs;
        return a.strFact < b.strFact;
    });
    if (arrWeak.size() > WEAKEST_COUNT) arrWeak.resize(WEAKEST_COUNT);
    return arrWeak;
}

// Missed, then slow, then spaced by the day due; within each, additions before subtractions and
// then by their numbers, as the grid reads.
std::vector<asINREVIEW> InReview(const CReviewBook& book) {
    std::vector<const asREVIEWENTRY*> arrEntries;
    for (const auto& [key, entry] : book.Entries())
        arrEntries.push_back(&entry);
    auto key = [](const asREVIEWENTRY* entry) {
        const asFACTREVIEW& review = entry->review;
        return std::tuple(int(review.nStage),
                          review.nStage == ReviewStage::SPACED ? review.nDueDay : 0,
                          entry->fact.cSign == '-', entry->fact.nLeft, entry->fact.nRight);
    };
    std::sort(arrEntries.begin(), arrEntries.end(),
              [&](const asREVIEWENTRY* a, const asREVIEWENTRY* b) { return key(a) < key(b); });
    std::vector<asINREVIEW> arrInReview;
    arrInReview.reserve(arrEntries.size());
    for (const asREVIEWENTRY* entry : arrEntries)
        arrInReview.push_back({entry->fact.Text(), entry->review.nStage, entry->review.nDueDay});
    return arrInReview;
}

// The facts whose colour turned green at a try of the review week, after a try on a review
// problem in that week: the colour as the grid would have drawn it right then.
std::vector<asREVIEWGREEN> ReviewGreen(const std::unordered_map<std::string, asFACTDATA>& mapFacts,
                                       int64_t thresholdMs) {
    std::vector<asREVIEWGREEN> arrGreen;
    for (const auto& [fact, data] : mapFacts) {
        const std::span<const asFACTTRY> tries(data.arrTries);
        bool bReviewed = false;
        std::optional<int> greenDay; // the latest time it turned green
        for (const asRECENTTRY& recent : data.arrRecent) {
            bReviewed |= recent.bReview;
            if (bReviewed &&
                StateOfTries(tries.first(recent.nTry + 1), thresholdMs) == FactState::GREEN &&
                StateOfTries(tries.first(recent.nTry), thresholdMs) != FactState::GREEN)
                greenDay = recent.nDay;
        }
        if (greenDay) arrGreen.push_back({fact, *greenDay});
    }
    std::sort(arrGreen.begin(), arrGreen.end(), [](const asREVIEWGREEN& a, const asREVIEWGREEN& b) {
        return std::tie(a.nDay, a.strFact) < std::tie(b.nDay, b.strFact);
    });
    return arrGreen;
}

// The summary's week of a day: 0 this week, 1 last week, -1 neither.
int WeekOf(int day, int today) {
    const int back = today - day;
    if (back < 0 || back >= 2 * SUMMARY_WEEK_DAYS) return -1;
    return back / SUMMARY_WEEK_DAYS;
}

// A first try of the summary's weeks, counted as arrKinds counts it.
void AddWeekTry(asCHILDDATA& child, const asHISTORYANSWER& answer, int day, int today) {
    const int week = WeekOf(day, today);
    if (!answer.bFirstTry || week < 0) return;
    asKINDDATA& tries = child.arrWeekTries[size_t(week)];
    ++tries.nProblems;
    if (answer.bByMagnifier) return;
    tries.nRight += answer.bRight;
    tries.arrTimes.push_back(answer.nElapsedMs);
}

// The settings keep a set's limit within this; a record edited beyond it is read as this.
constexpr int LARGEST_LIMIT = 100;

// The facts the played sets can ask, in the grid's order: how many, how many green, which turned
// green this week, and which to practise: red, then yellow, each the most often wrong first.
void PractisedFacts(asCHILDREPORT& report,
                    const std::unordered_map<std::string, asFACTDATA>& mapFacts,
                    int64_t thresholdMs) {
    int largest = 0;
    for (const asPLAYEDSET& set : report.arrPlayedSets)
        if (set.nKinds & (SET_ADDS | SET_SUBTRACTS)) largest = std::max(largest, set.nLimit);
    largest = std::min(largest, LARGEST_LIMIT);
    std::vector<std::pair<const asFACTDATA*, asSTATEDFACT>> arrWeak;
    auto visit = [&](const asREVIEWFACT& fact) {
        if (std::none_of(
                report.arrPlayedSets.begin(), report.arrPlayedSets.end(),
                [&](const asPLAYEDSET& set) { return SetAsks(set.nLimit, set.nKinds, fact); }))
            return;
        ++report.nPractisedFacts;
        const auto found = mapFacts.find(fact.Text());
        if (found == mapFacts.end()) return;
        const asFACTDATA& data = found->second;
        const std::span<const asFACTTRY> tries(data.arrTries);
        const FactState state = StateOfTries(tries, thresholdMs);
        if (state != FactState::GREEN) {
            if (state != FactState::GREY) arrWeak.push_back({&data, {found->first, state}});
            return;
        }
        ++report.nPractisedGreen;
        if (!data.arrRecent.empty() &&
            StateOfTries(tries.first(data.arrRecent.front().nTry), thresholdMs) != FactState::GREEN)
            report.arrNewGreen.push_back(found->first);
    };
    for (int a = 0; a <= largest; ++a)
        for (int b = 0; a + b <= largest; ++b)
            visit({a, '+', b});
    for (int a = 1; a <= largest; ++a)
        for (int b = 0; b <= a; ++b)
            visit({a, '-', b});
    std::stable_sort(arrWeak.begin(), arrWeak.end(), [](const auto& a, const auto& b) {
        return std::pair(a.second.nState, b.first->nWrong) <
               std::pair(b.second.nState, a.first->nWrong);
    });
    for (const auto& [data, fact] : arrWeak)
        report.arrToPractise.push_back(fact);
}

void Summarise(asCHILDREPORT& report, asCHILDDATA& data, int today, int64_t thresholdMs) {
    for (size_t week = 0; week < report.arrWeeks.size(); ++week) {
        asWEEKFIGURES& figures = report.arrWeeks[week];
        figures.nFirstDay = today + 1 - int(week + 1) * SUMMARY_WEEK_DAYS;
        figures.firstTries = Figures(data.arrWeekTries[week]);
    }
    for (const asPRACTICEDAY& day : report.arrDays) {
        const int week = WeekOf(day.nDay, today);
        if (week < 0) continue;
        asWEEKFIGURES& figures = report.arrWeeks[size_t(week)];
        ++figures.nDays;
        figures.nActiveMs += day.nActiveMs;
        figures.nAnswers += day.nAnswers;
    }
    report.arrPlayedSets.assign(data.setPlayed.begin(), data.setPlayed.end());
    PractisedFacts(report, data.mapFacts, thresholdMs);
}

// The latest tries of a fact as the child answered them; only these few are looked at again.
asFACTHISTORY HistoryOf(const asFACTDATA& data, const asHISTORY& history,
                        const asREPORTOPTIONS& options) {
    asFACTHISTORY result;
    const size_t tries = data.arrTries.size();
    const size_t first = tries > FACT_HISTORY_COUNT ? tries - FACT_HISTORY_COUNT : 0;
    result.nEarlier = int(first);
    std::vector<asFACTTIME> arrTimes(tries - first);
    std::vector<bool> arrSeen(tries - first);
    for (const auto& [index, attempt] : data.arrAnswers) {
        if (attempt < first) continue;
        const asHISTORYANSWER& answer = history.arrAnswers[index];
        asFACTTIME& time = arrTimes[attempt - first];
        if (!arrSeen[attempt - first]) {
            arrSeen[attempt - first] = true;
            time.nLocalMs = answer.nUtcMs + options.fnUtcOffsetMs(answer.nUtcMs);
            time.nElapsedMs = answer.nElapsedMs;
        }
        if (answer.bByMagnifier) continue;
        if (!time.strTyped.empty()) time.strTyped += ' ';
        time.strTyped += answer.strTyped;
    }
    for (size_t i = first; i < tries; ++i) {
        arrTimes[i - first].bRight = data.arrTries[i].bRight;
        arrTimes[i - first].bByMagnifier = data.arrTries[i].bByMagnifier;
    }
    result.arrTimes.assign(arrTimes.rbegin(), arrTimes.rend());
    return result;
}

asCHILDREPORT Finish(const std::string& name, asCHILDDATA& data, const std::string& source,
                     const asHISTORY& history, const asREPORTOPTIONS& options) {
    const int64_t thresholdMs = options.nThresholdMs;
    asCHILDREPORT report;
    report.bNameless = name.empty();
    report.strName = report.bNameless ? NamelessChild() : Utf8FromGbk(name);
    report.strSource = source;
    for (const auto& [day, practice] : data.mapDays)
        report.arrDays.push_back(practice);
    report.arrScores = std::move(data.arrScores);
    asKINDDATA all;
    for (int k = 0; k <= PROBLEM_KIND_COUNT; ++k) {
        asKINDDATA& kind = data.arrKinds[size_t(k)];
        all.nProblems += kind.nProblems;
        all.nRight += kind.nRight;
        all.arrTimes.insert(all.arrTimes.end(), kind.arrTimes.begin(), kind.arrTimes.end());
        if (k < PROBLEM_KIND_COUNT) report.arrKinds[size_t(k)] = Figures(kind);
    }
    report.overall = Figures(all);
    report.nAnswers = data.nAnswers;
    report.arrMostWrong = MostWrong(data.mapFacts, thresholdMs);
    report.arrGrid = GridCells();
    for (asGRIDCELL& cell : report.arrGrid) {
        const std::string fact =
            std::to_string(cell.nLeft) + cell.cSign + std::to_string(cell.nRight);
        const auto found = data.mapFacts.find(fact);
        if (found == data.mapFacts.end()) continue;
        cell.nState = StateOfTries(found->second.arrTries, thresholdMs);
        cell.nTries = int(found->second.arrTries.size());
        report.nGreen += cell.nState == FactState::GREEN;
    }
    report.bLargeSets = data.bLargeSets;
    if (data.bLargeSets) report.arrWeakest = Weakest(data.mapFacts, thresholdMs);
    if (data.bReviewed) {
        report.arrInReview = InReview(data.review);
        report.arrReviewGreen = ReviewGreen(data.mapFacts, thresholdMs);
    }
    Summarise(report, data, options.nToday, thresholdMs);
    for (const auto& [fact, factData] : data.mapFacts)
        report.mapHistories.emplace(fact, HistoryOf(factData, history, options));
    return report;
}

} // namespace

const char* NamelessChild() {
    return Tr("没有名字的小朋友");
}

bool IsChosenChild(const std::string& name, const asREPORTOPTIONS& options) {
    if (!options.strOnlyChild || name == *options.strOnlyChild) return true;
    // A child who was given the label as a name is chosen beside the nameless runs.
    static const std::string NAMELESS_GBK = GbkFromUtf8(NAMELESS_CHILD);
    static const std::string SHOWN_GBK = GbkFromUtf8(NamelessChild());
    return name.empty() &&
           (*options.strOnlyChild == NAMELESS_GBK || *options.strOnlyChild == SHOWN_GBK);
}

std::vector<asGRIDCELL> GridCells() {
    std::vector<asGRIDCELL> arrCells;
    for (int a = 0; a <= GRID_LIMIT; ++a)
        for (int b = a == 0 ? 1 : 0; a + b <= GRID_LIMIT; ++b)
            arrCells.push_back({a, '+', b});
    for (int a = 1; a <= GRID_LIMIT; ++a)
        for (int b = 0; b <= a; ++b)
            arrCells.push_back({a, '-', b});
    return arrCells;
}

int LocalDay(int64_t utcMs, const asREPORTOPTIONS& options) {
    return LocalDayOf(utcMs, options.fnUtcOffsetMs(utcMs));
}

std::vector<asCHILDREPORT> BuildChildReports(const asHISTORY& history, const std::string& source,
                                             const asREPORTOPTIONS& options) {
    std::map<std::string, asCHILDDATA> mapChildren;
    // Per run: its child and the moment of its latest event, for the active time.
    struct asRUNSTATE {
        asCHILDDATA* pChild = nullptr;
        int64_t nLastMs = 0;
    };
    std::unordered_map<int64_t, asRUNSTATE> mapRuns;
    // Where each problem on a page was asked: its fact's data and its try there.
    std::unordered_map<asPLACE, std::pair<asFACTDATA*, size_t>, asPLACEHASH> mapAsked;
    CParsedProblems parsed;
    const int firstReviewDay = options.nToday - (REVIEW_WEEK_DAYS - 1);
    for (const asRECORDEDRUN& run : history.arrRuns) {
        if (!IsChosenChild(run.strChild, options)) continue;
        asCHILDDATA& child = mapChildren[run.strChild];
        mapRuns[run.nRunId] = {&child, run.nStartedUtcMs};
        child.bLargeSets |= run.nSetLimit > GRID_LIMIT;
        child.bReviewed = !run.strChild.empty();
        child.setPlayed.insert({run.nSetLimit, uint32_t(run.nSetKinds)});
        if (run.nScore >= 0 && run.nEndedUtcMs >= 0)
            child.arrScores.push_back({run.nEndedUtcMs, LocalDay(run.nEndedUtcMs, options),
                                       run.nScore, run.nSetNumber, run.nSetLimit, run.nSetKinds});
    }
    for (size_t index = 0; index < history.arrAnswers.size(); ++index) {
        const asHISTORYANSWER& answer = history.arrAnswers[index];
        const auto found = mapRuns.find(answer.nRunKey);
        if (found == mapRuns.end()) continue;
        asCHILDDATA& child = *found->second.pChild;
        const int day = LocalDay(answer.nUtcMs, options);
        AddActive(child, day, found->second.nLastMs, answer.nUtcMs);
        found->second.nLastMs = std::max(found->second.nLastMs, answer.nUtcMs);
        if (!answer.bByMagnifier) {
            ++child.nAnswers;
            ++child.mapDays[day].nAnswers;
        }
        child.mapDays[day].nDay = day;
        AddWeekTry(child, answer, day, options.nToday);

        const asPROBLEMFACT& fact = parsed.Of(answer.strProblem, answer.strExpected);
        // The child's book as the game reads it from the same answers (ReviewBookOf).
        if (child.bReviewed) child.review.AddRecorded(answer, fact, day, options.nThresholdMs);
        if (answer.bFirstTry) {
            asKINDDATA& kind = child.arrKinds[size_t(fact.nKind)];
            ++kind.nProblems;
            if (!answer.bByMagnifier) {
                kind.nRight += answer.bRight;
                kind.arrTimes.push_back(answer.nElapsedMs);
            }
        }
        if (fact.nKind == ProblemKind::UNKNOWN) continue;
        asFACTDATA& data = child.mapFacts[fact.strFact];
        data.bBeyondGrid = fact.arrNumbers.size() == 2 && !IsGridFact(fact);
        // A retry belongs to the try its problem began; the magnifier spoils it.
        const asPLACE place{answer.nRunKey, answer.nPage, answer.nPosition};
        const auto asked = mapAsked.find(place);
        size_t attempt = 0;
        if (answer.bFirstTry || asked == mapAsked.end() || asked->second.first != &data) {
            data.arrTries.push_back(
                {answer.bRight && !answer.bByMagnifier, answer.bByMagnifier, answer.nElapsedMs});
            attempt = data.arrTries.size() - 1;
            if (day >= firstReviewDay && day <= options.nToday)
                data.arrRecent.push_back({attempt, day, answer.bReview});
            mapAsked[place] = {&data, attempt};
        } else {
            attempt = asked->second.second;
            data.arrTries[attempt].bByMagnifier |= answer.bByMagnifier;
        }
        data.arrAnswers.push_back({uint32_t(index), uint32_t(attempt)});
        // Wrong counts the times asked whose first answer was wrong; the forms count every
        // wrong answer, retries too.
        if (!answer.bRight && !answer.bByMagnifier) {
            data.nWrong += answer.bFirstTry;
            ++data.mapWrongForms[FillRecordedBlank(answer.strProblem, answer.strTyped)];
        }
    }
    // A run's end after its last answer is practice too.
    for (const asRECORDEDRUN& run : history.arrRuns) {
        const auto found = mapRuns.find(run.nRunId);
        if (found == mapRuns.end() || run.nEndedUtcMs < 0) continue;
        asCHILDDATA& child = *found->second.pChild;
        const int day = LocalDay(run.nEndedUtcMs, options);
        if (child.mapDays.contains(day))
            AddActive(child, day, found->second.nLastMs, run.nEndedUtcMs);
    }
    std::vector<asCHILDREPORT> arrReports;
    for (auto& [name, data] : mapChildren)
        arrReports.push_back(Finish(name, data, source, history, options));
    std::stable_sort(arrReports.begin(), arrReports.end(),
                     [](const asCHILDREPORT& a, const asCHILDREPORT& b) {
                         return std::tie(a.bNameless, a.strName) < std::tie(b.bNameless, b.strName);
                     });
    return arrReports;
}
