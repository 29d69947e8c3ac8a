// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The transition table: the only place where the screen changes. Each case is one row:
// from-screen, event, condition, then the side effects in order.
#include "app/CSumoraWnd.h"

#include "users/UserData.h"

bool CSumoraWnd::ApplyRelease(int code, int x, int y) {
    if (code == HIT_NOTHING) return true;
    switch (ScreenOf(m_nScreenState)) {
    case SCREEN_TITLE:
        if (code >= 0 && code < INFO_PLANK) {
            // A set that yields no problems starts no run: the title stays as it was.
            if (StartRun(code)) m_nScreenState = SCREEN_EXERCISE;
        } else if (code == HIT_INFO_PLANK) {
            m_nScreenState = SCREEN_USERS;
        } else if (code == HIT_LEAVE) {
            OnClose(); // the window goes; shut-down follows
            return false;
        }
        return true;
    case SCREEN_EXERCISE:
        if (code >= HIT_KEYPAD_FIRST && code < HIT_KEYPAD_FIRST + 10) {
            m_Run.AppendDigit(code - HIT_KEYPAD_FIRST);
        } else if (code == HIT_KEYPAD_CLEAR) {
            m_Run.ClearInput();
        } else if (code == HIT_KEYPAD_ENTER) {
            MarkAnswer(false);
        } else if (code == HIT_HINT) {
            MarkAnswer(true);
        } else if (code == HIT_NEW_PAGE) {
            StartNewPage(); // paints itself
            return false;
        } else if (code == HIT_FINISH) {
            m_nScreenState = FinishRun() ? SCREEN_CERTIFICATE : SCREEN_TITLE;
        }
        return true;
    case SCREEN_CERTIFICATE:
        m_nScreenState = SCREEN_TITLE;
        return true;
    default:
        break;
    }
    switch (m_nScreenState) {
    case SCREEN_USERS:
        switch (code) {
        case HIT_PANEL_OR_ROW:
            m_UserScreen.ReleasePanel(x, y);
            break;
        case HIT_NEW_USER:
            m_UserScreen.OpenNameEntry();
            m_host.EnableTextInput(true);
            m_nScreenState = SCREEN_USERS_NEWNAME;
            break;
        case HIT_DELETE_USER:
            m_nScreenState = SCREEN_USERS_DELETE;
            break;
        case HIT_VIEW_SCORES:
            m_nScreenState = SCREEN_USERS_SCORES;
            break;
        case HIT_DEFAULT_SETTINGS:
            SetDefaultExerciseSets();
            break;
        case HIT_CHANGE_USER:
            m_nScreenState = SCREEN_USERS_CHOOSE;
            break;
        default: // free space, a settings row included
            RebuildTitleCaptions(m_TitleItems, g_ExerciseSets);
            m_nScreenState = SCREEN_TITLE;
            break;
        }
        return true;
    case SCREEN_USERS_SCORES:
        if (code == HIT_VIEW_SCORES) m_nScreenState = SCREEN_USERS;
        return true;
    case SCREEN_USERS_NEWNAME:
        if (code == HIT_NAME_CANCEL) {
            m_host.EnableTextInput(false);
            m_nScreenState = SCREEN_USERS;
        } else if (code == HIT_NAME_OK && m_UserScreen.ConfirmNewName()) {
            m_host.EnableTextInput(false); // the name is taken: the board stays with the notice
            m_nScreenState = SCREEN_USERS;
        }
        return true;
    case SCREEN_USERS_CHOOSE:
        if (code == HIT_CHANGE_USER)
            m_nScreenState = SCREEN_USERS;
        else
            ChooseUserAt(x, y);
        return true;
    case SCREEN_USERS_DELETE:
        if (code == HIT_DELETE_USER)
            m_nScreenState = SCREEN_USERS;
        else
            DeleteChildAt(x, y);
        return true;
    default:
        return true;
    }
}

// The exercise page keeps its keys; the magnifier is H, and the finish book, which ends the
// run, takes Ctrl with Enter so that no slip of the hand reaches it. Escape there has no step
// back: the free space of the page does nothing either.
bool CSumoraWnd::ApplyKey(unsigned vk) {
    const unsigned key = vk & VK_CODE_MASK;
    switch (ScreenOf(m_nScreenState)) {
    case SCREEN_EXERCISE:
        if ((key >= VK_0 && key <= VK_0 + 9) || (key >= VK_NUMPAD0 && key <= VK_NUMPAD0 + 9)) {
            // A held digit stops at the answer's longest: its repeats then show nothing new.
            const size_t typed = m_Run.m_strInput.size();
            m_Run.AppendDigit(int(key >= VK_NUMPAD0 ? key - VK_NUMPAD0 : key - VK_0));
            return m_Run.m_strInput.size() != typed;
        } else if (key == VK_DELETE) {
            m_Run.ClearInput();
        } else if (key == VK_BACK) {
            m_Run.EraseLastDigit();
        } else if (key == VK_RETURN && (vk & VK_CTRL_HELD)) {
            return ApplyRelease(HIT_FINISH, m_nHandX, m_nHandY);
        } else if (key == VK_RETURN) {
            MarkAnswer(false);
        } else if (key == VK_H && m_Run.m_bHintAvailable == 1) {
            return ApplyRelease(HIT_HINT, m_nHandX, m_nHandY);
        } else if (key == VK_PRIOR || key == VK_NEXT) {
            StartNewPage(); // paints itself
            return false;
        } else if (key == VK_HOME) {
            m_nScreenState = LeaveRun() ? SCREEN_CERTIFICATE : SCREEN_TITLE;
        }
        return true;
    case SCREEN_CERTIFICATE:
        if (key == VK_RETURN || key == VK_SPACE || key == VK_ESCAPE)
            return ApplyRelease(HIT_FINISH, m_nHandX, m_nHandY);
        return true;
    default:
        break;
    }
    if (m_nScreenState == SCREEN_USERS_NEWNAME && key == VK_BACK) {
        m_UserScreen.EraseNameCharacter();
        return true;
    }
    return ApplyFocusKey(vk);
}
