// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing the current user and deleting users by clicking their rows.
#include "users/UserData.h"
#include "users/UserLayout.h"
#include "users/UserScreen.h"

namespace {

// The user whose row holds the point, or -1.
int UserRowAt(int x, int y) {
    for (int k = 0; k < int(g_arrUsers.size()); ++k)
        if (PtInRect(UserRow(k), x, y)) return k;
    return -1;
}

} // namespace

void ChooseUserAt(int x, int y) {
    const int k = UserRowAt(x, y);
    if (k >= 0) g_nCurrentUser = k;
}

// No confirmation: a click on a row deletes at once, and the page stays for the next one.
void DeleteUserAt(int x, int y) {
    const int k = UserRowAt(x, y);
    if (k < 0) return;
    const asUSERINFO* current = CurrentUser();
    const bool hadCurrent = current != nullptr;
    const std::string currentName = hadCurrent ? current->strName : "";
    RemoveUser(k);
    // The current user is looked up again by name; when it was the one deleted, the first user
    // takes over.
    const int found = hadCurrent ? FindUserByName(currentName) : -1;
    if (found >= 0)
        g_nCurrentUser = found;
    else
        g_nCurrentUser = g_arrUsers.empty() ? -1 : 0;
}
