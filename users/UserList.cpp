// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The three globals and the operations on the user list, the score history and the problem sets.
#include "users/UserData.h"

#include "gfx/Gbk.h"

#include <algorithm>

std::vector<asUSERINFO> g_arrUsers;
int32_t g_nCurrentUser = 0;
ExerciseSet g_ExerciseSets[EXERCISE_SET_COUNT] = {};

namespace {

constexpr int32_t DEFAULT_RANGE_BASE = 3;
constexpr int32_t DEFAULT_RESERVED = 2;
constexpr uint32_t DEFAULT_OPERATIONS = OP_ADD | OP_SUBTRACT | OP_FILL_BLANK;

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

// Only ASCII letters fold. The second byte of a two-byte GBK character may look like a letter
// (0x41..0x7A) yet names a different character, so it must match exactly.
bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size();) {
        const size_t size = GbkCharacterSize(a, i);
        if (size == 1 ? LowerAscii(a[i]) != LowerAscii(b[i]) : a.substr(i, 2) != b.substr(i, 2))
            return false;
        i += size;
    }
    return true;
}

} // namespace

void SetDefaultExerciseSets() {
    for (int k = 0; k < EXERCISE_SET_COUNT; ++k)
        g_ExerciseSets[k] = {DEFAULT_RANGE_BASE + k, DEFAULT_RESERVED, DEFAULT_OPERATIONS};
}

void AppendScore(asUSERINFO& user, int score) {
    const uint8_t percent = uint8_t(std::clamp(score, 0, 100));
    constexpr int32_t NEWEST = SCORE_HISTORY_SIZE - 1;
    if (user.nLastScore < NEWEST) {
        user.nLastScore = std::max(user.nLastScore, -1) + 1;
    } else {
        // Full: the oldest result makes room for the new one.
        std::move(user.byScores.begin() + 1, user.byScores.end(), user.byScores.begin());
        user.nLastScore = NEWEST;
    }
    user.byScores[size_t(user.nLastScore)] = percent;
}

asUSERINFO* CurrentUser() {
    if (g_nCurrentUser < 0 || g_nCurrentUser >= int32_t(g_arrUsers.size())) return nullptr;
    return &g_arrUsers[size_t(g_nCurrentUser)];
}

int AppendUser(const asUSERINFO& user) {
    g_arrUsers.push_back(user);
    return int(g_arrUsers.size()) - 1;
}

void RemoveUser(int index) {
    if (index < 0 || index >= int(g_arrUsers.size())) return;
    g_arrUsers.erase(g_arrUsers.begin() + index);
    if (g_arrUsers.empty()) {
        g_nCurrentUser = -1;
        return;
    }
    // The same person stays current; when that was the removed user, the first one takes over.
    if (g_nCurrentUser > index)
        --g_nCurrentUser;
    else if (g_nCurrentUser == index)
        g_nCurrentUser = 0;
    if (!CurrentUser()) g_nCurrentUser = 0;
}

int FindUserByName(std::string_view name) {
    for (size_t i = 0; i < g_arrUsers.size(); ++i)
        if (EqualIgnoringCase(g_arrUsers[i].strName, name)) return int(i);
    return -1;
}
