// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the report shows about one child, worked out from the answer record.
#pragma once

#include "facts/FactReview.h"
#include "facts/FactState.h"
#include "facts/ProblemFact.h"
#include "storage/HistoryReader.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

struct asREPORTOPTIONS {
    int64_t nThresholdMs = DEFAULT_THRESHOLD_MS;
    // The local clock's offset from UTC at a moment (ms), so that days are the family's days.
    std::function<int64_t(int64_t utcMs)> fnUtcOffsetMs = [](int64_t) { return int64_t(0); };
    // Only this child (GBK; empty or NAMELESS_CHILD: the runs without a child); none: every child.
    std::optional<std::string> strOnlyChild;
    int nToday = 0; // the local day the report is made: the last of the review's week
};

// How the page and the CSV name the runs played with no child chosen (recorded under the empty
// name), and how --child chooses them.
constexpr const char* NAMELESS_CHILD = "没有名字的小朋友";
// The label as the page and the CSV show it, in the family's language (--child takes both).
const char* NamelessChild();

// True when a run recorded under name (GBK) belongs to what options choose.
bool IsChosenChild(const std::string& name, const asREPORTOPTIONS& options);

// A gap longer than this between two answers of a run is a pause, not practice.
constexpr int64_t PAUSE_MS = 5 * 60 * 1000;

// One day with answers; nDay counts local days since 1970-01-01.
struct asPRACTICEDAY {
    int nDay = 0;
    int64_t nActiveMs = 0;
    int nAnswers = 0; // answers typed by the child (the magnifier's not counted)
};

struct asRUNSCORE {
    int64_t nEndedUtcMs = 0;
    int nDay = 0;
    int nScore = 0;
    int nSetNumber = 0;
    int nSetLimit = 0; // with the kinds: which problem set it was, whatever plank it sat on
    int nSetKinds = 0;
};

// Over the first tries of one kind: how many, how many right (not by the magnifier), and the
// median time of those the child answered (-1 when none).
struct asKINDFIGURES {
    int nProblems = 0;
    int nRight = 0;
    int64_t nMedianMs = -1;
};

struct asWRONGFACT {
    std::string strFact;
    int nWrong = 0;             // times asked and answered wrongly at first
    int nTries = 0;             // times asked
    std::string strCommonWrong; // the problem as the child most often answered it wrongly
    int nCommonWrong = 0;
    FactState nState = FactState::GREY; // as the grid colours it now
};

// A fact in the child's review book and when the game brings it back.
struct asINREVIEW {
    std::string strFact;
    ReviewStage nStage = ReviewStage::MISSED; // MISSED and SLOW: at the next practice
    int nDueDay = 0;                          // SPACED: the local day it is due
};

// A fact that turned green on nDay, in the review week, with a review problem behind it.
struct asREVIEWGREEN {
    std::string strFact;
    int nDay = 0;
};

struct asGRIDCELL {
    int nLeft = 0;
    char cSign = '+';
    int nRight = 0;
    FactState nState = FactState::GREY;
    int nTries = 0;
};

struct asWEAKFACT {
    std::string strFact;
    FactState nState = FactState::GREY;
    int nTries = 0;
    int nRight = 0;
    int64_t nMedianMs = -1;
};

// The summary's figures of one week: days with answers, active time, the child's own answers, and
// the first tries as arrKinds counts them.
struct asWEEKFIGURES {
    int nFirstDay = 0;
    int nDays = 0;
    int64_t nActiveMs = 0;
    int nAnswers = 0;
    asKINDFIGURES firstTries;
};

// A problem set the child played, as the record gives it: its limit and kinds' bits.
struct asPLAYEDSET {
    int nLimit = 0;
    uint32_t nKinds = 0;
    auto operator<=>(const asPLAYEDSET&) const = default;
};

struct asSTATEDFACT {
    std::string strFact;
    FactState nState = FactState::GREY;
};

// One time a fact was asked, as its history on the page lists it.
struct asFACTTIME {
    int64_t nLocalMs = 0;   // the first answer's moment on the family's clock
    std::string strTyped;   // the child's answers to it, in order, space-separated
    int64_t nElapsedMs = 0; // until the first answer
    bool bRight = false;    // right at the first answer, without the magnifier
    bool bByMagnifier = false;
};

// The latest FACT_HISTORY_COUNT times a fact was asked, newest first, and how many came before.
struct asFACTHISTORY {
    std::vector<asFACTTIME> arrTimes;
    int nEarlier = 0;
};

struct asCHILDREPORT {
    std::string strName; // UTF-8; NAMELESS_CHILD for the runs without a child
    bool bNameless = false;
    std::string strSource; // the history file it came from
    std::vector<asPRACTICEDAY> arrDays;
    std::vector<asRUNSCORE> arrScores;
    std::array<asKINDFIGURES, PROBLEM_KIND_COUNT> arrKinds{};
    asKINDFIGURES overall;
    int nAnswers = 0;
    std::vector<asWRONGFACT> arrMostWrong; // at most MOST_WRONG_COUNT
    std::vector<asGRIDCELL> arrGrid;       // GridCells() order
    int nGreen = 0;
    bool bLargeSets = false;            // some run had a limit above 20
    std::vector<asWEAKFACT> arrWeakest; // facts beyond 20, at most WEAKEST_COUNT
    // Review (none for the nameless, whom the game never reviews): missed, then slow, then
    // spaced by day; and what it brought to green in the REVIEW_WEEK_DAYS up to nToday.
    std::vector<asINREVIEW> arrInReview;
    std::vector<asREVIEWGREEN> arrReviewGreen;
    // The summary. This week: the SUMMARY_WEEK_DAYS up to nToday; last week: the same number of
    // days before. The practised facts: the single additions and subtractions that the sets
    // played can ask, in the grid's order.
    std::array<asWEEKFIGURES, 2> arrWeeks{}; // this week, last week
    std::vector<asPLAYEDSET> arrPlayedSets;  // by limit, then kinds
    int nPractisedFacts = 0;
    int nPractisedGreen = 0;
    std::vector<std::string> arrNewGreen;    // practised, green now, not at this week's start
    std::vector<asSTATEDFACT> arrToPractise; // practised and red, then practised and yellow
    // Every fact the child was asked, by its text ("7+8"), for the histories the page links to.
    std::unordered_map<std::string, asFACTHISTORY> mapHistories;
};

constexpr size_t MOST_WRONG_COUNT = 10;
constexpr int REVIEW_WEEK_DAYS = 7;
constexpr size_t WEAKEST_COUNT = 20;
// Rolling weeks, so that the two weeks compared are equally long on any day, and this week is
// the review's week.
constexpr int SUMMARY_WEEK_DAYS = REVIEW_WEEK_DAYS;
constexpr size_t FACT_HISTORY_COUNT = 20;

// Every cell of the grid, state grey: the additions a+b ≤ 20 (0+0 is never asked), row by row,
// then the subtractions a−b with 1 ≤ a ≤ 20.
std::vector<asGRIDCELL> GridCells();

// One report a child of the history (ordered by name, the nameless last), or only the chosen.
std::vector<asCHILDREPORT> BuildChildReports(const asHISTORY& history, const std::string& source,
                                             const asREPORTOPTIONS& options);

// Local days since 1970-01-01 of a UTC moment.
int LocalDay(int64_t utcMs, const asREPORTOPTIONS& options);
