// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed rectangles of the user management screen.
#pragma once

#include "gfx/Geometry.h"

#include <array>

constexpr Rect SizedRect(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

constexpr int USER_BUTTON_WIDTH = 101;
constexpr int USER_BUTTON_HEIGHT = 36;
// New user, delete user, view scores, default settings.
inline constexpr std::array<Rect, 4> g_rcUserButtons = {
    SizedRect(206, 491, USER_BUTTON_WIDTH, USER_BUTTON_HEIGHT),
    SizedRect(206 + 111, 491, USER_BUTTON_WIDTH, USER_BUTTON_HEIGHT),
    SizedRect(206 + 222, 491, USER_BUTTON_WIDTH, USER_BUTTON_HEIGHT),
    SizedRect(740, 491, USER_BUTTON_WIDTH, USER_BUTTON_HEIGHT),
};
constexpr Rect g_rcChangeUser = SizedRect(740, 566, USER_BUTTON_WIDTH, USER_BUTTON_HEIGHT);
constexpr Rect g_rcCurrentUser = SizedRect(206, 563, 290, 39);

constexpr int NAME_BUTTON_WIDTH = 86;
constexpr int NAME_BUTTON_HEIGHT = 39;
constexpr Rect g_rcNameOk = SizedRect(678, 366, NAME_BUTTON_WIDTH, NAME_BUTTON_HEIGHT);
constexpr Rect g_rcNameCancel = SizedRect(585, 366, NAME_BUTTON_WIDTH, NAME_BUTTON_HEIGHT);
constexpr Rect g_rcNameText = SizedRect(286, 295, 478, 54);
constexpr Rect g_rcNameNotice = SizedRect(286, 366, 290, 39);

// User row k of the user and settings lists.
constexpr Rect UserRow(int k) {
    return {250, 180 + 35 * k, 774, 215 + 35 * k};
}
