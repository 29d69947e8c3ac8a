// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Text drawing: GBK strings in the Song-style face, with the layout formats the game uses.
#pragma once

#include "gfx/Surface.h"

#include <string>
#include <string_view>

constexpr unsigned DT_LEFT = 0x00;
constexpr unsigned DT_CENTER = 0x01;
constexpr unsigned DT_RIGHT = 0x02;
constexpr unsigned DT_VCENTER = 0x04;
constexpr unsigned DT_BOTTOM = 0x08;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;

// Finds the faces. On failure fills error with what to install and returns false.
bool InitTextRenderer(std::string& error);

// Draws text in rc: height is the character height in pixels, weight 400, 700 or 900.
// Single-line texts are placed by the alignment bits; DT_WORDBREAK breaks lines at spaces and
// between Chinese characters. Everything is clipped to rc.
void DrawGbkText(Surface& surface, std::string_view gbk, const Rect& rc, unsigned format,
                 int weight, int height, Color color);

// The width in pixels that DrawGbkText gives gbk on one line (0 when the faces cannot be found).
int GbkTextWidth(std::string_view gbk, int weight, int height);
