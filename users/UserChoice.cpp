// Choosing the current user and deleting users by clicking their rows.
#include "app/CSumoraWnd.h"
#include "app/LayoutTables.h"
#include "users/UserData.h"

namespace {

// The user whose row holds the point, or -1.
int UserRowAt(int x, int y) {
    for (int k = 0; k < int(g_arrUsers.size()); ++k)
        if (PtInRect(UserRow(k), x, y)) return k;
    return -1;
}

} // namespace

void CSumoraWnd::ChooseUserAt(int x, int y) {
    const int k = UserRowAt(x, y);
    if (k >= 0) g_nCurrentUser = k;
}

// No confirmation: a click on a row deletes at once, and the sub-screen stays for the next one.
void CSumoraWnd::DeleteUserAt(int x, int y) {
    const int k = UserRowAt(x, y);
    if (k < 0) return;
    const bool hadCurrent = g_nCurrentUser >= 0 && g_nCurrentUser < int(g_arrUsers.size());
    const std::string currentName = hadCurrent ? g_arrUsers[size_t(g_nCurrentUser)].strName : "";
    RemoveUser(k);
    // The current user is looked up again by name; when it was the one deleted, the first user
    // takes over.
    const int found = hadCurrent ? FindUserByName(currentName) : -1;
    if (found >= 0)
        g_nCurrentUser = found;
    else
        g_nCurrentUser = g_arrUsers.empty() ? -1 : 0;
}
