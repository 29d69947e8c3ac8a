// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The clocks the game reads: a 32-bit millisecond tick count and the wall clock's milliseconds.
#pragma once

#include <cstdint>

// Milliseconds since an arbitrary start, wrapping at 2^32 like the game expects.
uint32_t GetTickCount();

// The milliseconds field (0..999) of the current system time, the seed of the problem draws.
int GetSystemTimeMilliseconds();

// Milliseconds since 1970 in UTC: when an answer was given, as the answer record keeps it.
int64_t GetUtcMilliseconds();

// The local clock's offset from UTC at a moment (ms), so that days are the family's days.
int64_t LocalOffsetMs(int64_t utcMs);
