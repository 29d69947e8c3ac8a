// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard's focus: which control of the screen's list has it, whether it is shown, and how
// the keys move it. Plain data, so that the moves are tested without a window.
#pragma once

#include "gfx/Geometry.h"

#include <array>
#include <cstddef>
#include <cstdint>

// One control the focus can rest on: the hit code a click on it gives, where it lies, and
// whether the game draws a ring for it (it has no highlight of its own).
struct asFOCUSCONTROL {
    int nCode = -1;
    Rect rc;
    bool bRing = false;
};

// The controls of one screen in the order the eye reads them.
struct asFOCUSLIST {
    static constexpr int CAPACITY = 16;
    std::array<asFOCUSCONTROL, CAPACITY> arrControls{};
    int nCount = 0;

    void Add(int code, const Rect& rc, bool ring = false) {
        if (nCount < CAPACITY) arrControls[size_t(nCount++)] = {code, rc, ring};
    }
    // The control at (x, y), or -1.
    int IndexAt(int x, int y) const;
};

// How a key moves the focus over a list: by delta, wrapping round at the ends or stopping there.
struct asFOCUSSTEP {
    int nDelta = 0;
    bool bWrap = false;
};

class CKeyFocus {
public:
    // A new list (another screen, the panel opened or closed): the focus rests on index, hidden.
    void Enter(uint64_t context, int index);
    // The pointer at (x, y): the control there takes the focus; the hand's own highlight shows
    // it, so the focus is hidden.
    void Point(const asFOCUSLIST& list, int x, int y);
    // A moving key. A hidden focus is first shown where it rests, unless the hand is on that
    // control (its highlight shows it already): then it moves at once.
    void Step(const asFOCUSLIST& list, asFOCUSSTEP step, int handX, int handY);
    // Shows the focus on index (a key chose where it goes).
    void ShowAt(int index);
    bool IsShown() const { return m_bShown; }

    uint64_t m_nContext = 0;
    int m_nIndex = 0;
    bool m_bShown = false;
};

// How key vk (with its modifier bits) moves the focus: Tab and Shift+Tab go round the list, Up
// and Down stop at its ends, and so do Left and Right where sideways. Empty for any other key.
bool FocusStepOf(unsigned vk, bool sideways, asFOCUSSTEP& step);
