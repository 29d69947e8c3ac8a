// The user management screen: its sub-screens, the name entry, choosing and deleting users.
#include "app/CSumoraWnd.h"

namespace {

constexpr int USERS_BACKGROUND_PICTURE = 174;

} // namespace

void CSumoraWnd::PaintUserScreen() {
    DrawBitmap(0, 0, USERS_BACKGROUND_PICTURE);
}
void CSumoraWnd::OpenNameEntry() {
    m_nScreenState = SCREEN_USERS_NEWNAME;
}
void CSumoraWnd::ConfirmNewName() {
    m_nScreenState = SCREEN_USERS;
}
void CSumoraWnd::ChooseUserAt(int, int) {}
void CSumoraWnd::DeleteUserAt(int, int) {}
void CSumoraWnd::TypeNameByte(unsigned char, bool) {}
void CSumoraWnd::EraseNameCharacter() {}
void CSumoraWnd::TrackPanel(int, int) {}
void CSumoraWnd::PressPanel(int, int) {}
void CSumoraWnd::ReleasePanel(int, int) {}
void CSumoraWnd::StepPanelRange(int) {}
void CSumoraWnd::PaintSettingsList() {}
void CSumoraWnd::PaintScoreChart() {}
