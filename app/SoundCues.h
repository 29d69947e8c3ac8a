// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Where the speaker sign stands: the top right corner, clear of every screen's controls.
#pragma once

#include "gfx/Geometry.h"

constexpr int MUTE_SIGN_X = 966;
constexpr int MUTE_SIGN_Y = 10;
constexpr int MUTE_SIGN_SIZE = 48;
constexpr Rect MUTE_SIGN_RECT = {MUTE_SIGN_X, MUTE_SIGN_Y, MUTE_SIGN_X + MUTE_SIGN_SIZE,
                                 MUTE_SIGN_Y + MUTE_SIGN_SIZE};
