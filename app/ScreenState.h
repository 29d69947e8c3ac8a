// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Screen codes: the high 16 bits name the screen, the low 16 bits the user-management sub-screen.
#pragma once

#include "users/UserScreen.h"

#include <cstdint>

constexpr uint32_t SCREEN_TITLE = 0x10000;
constexpr uint32_t SCREEN_EXERCISE = 0x20000;
constexpr uint32_t SCREEN_CERTIFICATE = 0x30000;
constexpr uint32_t SCREEN_USERS = 0x40000 | USER_PAGE_MAIN;
constexpr uint32_t SCREEN_USERS_SCORES = 0x40000 | USER_PAGE_SCORES;
constexpr uint32_t SCREEN_USERS_NEWNAME = 0x40000 | USER_PAGE_NEW_NAME;
constexpr uint32_t SCREEN_USERS_CHOOSE = 0x40000 | USER_PAGE_CHOOSE;
constexpr uint32_t SCREEN_USERS_DELETE = 0x40000 | USER_PAGE_DELETE;

constexpr uint32_t ScreenOf(uint32_t state) {
    return state & 0xFFFF0000u;
}
constexpr UserPage UserPageOf(uint32_t state) {
    return UserPage(state & 0xFFFFu);
}

// Control codes returned by HitTest.
constexpr int HIT_NOTHING = -1;
constexpr int HIT_INFO_PLANK = 8;
constexpr int HIT_KEYPAD_FIRST = 6; // keypad button m gives 6 + m
constexpr int HIT_KEYPAD_CLEAR = 16;
constexpr int HIT_KEYPAD_ENTER = 17;
constexpr int HIT_FINISH =
    18; // also "anywhere" on the certificate and free space of user management
constexpr int HIT_NEW_PAGE = 19;
constexpr int HIT_LEAVE = 20;
constexpr int HIT_NAME_OK = 21;
constexpr int HIT_NAME_CANCEL = 22;
constexpr int HIT_CHANGE_USER = 23;
constexpr int HIT_HINT = 24;
constexpr int HIT_NEW_USER = 2;
constexpr int HIT_DELETE_USER = 3;
constexpr int HIT_VIEW_SCORES = 4;
constexpr int HIT_DEFAULT_SETTINGS = 5;
constexpr int HIT_PANEL_OR_ROW = 0xFFFF;

// Timers of the main window: the settings panel's, the speaker sign's and the name board's.
constexpr int TIMER_INCREASE_REPEAT = 1;
constexpr int TIMER_DECREASE_REPEAT = 2;
constexpr int TIMER_INCREASE_DELAY = 3;
constexpr int TIMER_DECREASE_DELAY = 4;
// A held arrow waits this long before it repeats, then steps at the repeat period.
constexpr unsigned ARROW_DELAY_MS = 500;
constexpr unsigned ARROW_REPEAT_MS = 50;
// The speaker sign shown after M switches the sound, for this long.
constexpr int TIMER_MUTE_SIGN = 5;
constexpr unsigned MUTE_SIGN_MS = 2000;
// The name board says why it refused a character for this long.
constexpr int TIMER_NAME_REFUSAL = 6;
constexpr unsigned NAME_REFUSAL_MS = 2000;

constexpr int CLIENT_WIDTH = 1024;
constexpr int CLIENT_HEIGHT = 768;
