// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Monotonic tick count and wall-clock milliseconds.
#include "platform/Clock.h"

#include <chrono>
#include <ctime>

uint32_t GetTickCount() {
    using namespace std::chrono;
    return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

int GetSystemTimeMilliseconds() {
    using namespace std::chrono;
    return int(duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count() % 1000);
}

int64_t GetUtcMilliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

int64_t LocalOffsetMs(int64_t utcMs) {
    const time_t seconds = time_t(utcMs / 1000);
    struct tm local {};
    if (!localtime_r(&seconds, &local)) return 0;
    return int64_t(local.tm_gmtoff) * 1000;
}
