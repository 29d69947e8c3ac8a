// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The exercise run as a model: the page of problems, what is typed, the marks, the hint, the page
// clock and the run's counters. It draws with the random source and reads the ticks it is given,
// and tells the caller what happened; it knows nothing of windows or screens.
#pragma once

#include "exercise/ExerciseSet.h"
#include "exercise/ReviewPage.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

constexpr int DecimalDigits(int n) {
    return n < 10 ? 1 : 1 + DecimalDigits(n / 10);
}
// No answer is above its set's limit (sums, differences and blanks all stay within it), so none
// is longer than RANGE_MAX. A typed answer may run a few digits past that, so that a slip is seen
// and marked, and stops there: a held key cannot push the problem line off the page.
constexpr int MAX_INPUT_DIGITS = DecimalDigits(RANGE_MAX) + 3;

class CExerciseRun {
public:
    // A new run of problem set set, chosen on plank item: the first page is drawn and every
    // counter starts afresh. False, and nothing changed, when the set yields no problems. A page
    // is drawn as without review, then fnDue's facts (if any) take some of its places.
    bool Start(int item, const ExerciseSet& set, const std::function<int()>& fnRand,
               const DueFactsFn& fnDue = {});
    // A new page of the same set: what was left of the old one counts nowhere; the totals stay.
    void StartNewPage(const ExerciseSet& set, const std::function<int()>& fnRand,
                      const DueFactsFn& fnDue = {});
    // The page's clock starts (once the page is on screen).
    void StartClock(uint32_t tick);

    // A digit typed at the end of the answer, up to MAX_INPUT_DIGITS.
    void AppendDigit(int digit);
    void EraseLastDigit();
    void ClearInput();
    // Marks the typed answer at tick now; a right one moves on to the next problem.
    void SubmitAnswer(uint32_t now);
    // Puts the answer in and submits it: once per page.
    void RevealAnswer(uint32_t now);

    bool PageFinished() const { return m_nCurrent >= int(m_arrProblems.size()); }
    bool HasAnswers() const { return m_nTotalDone > 0; }
    // Percentage of the answers right at the first try, rounded down.
    int Score() const;

    int m_nRunItem = -1; // the plank the run was started from
    std::vector<std::string> m_arrProblems;
    std::vector<std::string> m_arrAnswers;
    std::vector<bool> m_arrReview; // true where a review problem stands
    std::string m_strInput;
    int m_nCurrent = 0;
    int m_bWrongShown = 0;
    int m_bCleanTry = 1;
    int m_nPageFirstTry = 0;
    int m_bHintAvailable = 1;
    int m_nHintIndex = -1;
    uint32_t m_dwStartTick = 0;
    uint32_t m_dwEndTick = 0; // non-zero once the page is finished
    int m_nTotalDone = 0;
    int m_nTotalFirstTry = 0;

private:
    void ResetPage();
};
