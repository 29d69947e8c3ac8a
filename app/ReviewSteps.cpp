// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window's side of review: whose facts come back, the due facts for a new page, and each
// first answer told to the current child's book. Nothing here waits for the disk.
#include "app/CSumoraWnd.h"

#include "platform/Clock.h"
#include "users/UserData.h"

int CSumoraWnd::ReviewDay() const {
    const int64_t now = m_fnUtcNow();
    return LocalDayOf(now, LocalOffsetMs(now));
}

void CSumoraWnd::SyncReviewChild() {
    if (!m_pReview) return;
    const asUSERINFO* user = CurrentUser();
    if (!user) {
        m_pReview->ChooseChild(std::nullopt);
        return;
    }
    if (m_pReview->Child() == user->strName) return;
    asREVIEWREAD read;
    read.strChild = user->strName;
    read.fnUtcOffsetMs = LocalOffsetMs;
    read.nBeforeUtcMs = m_fnUtcNow(); // this session's runs from now on reach the book directly
    m_pReview->ChooseChild(read);
}

DueFactsFn CSumoraWnd::DueFactsFor(int page) {
    if (!m_pReview) return {};
    return [this, page, day = ReviewDay()](size_t nMax, const auto& fnWanted) {
        return m_pReview->Due(page, day, nMax, fnWanted);
    };
}

void CSumoraWnd::NoteForReview(const asHISTORYANSWER& answer) {
    if (!m_pReview || !answer.bFirstTry) return;
    asREVIEWFACT fact;
    if (!ReviewFactOf(ParseProblem(answer.strProblem, answer.strExpected), fact)) return;
    const Verdict verdict =
        VerdictOf(answer.bRight, answer.bByMagnifier, answer.nElapsedMs, DEFAULT_THRESHOLD_MS);
    m_pReview->Add(fact, verdict, answer.nPage,
                   LocalDayOf(answer.nUtcMs, LocalOffsetMs(answer.nUtcMs)), answer.nUtcMs);
}
