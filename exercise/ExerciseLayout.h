// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed rectangles of the exercise screen and the certificate, derived at compile time by the
// rules that place them rather than typed in as numbers.
#pragma once

#include "gfx/Geometry.h"
#include "gfx/Pictures.h"

#include <array>
#include <cstdint>

// Twelve bands of 64 pixels down the screen, sixteen cells of 64 pixels along its top.
inline constexpr std::array<Rect, 12> g_rcRowBands = [] {
    std::array<Rect, 12> bands{};
    for (int k = 0; k < 12; ++k)
        bands[size_t(k)] = {0, 64 * k, 1024, 64 * k + 64};
    return bands;
}();
inline constexpr std::array<Rect, 16> g_rcTopCells = [] {
    std::array<Rect, 16> cells{};
    for (int k = 0; k < 16; ++k)
        cells[size_t(k)] = {64 * k, 0, 64 * k + 64, 64};
    return cells;
}();

// Problem line k and the square left of it where the strawberry marks the current one.
inline constexpr std::array<Rect, 12> g_rcProblemLines = [] {
    std::array<Rect, 12> lines{};
    for (int k = 0; k < 12; ++k)
        lines[size_t(k)] = OffsetRect(InflateRect({230, 150, 764, 190}, -40, 0), 0, 40 * k);
    return lines;
}();
inline constexpr std::array<Rect, 12> g_rcLineMarks = [] {
    std::array<Rect, 12> marks{};
    for (int k = 0; k < 12; ++k)
        marks[size_t(k)] = OffsetRect({190, 150, 230, 190}, 0, 40 * k);
    return marks;
}();

constexpr int KEYPAD_BUTTONS = 12; // digits 0..9, clear, enter
// Keypad, finish and new page follow each other so one walk over 14 rectangles gives the
// exercise screen's hit codes 6..19.
constexpr int EXERCISE_CONTROLS = KEYPAD_BUTTONS + 2;
inline constexpr std::array<Rect, EXERCISE_CONTROLS> g_rcExerciseControls = [] {
    std::array<Rect, EXERCISE_CONTROLS> controls{};
    // Keypad button k: top cell k + 2 shrunk by 5, its top moved to band 11's top + 5.
    for (int k = 0; k < KEYPAD_BUTTONS; ++k) {
        const Rect cell = InflateRect(g_rcTopCells[size_t(k + 2)], -5, -5);
        controls[size_t(k)] = OffsetRect(cell, 0, g_rcRowBands[11].top + 5 - cell.top);
    }
    controls[KEYPAD_BUTTONS] = InflateRect({0, 668, 100, 768}, -18, -18); // finish
    controls[KEYPAD_BUTTONS + 1] = {824, 568, 924, 668};                  // new page
    return controls;
}();
inline constexpr const Rect* g_rcKeypad = g_rcExerciseControls.data();
inline constexpr const Rect& g_rcFinish = g_rcExerciseControls[KEYPAD_BUTTONS];
inline constexpr const Rect& g_rcNewPage = g_rcExerciseControls[KEYPAD_BUTTONS + 1];
inline constexpr Rect g_rcHint = InflateRect({924, 668, 1024, 768}, -23, -23);

// The picture of keypad button k.
inline constexpr std::array<uint16_t, KEYPAD_BUTTONS> g_nKeypadBitmaps = {
    BALL_0_PICTURE, BALL_1_PICTURE, BALL_2_PICTURE,     BALL_3_PICTURE,
    BALL_4_PICTURE, BALL_5_PICTURE, BALL_6_PICTURE,     BALL_7_PICTURE,
    BALL_8_PICTURE, BALL_9_PICTURE, BALL_CLEAR_PICTURE, BALL_ENTER_PICTURE};

// Where the page lies on the shelf.
constexpr Rect PAGE_RECT = {100, 100, 924, 668};
