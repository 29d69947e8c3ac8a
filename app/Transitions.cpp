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

bool CSumoraWnd::ApplyKey(unsigned vk) {
    if (ScreenOf(m_nScreenState) == SCREEN_EXERCISE) {
        if (vk >= VK_0 && vk <= VK_0 + 9) {
            m_Run.AppendDigit(int(vk - VK_0));
        } else if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) {
            m_Run.AppendDigit(int(vk - VK_NUMPAD0));
        } else if (vk == VK_DELETE) {
            m_Run.ClearInput();
        } else if (vk == VK_BACK) {
            m_Run.EraseLastDigit();
        } else if (vk == VK_RETURN) {
            MarkAnswer(false);
        } else if (vk == VK_PRIOR || vk == VK_NEXT) {
            StartNewPage(); // paints itself
            return false;
        } else if (vk == VK_HOME) {
            m_nScreenState = LeaveRun() ? SCREEN_CERTIFICATE : SCREEN_TITLE;
        }
    } else if (m_nScreenState == SCREEN_USERS_NEWNAME && vk == VK_BACK) {
        m_UserScreen.EraseNameCharacter();
    }
    return true;
}
