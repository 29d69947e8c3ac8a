// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Rectangles and colours in client pixels: right and bottom edges lie outside a rectangle.
#pragma once

#include <cstdint>

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    constexpr bool operator==(const Rect&) const = default;
};

constexpr bool PtInRect(const Rect& rc, int x, int y) {
    return x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom;
}

constexpr Rect OffsetRect(Rect rc, int dx, int dy) {
    return {rc.left + dx, rc.top + dy, rc.right + dx, rc.bottom + dy};
}

// Grows the rectangle by dx on the left and right and dy on the top and bottom (negative shrinks).
constexpr Rect InflateRect(Rect rc, int dx, int dy) {
    return {rc.left - dx, rc.top - dy, rc.right + dx, rc.bottom + dy};
}

constexpr Rect IntersectRect(const Rect& a, const Rect& b) {
    Rect r{a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
           a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom};
    if (r.IsEmpty()) return {};
    return r;
}

// The smallest rectangle holding both; an empty one adds nothing.
constexpr Rect UnionRect(const Rect& a, const Rect& b) {
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
    return {a.left < b.left ? a.left : b.left, a.top < b.top ? a.top : b.top,
            a.right > b.right ? a.right : b.right, a.bottom > b.bottom ? a.bottom : b.bottom};
}

// 0x00RRGGBB.
using Color = uint32_t;

constexpr Color RGB(int r, int g, int b) {
    return (uint32_t(r & 0xFF) << 16) | (uint32_t(g & 0xFF) << 8) | uint32_t(b & 0xFF);
}

constexpr Color COLOR_KEY = RGB(255, 0, 255); // magenta: left out by keyed draws
constexpr Color COLOR_WHITE = RGB(255, 255, 255);
constexpr Color COLOR_BLACK = RGB(0, 0, 0);
