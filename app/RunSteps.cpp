// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The steps of a run that need the window: the slide that starts it, the fade of a new page, and
// the score recorded at its end. The run itself is the model in exercise/.
#include "app/CSumoraWnd.h"

#include "sound/Sounds.h"
#include "users/UserData.h"

bool CSumoraWnd::StartRun(int code) {
    if (m_nSelectedSet < 0 || m_nSelectedSet >= EXERCISE_SET_COUNT) return false;
    if (m_pReview) m_pReview->BeginRun();
    if (!m_Run.Start(code, g_ExerciseSets[m_nSelectedSet], m_fnRand, DueFactsFor(1))) return false;
    PlaySound(SOUND_PAGE); // with the transition's first frame
    SlideInExerciseScreen();
    ShowCartoons();
    m_Run.StartClock(m_host.GetTickCount());
    RecordRunStart();
    return true;
}

void CSumoraWnd::StartNewPage() {
    m_Run.StartNewPage(g_ExerciseSets[m_nSelectedSet], m_fnRand,
                       DueFactsFor(m_RunRecord.nPage + 1));
    PlaySound(SOUND_PAGE);
    FadeInNewPage();
    RedrawWindow();
    m_Run.StartClock(m_host.GetTickCount());
    RecordNewPage();
}

bool CSumoraWnd::FinishRun() {
    HideCartoons();
    asUSERINFO* user = m_Run.HasAnswers() ? CurrentUser() : nullptr;
    if (user) AppendScore(*user, m_Run.Score());
    // The certificate's score, with or without a child to chart it for.
    RecordRunEnd(m_Run.HasAnswers());
    return m_Run.HasAnswers();
}

// The certificate shows the run, but the Home key adds nothing to the history.
bool CSumoraWnd::LeaveRun() {
    HideCartoons();
    RecordRunEnd(false);
    return m_Run.HasAnswers();
}

void CSumoraWnd::SlideInExerciseScreen() {
    if (!m_hBitmap || !m_host.IsShown()) return; // a minimized window plays no transition
    CImageLayer to;
    if (!to.CreateSurface(CLIENT_WIDTH, CLIENT_HEIGHT)) return;
    PaintExercise(to);
    if (m_bMuted) PaintSoundSign(to); // the corner keeps saying the sound is off
    m_bSurfaceCurrent = false;        // its frames show no butterflies and no hand
    SlideIn(m_host, *this, to, m_fnRand() % SLIDE_DIRECTIONS, m_TransitionPace);
}

void CSumoraWnd::FadeInNewPage() {
    if (!m_hBitmap || !m_host.IsShown()) return;
    CImageLayer withPage;
    if (!withPage.CreateSurface(CLIENT_WIDTH, CLIENT_HEIGHT)) return;
    PaintExercise(withPage);
    if (m_bMuted) PaintSoundSign(withPage);
    m_bSurfaceCurrent = false;
    FadeInPage(m_host, *this, withPage, m_TransitionPace);
}
