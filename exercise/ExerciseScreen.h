// Texts and geometry of the exercise screen that its painter and its tests share.
#pragma once

#include <cstdint>
#include <string>

constexpr int BOOKSHELF_PICTURE = 147;
constexpr int PAGE_LEFT = 100;
constexpr int PAGE_TOP = 100;
constexpr int PAGE_RIGHT = 924;
constexpr int PAGE_BOTTOM = 668;

// The problem text with its one "%s" replaced by text (never used as a format string).
std::string FillBlank(const std::string& problem, const std::string& text);

// "%d分%d秒" of a page time, and "%d 个" of a first-try count (GBK).
std::string FormatPageTime(uint32_t milliseconds);
std::string FormatFirstTryCount(int count);

// Test hook: the slide moves stride pixels a step and the fade stride alpha units (the last step
// still at full alpha), so that long runs through the handlers need not compose every step of
// every transition. stride must divide 256; anything else, and 1, restore one unit a step.
void SetTransitionStrideForTesting(int stride);
