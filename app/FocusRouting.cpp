// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard on the screens with a focus: each screen's controls in reading order, the keys that
// move the focus, and the keys that choose, go back or step the settings panel. A key that
// chooses goes the way a click on that control goes (ApplyRelease), so the screen that follows
// is the click's.
#include "app/CSumoraWnd.h"

#include "users/UserData.h"
#include "users/UserLayout.h"

namespace {

// A settings row of the main user page: it opens its set's panel.
constexpr int FOCUS_SETTINGS_ROW = 0x100;
// The score chart's area: the focus on the scores page.
constexpr Rect CHART_RECT = {187, 322, 860, 475};

bool IsDigitKey(unsigned key, int first, int last) {
    return (key >= VK_0 + unsigned(first) && key <= VK_0 + unsigned(last)) ||
           (key >= VK_NUMPAD0 + unsigned(first) && key <= VK_NUMPAD0 + unsigned(last));
}
int DigitOf(unsigned key) {
    return int(key >= VK_NUMPAD0 ? key - VK_NUMPAD0 : key - VK_0);
}

int CentreX(const Rect& rc) {
    return (rc.left + rc.right) / 2;
}
int CentreY(const Rect& rc) {
    return (rc.top + rc.bottom) / 2;
}

// Where Escape goes back to: the control whose click goes there, or HIT_NOTHING where there
// is no step back (the title: no key leaves the game).
int BackCodeOf(uint32_t state) {
    switch (state) {
    case SCREEN_USERS:
        return HIT_FINISH; // free space
    case SCREEN_USERS_SCORES:
        return HIT_VIEW_SCORES;
    case SCREEN_USERS_NEWNAME:
        return HIT_NAME_CANCEL;
    case SCREEN_USERS_CHOOSE:
        return HIT_CHANGE_USER;
    case SCREEN_USERS_DELETE:
        return HIT_DELETE_USER;
    default:
        return HIT_NOTHING;
    }
}

} // namespace

bool CSumoraWnd::IsPanelOpen() const {
    return m_nScreenState == SCREEN_USERS && !m_UserScreen.m_rcPanel.IsEmpty() &&
           m_UserScreen.m_nPanelSet >= 0 && m_UserScreen.m_nPanelSet < EXERCISE_SET_COUNT;
}

asFOCUSLIST CSumoraWnd::FocusControls() const {
    asFOCUSLIST list;
    switch (m_nScreenState) {
    case SCREEN_TITLE:
        for (int k = 0; k < TITLE_ITEM_COUNT; ++k)
            list.Add(k, TITLE_ITEM_RECTS[size_t(k)]);
        list.Add(HIT_LEAVE, g_rcLeave);
        break;
    case SCREEN_USERS:
        if (IsPanelOpen()) {
            const CUserScreen& users = m_UserScreen;
            list.Add(HIT_PANEL_OR_ROW, users.m_rcRangeDown);
            list.Add(HIT_PANEL_OR_ROW, users.m_rcRangeUp);
            for (int j = 0; j < OPERATION_KINDS; ++j)
                list.Add(HIT_PANEL_OR_ROW, OperationBox(users.m_rcPanel, j), true);
            break;
        }
        for (int k = 0; k < EXERCISE_SET_COUNT; ++k)
            list.Add(FOCUS_SETTINGS_ROW + k, UserRow(k), true);
        for (int i = 0; i < int(g_rcUserButtons.size()); ++i)
            list.Add(HIT_NEW_USER + i, g_rcUserButtons[size_t(i)]);
        list.Add(HIT_CHANGE_USER, g_rcChangeUser);
        break;
    case SCREEN_USERS_SCORES:
        list.Add(HIT_VIEW_SCORES, CHART_RECT, true);
        break;
    case SCREEN_USERS_NEWNAME:
        list.Add(HIT_NAME_CANCEL, g_rcNameCancel);
        list.Add(HIT_NAME_OK, g_rcNameOk);
        break;
    case SCREEN_USERS_CHOOSE:
    case SCREEN_USERS_DELETE:
        for (int k = 0; k < int(g_arrUsers.size()); ++k)
            list.Add(HIT_PANEL_OR_ROW, UserRow(k), true);
        // The way back is lit all the time on these pages: the focus on it needs a ring.
        if (m_nScreenState == SCREEN_USERS_CHOOSE)
            list.Add(HIT_CHANGE_USER, g_rcChangeUser, true);
        else
            list.Add(HIT_DELETE_USER, g_rcUserButtons[1], true);
        break;
    default:
        break;
    }
    return list;
}

uint64_t CSumoraWnd::FocusContext() const {
    const uint64_t panel = IsPanelOpen() ? uint64_t(m_UserScreen.m_nPanelSet + 1) : 0;
    return m_nScreenState | panel << 32;
}

// Where the focus rests on a screen no key or pointer has touched yet.
void CSumoraWnd::SyncFocus() {
    const uint64_t context = FocusContext();
    if (m_KeyFocus.m_nContext == context) return;
    int index = 0;
    if (m_nScreenState == SCREEN_TITLE) {
        index = m_nSelectedSet;
        // The plank chosen to leave the title is still flagged, drawn lifted, when it comes back:
        // the focus rests there, so that Enter chooses what is lifted.
        for (int k = 0; k < TITLE_ITEM_COUNT; ++k)
            if (m_TitleItems[size_t(k)].nFlags & 1) index = k;
        return m_KeyFocus.Enter(context, index);
    }
    if (m_nScreenState == SCREEN_USERS_NEWNAME)
        index = 1; // OK
    else if (m_nScreenState == SCREEN_USERS_CHOOSE && g_nCurrentUser >= 0)
        index = g_nCurrentUser;
    m_KeyFocus.Enter(context, index);
    // The hand on one of the new controls gives it the focus, as a move onto it does: what it
    // lights is what Enter chooses. The way back of the lists is lit all the time (it has a
    // ring for the focus): the hand on it, after the click that led here, lights nothing.
    const asFOCUSLIST list = FocusControls();
    const int pointed = list.IndexAt(m_nHandX, m_nHandY);
    const asFOCUSCONTROL* control = pointed >= 0 ? &list.arrControls[size_t(pointed)] : nullptr;
    if (control && !(control->bRing && control->nCode == BackCodeOf(m_nScreenState)))
        m_KeyFocus.m_nIndex = pointed;
}

std::optional<asFOCUSCONTROL> CSumoraWnd::ShownFocus() const {
    if (!m_KeyFocus.IsShown() || m_KeyFocus.m_nContext != FocusContext()) return std::nullopt;
    const asFOCUSLIST list = FocusControls();
    if (m_KeyFocus.m_nIndex < 0 || m_KeyFocus.m_nIndex >= list.nCount) return std::nullopt;
    return list.arrControls[size_t(m_KeyFocus.m_nIndex)];
}

// On the title the lifted plank is the one with the focus, as the hit test lifts the pointed one.
void CSumoraWnd::LiftFocusedPlank() {
    if (m_nScreenState != SCREEN_TITLE || !ShownFocus()) return;
    for (int k = 0; k < TITLE_ITEM_COUNT; ++k)
        m_TitleItems[size_t(k)].nFlags = k == m_KeyFocus.m_nIndex ? 1 : 0;
}

bool CSumoraWnd::ChooseFocused() {
    const asFOCUSLIST list = FocusControls();
    const int index = m_KeyFocus.m_nIndex;
    if (index < 0 || index >= list.nCount) return true;
    const asFOCUSCONTROL& control = list.arrControls[size_t(index)];
    if (control.nCode >= FOCUS_SETTINGS_ROW &&
        control.nCode < FOCUS_SETTINGS_ROW + EXERCISE_SET_COUNT) {
        OpenPanelByKey(control.nCode - FOCUS_SETTINGS_ROW);
        return true;
    }
    const bool deletes = m_nScreenState == SCREEN_USERS_DELETE && control.nCode == HIT_PANEL_OR_ROW;
    if (!ChooseControl(control.nCode, CentreX(control.rc), CentreY(control.rc))) return false;
    // A child deleted by key leaves the focus on the way back, never on the next name: a second
    // Return (a held key, a double press) must not delete another child with all their answers.
    if (deletes) m_KeyFocus.ShowAt(FocusControls().nCount - 1);
    return true;
}

// The transition a click on the control at point makes; the hand, where it is, follows as after
// a click.
bool CSumoraWnd::ChooseControl(int code, int x, int y) {
    // A plank chosen is flagged and selected as a click's hit test does: the title, when it
    // comes back, shows it lifted and rests its focus there.
    if (m_nScreenState == SCREEN_TITLE) TitleHitTest(m_TitleItems, x, y, m_nSelectedSet);
    const uint32_t before = m_nScreenState;
    if (!ApplyRelease(code, x, y)) return false;
    if (m_nScreenState != before) FollowHand();
    return true;
}

void CSumoraWnd::OpenPanelByKey(int k) {
    m_UserScreen.OpenPanel(k);
    SyncFocus();
    m_KeyFocus.ShowAt(0);
}

bool CSumoraWnd::ApplyFocusKey(unsigned vk) {
    const unsigned key = vk & VK_CODE_MASK;
    SyncFocus();
    if (m_nScreenState == SCREEN_TITLE && IsDigitKey(key, 1, INFO_PLANK)) {
        const int k = DigitOf(key) - 1;
        const Rect& plank = TITLE_ITEM_RECTS[size_t(k)];
        return ChooseControl(k, CentreX(plank), CentreY(plank));
    }
    if (key == VK_ESCAPE) {
        if (IsPanelOpen()) {
            const int row = m_UserScreen.m_nPanelSet;
            m_UserScreen.ClosePanel();
            StopArrowTimers();
            SyncFocus();
            m_KeyFocus.ShowAt(row);
            return true;
        }
        const int back = BackCodeOf(m_nScreenState);
        return back == HIT_NOTHING || ChooseControl(back, m_nHandX, m_nHandY);
    }
    // Space is a character of the name being typed.
    if (key == VK_RETURN || (key == VK_SPACE && m_nScreenState != SCREEN_USERS_NEWNAME))
        return ChooseFocused();
    const asFOCUSLIST list = FocusControls();
    const bool onSettingsRow = m_nScreenState == SCREEN_USERS && !IsPanelOpen() &&
                               m_KeyFocus.m_nIndex < EXERCISE_SET_COUNT;
    if (onSettingsRow && key == VK_RIGHT) {
        OpenPanelByKey(m_KeyFocus.m_nIndex);
        return true;
    }
    // In the panel Left and Right step the number limit (OnKeyDown holds them); on the settings
    // rows Left has nowhere to go.
    const bool sideways = m_nScreenState != SCREEN_USERS || (!IsPanelOpen() && !onSettingsRow);
    asFOCUSSTEP step;
    if (!FocusStepOf(vk, sideways, step)) return true;
    m_KeyFocus.Step(list, step, m_nHandX, m_nHandY);
    LiftFocusedPlank();
    return true;
}

void CSumoraWnd::HighlightPoint(int& x, int& y) const {
    x = m_nHandX;
    y = m_nHandY;
    if (const std::optional<asFOCUSCONTROL> focus = ShownFocus()) {
        x = CentreX(focus->rc);
        y = CentreY(focus->rc);
    }
}
