// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Where the speaker signs stand: the top right corner, clear of every screen's controls.
#pragma once

#include "gfx/Geometry.h"

constexpr int MUTE_SIGN_X = 966;
constexpr int MUTE_SIGN_Y = 10;
constexpr int MUTE_SIGN_SIZE = 48;
constexpr Rect MUTE_SIGN_RECT = {MUTE_SIGN_X, MUTE_SIGN_Y, MUTE_SIGN_X + MUTE_SIGN_SIZE,
                                 MUTE_SIGN_Y + MUTE_SIGN_SIZE};
// While the sound is off a small sign stays in the same corner, inside the big sign's box, so
// that every repaint of that box shows the right one.
constexpr int MUTED_SIGN_SIZE = 24;
constexpr Rect MUTED_SIGN_RECT = {MUTE_SIGN_RECT.right - MUTED_SIGN_SIZE, MUTE_SIGN_Y,
                                  MUTE_SIGN_RECT.right, MUTE_SIGN_Y + MUTED_SIGN_SIZE};
