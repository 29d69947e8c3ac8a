// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the window's thread hands to the answer record: a run's start, each marked answer and use
// of the magnifier, the end of a page or a run, a deleted child. Handing over never waits for the
// disk; a page's end only asks the writer to write without its usual delay.
#include "app/CSumoraWnd.h"

#include "exercise/ProblemGenerator.h"
#include "users/UserData.h"

#include <algorithm>

namespace {

// A deletion is on disk (in the record, or in its waiting file while another program holds the
// record) before the data file's save that follows it, so that a new child given the same name
// never finds the old answers; a record that cannot take it at all does not hold the parent up
// beyond one try.
constexpr unsigned FORGET_WAIT_MS = 2000;

} // namespace

void CSumoraWnd::MarkAnswer(bool byMagnifier) {
    const uint32_t now = m_host.GetTickCount();
    const int position = m_Run.m_nCurrent;
    const bool firstTry = m_Run.m_bCleanTry != 0;
    const bool marked = !m_Run.PageFinished() &&
                        (byMagnifier ? m_Run.m_bHintAvailable != 0 : !m_Run.m_strInput.empty());
    const bool recorded = marked && m_RunRecord.bRecording && m_pHistory;
    std::string typed = recorded && !byMagnifier ? m_Run.m_strInput : std::string();
    if (byMagnifier)
        m_Run.RevealAnswer(now);
    else
        m_Run.SubmitAnswer(now);
    if (!recorded) return;

    asHISTORYANSWER answer;
    answer.nRunKey = m_RunRecord.nRunKey;
    answer.nPage = m_RunRecord.nPage;
    answer.nPosition = position;
    answer.nUtcMs = m_fnUtcNow();
    answer.strProblem = ProblemAsRecorded(m_Run.m_arrProblems[size_t(position)]);
    answer.strExpected = m_Run.m_arrAnswers[size_t(position)];
    answer.strTyped = byMagnifier ? answer.strExpected : std::move(typed);
    answer.bRight = m_Run.m_nCurrent > position;
    answer.bFirstTry = firstTry;
    answer.bByMagnifier = byMagnifier;
    answer.nElapsedMs = uint32_t(now - m_RunRecord.dwProblemTick); // the tick count wraps
    answer.bReview =
        size_t(position) < m_Run.m_arrReview.size() && m_Run.m_arrReview[size_t(position)];
    if (answer.bRight) m_RunRecord.dwProblemTick = now;
    NoteForReview(answer);
    m_pHistory->Hand(std::move(answer));
    if (m_Run.PageFinished()) m_pHistory->CommitSoon();
}

// After the page clock started: the first problem is current from then on.
void CSumoraWnd::RecordRunStart() {
    const asUSERINFO* user = CurrentUser();
    // A run without a child is recorded under no name (the data file keeps nothing of it): the
    // report shows it as a child of its own.
    m_RunRecord.bRecording = m_pHistory != nullptr;
    if (!m_RunRecord.bRecording) return;
    ++m_RunRecord.nRunKey;
    m_RunRecord.nPage = 1;
    m_RunRecord.dwProblemTick = m_Run.m_dwStartTick;
    const ExerciseSet& set = g_ExerciseSets[m_nSelectedSet];
    m_pHistory->Hand(asHISTORYRUN{m_RunRecord.nRunKey, user ? user->strName : std::string(),
                                  m_Run.m_nRunItem, set.nOperations, set.nRange, m_fnUtcNow()});
}

void CSumoraWnd::RecordNewPage() {
    if (!m_RunRecord.bRecording) return;
    m_pHistory->CommitSoon(); // the page left unfinished ends here
    ++m_RunRecord.nPage;
    m_RunRecord.dwProblemTick = m_Run.m_dwStartTick;
}

// withResult: the run ended with its certificate (and its score went to the chart, for a child).
void CSumoraWnd::RecordRunEnd(bool withResult) {
    if (!m_RunRecord.bRecording) return;
    m_RunRecord.bRecording = false;
    if (withResult)
        m_pHistory->Hand(asHISTORYRUNEND{m_RunRecord.nRunKey, m_fnUtcNow(), m_Run.Score(),
                                         m_Run.m_nTotalDone, m_Run.m_nTotalFirstTry});
    m_pHistory->CommitSoon();
}

void CSumoraWnd::DeleteChildAt(int x, int y) {
    std::vector<std::string> before;
    for (const asUSERINFO& user : g_arrUsers)
        before.push_back(user.strName);
    DeleteUserAt(x, y);
    if (!m_pHistory) return;
    bool forgot = false;
    for (const std::string& name : before) {
        const bool kept = std::any_of(g_arrUsers.begin(), g_arrUsers.end(),
                                      [&](const asUSERINFO& user) { return user.strName == name; });
        if (kept) continue;
        m_pHistory->Hand(asHISTORYFORGET{name, m_fnUtcNow()});
        if (m_pReview) m_pReview->ForgetChild(name);
        forgot = true;
    }
    if (forgot) m_pHistory->CommitAndWait(FORGET_WAIT_MS);
}
