// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Which sound an input plays, told from what it changed in the run: the keypad's tap, the right
// and wrong answers, the magnifier and the certificate (the new page's sound starts with its
// transition, app/RunSteps.cpp). And M, the mute switch, with its speaker signs.
#include "app/CSumoraWnd.h"

#include "app/SoundCues.h"
#include "sound/Sounds.h"

void CSumoraWnd::PlaySound(int id) {
    if (m_pSound && !m_bMuted) m_pSound->Play(id);
}

void CSumoraWnd::ToggleMute() {
    m_bMuted = !m_bMuted;
    if (m_fnOnMuteChanged) m_fnOnMuteChanged(m_bMuted);
    m_bMuteSignShown = true;
    m_host.SetTimer(TIMER_MUTE_SIGN, MUTE_SIGN_MS); // a second M shows it 2 s from then
    RepaintChanged(MUTE_SIGN_RECT);
}

void CSumoraWnd::PaintSoundSign(CImageLayer& target) const {
    if (m_bMuteSignShown)
        target.DrawBitmapKeyed(MUTE_SIGN_X, MUTE_SIGN_Y,
                               uint16_t(m_bMuted ? SOUND_OFF_PICTURE : SOUND_ON_PICTURE));
    else if (m_bMuted)
        target.DrawBitmapKeyed(MUTED_SIGN_RECT.left, MUTED_SIGN_RECT.top, SOUND_OFF_SMALL_PICTURE);
}

CSumoraWnd::asCUESCENE CSumoraWnd::CueScene() const {
    return {ScreenOf(m_nScreenState), m_Run.m_nTotalDone, m_Run.m_nHintIndex, m_Run.PageFinished(),
            m_Run.m_strInput};
}

int CSumoraWnd::CueOf(const asCUESCENE& before, bool submitted) const {
    const asCUESCENE now = CueScene();
    if (now.nScreen == SCREEN_CERTIFICATE && before.nScreen != SCREEN_CERTIFICATE)
        return SOUND_CERTIFICATE;
    if (now.nScreen != SCREEN_EXERCISE || before.nScreen != SCREEN_EXERCISE) return -1;
    if (now.nHintIndex != before.nHintIndex) return SOUND_MAGNIFIER;
    if (now.nTotalDone > before.nTotalDone) return SOUND_RIGHT;
    // Something typed on an unfinished page that did not count was marked wrong.
    if (submitted) return before.strInput.empty() || before.bPageFinished ? -1 : SOUND_WRONG;
    // A digit added, one erased or the input cleared; a key that changed nothing is silent.
    if (now.strInput != before.strInput) return SOUND_KEY;
    return -1;
}
