// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The exercise screen's painter and the texts it shares with its tests.
#pragma once

#include "exercise/ExerciseRun.h"
#include "gfx/CImageLayer.h"

#include <cstdint>
#include <string>
#include <string_view>

// The bookshelf, the page with its heading and problems, the marks, the keypad or the finished
// page's footer, with the controls under the hand at (handX, handY) lit.
void PaintExerciseScreen(CImageLayer& target, const CExerciseRun& run, std::string_view heading,
                         int handX, int handY);

// The problem text with its one "%s" replaced by text (never used as a format string).
std::string FillBlank(const std::string& problem, const std::string& text);

// "%d分%d秒" of a page time, and "%d 个" of a first-try count (GBK).
std::string FormatPageTime(uint32_t milliseconds);
std::string FormatFirstTryCount(int count);
