// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The exercise run: answer entry, marking, the hint, new pages and the score.
#include "exercise/ExerciseRun.h"

#include "exercise/ProblemGenerator.h"

namespace {

// A finished page is told by a non-zero end tick, so a tick that happens to read 0 (the
// 32-bit count wraps every 49.7 days) is taken as 1.
uint32_t NonZeroTick(uint32_t dwTick) {
    return dwTick == 0 ? 1 : dwTick;
}

} // namespace

void CExerciseRun::ResetPage() {
    m_strInput.clear();
    m_bWrongShown = 0;
    m_nCurrent = 0;
    m_nPageFirstTry = 0;
    m_bCleanTry = 1;
    m_bHintAvailable = 1;
    m_nHintIndex = -1;
    m_dwEndTick = 0;
}

bool CExerciseRun::Start(int item, const ExerciseSet& set, const std::function<int()>& fnRand,
                         const DueFactsFn& fnDue) {
    // The page is drawn first: a set with no kind of problem starts no run.
    std::vector<std::string> arrProblems;
    std::vector<std::string> arrAnswers;
    if (GenerateProblems(arrProblems, arrAnswers, set, fnRand) == 0) return false;
    ResetPage();
    m_nRunItem = item;
    m_nTotalDone = 0;
    m_nTotalFirstTry = 0;
    m_arrProblems = std::move(arrProblems);
    m_arrAnswers = std::move(arrAnswers);
    m_arrReview = PlaceReviewProblems(m_arrProblems, m_arrAnswers, set, fnDue, fnRand);
    return true;
}

void CExerciseRun::StartNewPage(const ExerciseSet& set, const std::function<int()>& fnRand,
                                const DueFactsFn& fnDue) {
    ResetPage();
    GenerateProblems(m_arrProblems, m_arrAnswers, set, fnRand);
    m_arrReview = PlaceReviewProblems(m_arrProblems, m_arrAnswers, set, fnDue, fnRand);
}

void CExerciseRun::StartClock(uint32_t tick) {
    m_dwStartTick = tick;
    m_dwEndTick = 0;
}

void CExerciseRun::AppendDigit(int digit) {
    if (digit < 0 || digit > 9 || PageFinished() || int(m_strInput.size()) >= MAX_INPUT_DIGITS)
        return;
    // A wrong mark stays while digits are added.
    m_strInput += static_cast<char>('0' + digit);
}

void CExerciseRun::EraseLastDigit() {
    if (m_strInput.empty()) return;
    m_strInput.pop_back();
    m_bWrongShown = 0;
}

void CExerciseRun::ClearInput() {
    m_strInput.clear();
    m_bWrongShown = 0;
}

void CExerciseRun::SubmitAnswer(uint32_t now) {
    if (m_strInput.empty() || PageFinished()) return;
    m_bWrongShown = 1;
    // Both hold digits only, so the text comparison is exact: "03" is not "3".
    if (m_strInput != m_arrAnswers[size_t(m_nCurrent)]) {
        m_bCleanTry = 0; // the typed answer stays, marked wrong
        return;
    }
    ++m_nTotalDone;
    m_strInput.clear();
    ++m_nCurrent;
    if (m_bCleanTry) {
        ++m_nPageFirstTry;
        ++m_nTotalFirstTry;
    }
    m_bCleanTry = 1;
    m_bWrongShown = 0;
    if (PageFinished()) m_dwEndTick = NonZeroTick(now);
}

void CExerciseRun::RevealAnswer(uint32_t now) {
    if (!m_bHintAvailable || PageFinished()) return;
    m_bHintAvailable = 0;
    m_strInput = m_arrAnswers[size_t(m_nCurrent)];
    m_nHintIndex = m_nCurrent;
    // Right by construction; it counts at the first try only when no wrong answer came before.
    SubmitAnswer(now);
}

int CExerciseRun::Score() const {
    if (m_nTotalDone < 1) return 0;
    // Divided before the multiplication: 29 of 100 gives 28.
    return static_cast<int>(static_cast<double>(m_nTotalFirstTry) / m_nTotalDone * 100.0);
}
