// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Input routing: the hit test of every screen, pointer tracking, and the mouse, key, character
// and timer handlers. Every handler ends with a repaint; a pointer move composes only what changed.
#include "app/CSumoraWnd.h"

#include "app/SoundCues.h"
#include "exercise/ExerciseLayout.h"
#include "users/UserData.h"
#include "users/UserLayout.h"

namespace {

bool InClient(int x, int y) {
    return x >= 0 && x < CLIENT_WIDTH && y >= 0 && y < CLIENT_HEIGHT;
}

// Keys that choose or go back: held down, they act once. A held Enter would otherwise run on
// through the screens it opens (deleting, opening a panel, starting a set).
bool ChoosesOncePerPress(unsigned key) {
    return key == VK_RETURN || key == VK_SPACE || key == VK_ESCAPE ||
           (key >= VK_0 && key <= VK_0 + 9) || (key >= VK_NUMPAD0 && key <= VK_NUMPAD0 + 9);
}

} // namespace

int CSumoraWnd::HitTest(int x, int y) {
    switch (ScreenOf(m_nScreenState)) {
    case SCREEN_TITLE: {
        const int result = TitleHitTest(m_TitleItems, x, y, m_nSelectedSet);
        RedrawWindow();
        return result;
    }
    case SCREEN_EXERCISE:
        for (int i = 0; i < EXERCISE_CONTROLS; ++i)
            if (PtInRect(g_rcExerciseControls[size_t(i)], x, y)) return HIT_KEYPAD_FIRST + i;
        if (m_Run.m_bHintAvailable == 1 && PtInRect(g_rcHint, x, y)) return HIT_HINT;
        return HIT_NOTHING;
    case SCREEN_CERTIFICATE:
        return HIT_FINISH;
    default:
        break;
    }
    switch (m_nScreenState) {
    case SCREEN_USERS:
        if (PtInRect(m_UserScreen.m_rcPanel, x, y)) return HIT_PANEL_OR_ROW;
        for (int i = 0; i < int(g_rcUserButtons.size()); ++i)
            if (PtInRect(g_rcUserButtons[size_t(i)], x, y)) return HIT_NEW_USER + i;
        if (PtInRect(g_rcChangeUser, x, y)) return HIT_CHANGE_USER;
        return HIT_FINISH;
    case SCREEN_USERS_SCORES:
        return PtInRect(g_rcUserButtons[2], x, y) ? HIT_VIEW_SCORES : HIT_NOTHING;
    case SCREEN_USERS_NEWNAME:
        if (PtInRect(g_rcNameOk, x, y)) return HIT_NAME_OK;
        if (PtInRect(g_rcNameCancel, x, y)) return HIT_NAME_CANCEL;
        return HIT_NOTHING;
    case SCREEN_USERS_CHOOSE:
        return PtInRect(g_rcChangeUser, x, y) ? HIT_CHANGE_USER : HIT_PANEL_OR_ROW;
    case SCREEN_USERS_DELETE:
        return PtInRect(g_rcUserButtons[1], x, y) ? HIT_DELETE_USER : HIT_PANEL_OR_ROW;
    default:
        return HIT_NOTHING;
    }
}

// Inside the client area the window holds the capture and hides the system pointer (the hand
// picture is the pointer); outside it lets both go. Each change is made once, so the pointer's
// show count stays balanced however the moves arrive.
void CSumoraWnd::TrackPointer(int x, int y) {
    if (InClient(x, y)) {
        if (!m_bCaptured) m_host.SetCapture();
        m_bCaptured = true;
        if (!m_bPointerHidden) m_host.ShowSystemPointer(false);
        m_bPointerHidden = true;
    } else {
        if (m_bCaptured) m_host.ReleaseCapture();
        m_bCaptured = false;
        if (m_bPointerHidden) m_host.ShowSystemPointer(true);
        m_bPointerHidden = false;
    }
}

// The settings panel opens under the row the hand is on and closes when it is on neither a row
// nor the panel.
void CSumoraWnd::FollowHand() {
    if (m_nScreenState == SCREEN_USERS) m_UserScreen.PlacePanel(m_nHandX, m_nHandY);
}

void CSumoraWnd::PlaceHand(int x, int y) {
    const bool in = InClient(x, y);
    m_nHandX = in ? x : NO_HAND;
    m_nHandY = in ? y : NO_HAND;
}

void CSumoraWnd::StopArrowTimers() {
    for (int id :
         {TIMER_INCREASE_REPEAT, TIMER_DECREASE_REPEAT, TIMER_INCREASE_DELAY, TIMER_DECREASE_DELAY})
        m_host.KillTimer(id);
}

void CSumoraWnd::OnMouseMove(int x, int y, unsigned keyFlags) {
    if (m_bDestroyed) return;
    const asSCENEKEY before = SceneKey();
    const Rect handBefore = HandBox();
    // An arrow held while the panel goes must not go on stepping a set the next row opens.
    if (m_nScreenState == SCREEN_USERS && m_UserScreen.TrackPanel(x, y)) StopArrowTimers();
    TrackPointer(x, y);
    PlaceHand(x, y);
    // The title's hit test repaints, and this handler repaints again once the hand has moved:
    // only the second frame is ever seen, so the first is not composed.
    m_bHoldRedraw = true;
    HitTest(m_nHandX, m_nHandY);
    m_bHoldRedraw = false;
    m_nHandBitmap = (keyFlags & MK_LBUTTON) ? HAND_PRESSED_PICTURE : HAND_RELEASED_PICTURE;
    // A panel the keys opened stays when the pointer leaves the window; one the hand opened goes.
    SyncFocus();
    if (m_nHandX != NO_HAND || !ShownFocus()) FollowHand();
    SyncFocus();
    // The keys keep the focus while the pointer is away.
    if (m_nHandX != NO_HAND) m_KeyFocus.Point(FocusControls(), m_nHandX, m_nHandY);
    LiftFocusedPlank();
    // Mostly only the hand moved: its old and new boxes are all that is composed and shown.
    const Rect scene = ChangedBetween(before, SceneKey());
    RepaintChanged(UnionRect(scene, UnionRect(handBefore, HandBox())));
}

void CSumoraWnd::OnMouseLeave() {
    OnMouseMove(NO_HAND, NO_HAND, 0);
}

void CSumoraWnd::OnLButtonDown(int x, int y) {
    if (m_bDestroyed) return;
    // The press opens the device, so the release's sound is on time; a pointer merely passing
    // over the window (or under it as it opens) does not.
    if (m_pSound) m_pSound->Prepare();
    PlaceHand(x, y);
    m_nHandBitmap = HAND_PRESSED_PICTURE;
    FollowHand();
    SyncFocus();
    m_KeyFocus.Point(FocusControls(), m_nHandX, m_nHandY); // as a move there would
    RedrawWindow();
    const int code = HitTest(x, y);
    if (code == HIT_NOTHING) {
        // A free spot: the press moves the window; the drag takes the capture with it.
        m_bCaptured = false;
        m_host.BeginDrag(x, y);
        return;
    }
    if (m_nScreenState != SCREEN_USERS) return;
    if (const int step = m_UserScreen.ArrowAt(x, y))
        m_host.SetTimer(step < 0 ? TIMER_DECREASE_DELAY : TIMER_INCREASE_DELAY, ARROW_DELAY_MS);
}

void CSumoraWnd::OnLButtonUp(int x, int y) {
    if (m_bDestroyed) return;
    PlaceHand(x, y);
    m_nHandBitmap = HAND_RELEASED_PICTURE;
    StopArrowTimers();
    const int code = HitTest(x, y);
    const asCUESCENE before = CueScene();
    const bool painted = !ApplyRelease(code, x, y);
    // A screen entered anew has its focus where it rests, whatever it was at the last visit.
    SyncFocus();
    if (painted) return KeepResults();
    if (const int sound = CueOf(before, code == HIT_KEYPAD_ENTER); sound >= 0) PlaySound(sound);
    FollowHand();
    RedrawWindow();
    KeepResults();
}

void CSumoraWnd::OnKeyDown(unsigned vk) {
    if (m_bDestroyed) return;
    if (m_pSound) m_pSound->Prepare();
    const bool repeated = (vk & VK_REPEATED) != 0;
    vk &= ~VK_REPEATED;
    // While a name is typed, M is a letter (it comes as a character too).
    if (vk == VK_M && m_nScreenState != SCREEN_USERS_NEWNAME) {
        if (!repeated) ToggleMute();
        return;
    }
    const unsigned key = vk & VK_CODE_MASK;
    // The exercise page keeps the keyboard's repeats: a held digit types on, a held Enter checks.
    if (repeated && ScreenOf(m_nScreenState) != SCREEN_EXERCISE && ChoosesOncePerPress(key)) return;
    if (m_nScreenState == SCREEN_USERS && (key == VK_LEFT || key == VK_RIGHT)) {
        // A held Left or Right repeats on the panel's timers, as a held arrow does, and is
        // written once, at its release; the keyboard's own repeats are not the game's.
        if (m_nHeldArrowKey == key) return;
        m_nHeldArrowKey = key;
        if (IsPanelOpen()) {
            const int step = key == VK_LEFT ? -1 : +1;
            StopArrowTimers();
            m_UserScreen.StepPanelRange(step);
            m_host.SetTimer(step < 0 ? TIMER_DECREASE_DELAY : TIMER_INCREASE_DELAY, ARROW_DELAY_MS);
            return RedrawWindow();
        }
    }
    const asCUESCENE before = CueScene();
    const uint32_t screen = m_nScreenState;
    if (ApplyKey(vk)) {
        SyncFocus();
        // A screen the keys led to, with no pointer in the window to light anything, shows at
        // once where the next key acts.
        if (m_nScreenState != screen && m_nHandX == NO_HAND) m_KeyFocus.ShowAt(m_KeyFocus.m_nIndex);
        LiftFocusedPlank();
        if (const int sound = CueOf(before, vk == VK_RETURN); sound >= 0) PlaySound(sound);
        RedrawWindow();
    }
    SyncFocus();
    KeepResults();
}

void CSumoraWnd::OnKeyUp(unsigned vk) {
    if (m_bDestroyed || vk != m_nHeldArrowKey) return;
    m_nHeldArrowKey = 0;
    StopArrowTimers();
    KeepResults();
}

// Results are written as they are made (a finished run, a user added, deleted or chosen, a set
// changed), after the frame that shows them, so that a lost session loses nothing. A held arrow
// steps on timers and is written once, at its release. The title tells a parent whether results
// are kept: a save that changes that is shown at once.
void CSumoraWnd::KeepResults() {
    const bool keptBefore = DataFileProblem().empty();
    SaveUserDataIfChanged();
    if (DataFileProblem().empty() != keptBefore) RedrawWindow();
    SyncReviewChild(); // a child chosen, added or deleted: their book is read meanwhile
}

void CSumoraWnd::OnChar(unsigned char byte, bool ctrlHeld) {
    if (m_bDestroyed || m_nScreenState != SCREEN_USERS_NEWNAME) return;
    switch (m_UserScreen.TypeNameByte(byte, ctrlHeld)) {
    case NAME_BYTE_TAKEN:
        RedrawWindow();
        break;
    case NAME_BYTE_NO_ROOM:
        ShowNameRefusal();
        break;
    default:
        break;
    }
}

void CSumoraWnd::OnCharRefused() {
    if (m_bDestroyed || m_nScreenState != SCREEN_USERS_NEWNAME) return;
    if (m_UserScreen.RefuseCharacter()) ShowNameRefusal();
}

// The board says why for NAME_REFUSAL_MS from the last refusal; only its notice line changes.
void CSumoraWnd::ShowNameRefusal() {
    m_host.SetTimer(TIMER_NAME_REFUSAL, NAME_REFUSAL_MS);
    RepaintChanged(g_rcNameNotice);
}

void CSumoraWnd::OnTimer(int id) {
    if (m_bDestroyed) return;
    switch (id) {
    case TIMER_INCREASE_DELAY:
        m_host.KillTimer(TIMER_INCREASE_DELAY);
        m_host.SetTimer(TIMER_INCREASE_REPEAT, ARROW_REPEAT_MS);
        break;
    case TIMER_DECREASE_DELAY:
        m_host.KillTimer(TIMER_DECREASE_DELAY);
        m_host.SetTimer(TIMER_DECREASE_REPEAT, ARROW_REPEAT_MS);
        break;
    case TIMER_INCREASE_REPEAT:
        m_UserScreen.StepPanelRange(+1);
        RedrawWindow();
        break;
    case TIMER_DECREASE_REPEAT:
        m_UserScreen.StepPanelRange(-1);
        RedrawWindow();
        break;
    case TIMER_NAME_REFUSAL:
        m_host.KillTimer(TIMER_NAME_REFUSAL);
        if (m_UserScreen.m_nRefusal == NAME_REFUSAL_NONE) break; // gone with a typed character
        m_UserScreen.m_nRefusal = NAME_REFUSAL_NONE;
        if (m_nScreenState == SCREEN_USERS_NEWNAME) RepaintChanged(g_rcNameNotice);
        break;
    case TIMER_MUTE_SIGN:
        m_host.KillTimer(TIMER_MUTE_SIGN);
        m_bMuteSignShown = false;
        RepaintChanged(MUTE_SIGN_RECT);
        break;
    default:
        break;
    }
}
