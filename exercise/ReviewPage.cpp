// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Due facts put on a drawn page.
#include "exercise/ReviewPage.h"

#include "exercise/ProblemGenerator.h"
#include "facts/ProblemSet.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int MAX_REVIEW_SLOTS = 3;

// The fact each problem of the page asks, when review could bring it back.
std::vector<std::optional<asREVIEWFACT>> FactsOnPage(const std::vector<std::string>& arrProblems,
                                                     const std::vector<std::string>& arrAnswers) {
    std::vector<std::optional<asREVIEWFACT>> arrFacts;
    for (size_t i = 0; i < arrProblems.size(); ++i) {
        asREVIEWFACT fact;
        if (ReviewFactOf(ParseProblem(ProblemAsRecorded(arrProblems[i]), arrAnswers[i]), fact))
            arrFacts.emplace_back(fact);
        else
            arrFacts.emplace_back();
    }
    return arrFacts;
}

// The free place nearest to target, or -1.
int NearestFree(const std::vector<bool>& arrTaken, int target) {
    const int count = int(arrTaken.size());
    for (int distance = 0; distance < count; ++distance)
        for (const int place : {target - distance, target + distance})
            if (place >= 0 && place < count && !arrTaken[size_t(place)]) return place;
    return -1;
}

} // namespace

int ReviewSlots(int pageSize) {
    return std::min(MAX_REVIEW_SLOTS, pageSize / REVIEW_SHARE_DIVISOR);
}

bool SetCanAsk(const ExerciseSet& set, const asREVIEWFACT& fact) {
    static_assert(OP_ADD == SET_ADDS && OP_SUBTRACT == SET_SUBTRACTS);
    return SetAsks(std::clamp(static_cast<int>(set.nRange), RANGE_MIN, RANGE_MAX), set.nOperations,
                   fact);
}

std::vector<bool> PlaceReviewProblems(std::vector<std::string>& arrProblems,
                                      std::vector<std::string>& arrAnswers, const ExerciseSet& set,
                                      const DueFactsFn& fnDue, const std::function<int()>& fnRand) {
    const int count = int(arrProblems.size());
    std::vector<bool> arrReview(size_t(count), false);
    const int slots = ReviewSlots(count);
    if (!fnDue || slots == 0) return arrReview;
    const auto arrOnPage = FactsOnPage(arrProblems, arrAnswers);
    auto onPage = [&](const asREVIEWFACT& fact) {
        return std::find(arrOnPage.begin(), arrOnPage.end(), fact) != arrOnPage.end();
    };
    // Enough due facts that, after those the page already asks, the slots can still be filled.
    const auto arrDue = fnDue(size_t(slots + count),
                              [&](const asREVIEWFACT& fact) { return SetCanAsk(set, fact); });
    std::vector<bool> arrTaken(size_t(count), false);
    std::vector<asREVIEWFACT> arrPut;
    for (const asREVIEWFACT& fact : arrDue) {
        if (!onPage(fact)) {
            if (int(arrPut.size()) < slots) arrPut.push_back(fact);
            continue;
        }
        // Asked on the page already: it is reviewed where it stands.
        for (int i = 0; i < count; ++i)
            if (arrOnPage[size_t(i)] == fact) arrTaken[size_t(i)] = true;
    }
    const bool bBlanks = (set.nOperations & OP_FILL_BLANK) != 0;
    const int put = int(arrPut.size());
    for (int k = 0; k < put; ++k) {
        const int place = NearestFree(arrTaken, (2 * k + 1) * count / (2 * put));
        if (place < 0) break;
        const asREVIEWFACT& fact = arrPut[size_t(k)];
        const int nBlank = bBlanks ? fnRand() % 3 : 2;
        arrProblems[size_t(place)] = TwoNumberProblem(fact.nLeft, fact.cSign, fact.nRight, nBlank,
                                                      arrAnswers[size_t(place)]);
        arrTaken[size_t(place)] = true;
        arrReview[size_t(place)] = true;
    }
    return arrReview;
}
