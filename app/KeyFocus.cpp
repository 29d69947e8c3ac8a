// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard focus's moves over a screen's list of controls.
#include "app/KeyFocus.h"

#include "platform/Window.h"

#include <algorithm>

int asFOCUSLIST::IndexAt(int x, int y) const {
    for (int i = 0; i < nCount; ++i)
        if (PtInRect(arrControls[size_t(i)].rc, x, y)) return i;
    return -1;
}

void CKeyFocus::Enter(uint64_t context, int index) {
    m_nContext = context;
    m_nIndex = index;
    m_bShown = false;
}

void CKeyFocus::Point(const asFOCUSLIST& list, int x, int y) {
    if (const int index = list.IndexAt(x, y); index >= 0) m_nIndex = index;
    m_bShown = false;
}

void CKeyFocus::Step(const asFOCUSLIST& list, asFOCUSSTEP step, int handX, int handY) {
    if (list.nCount == 0) return;
    m_nIndex = std::clamp(m_nIndex, 0, list.nCount - 1);
    const bool seen = m_bShown || list.IndexAt(handX, handY) == m_nIndex;
    m_bShown = true;
    if (!seen || step.nDelta == 0) return;
    const int next = m_nIndex + step.nDelta;
    if (step.bWrap)
        m_nIndex = (next % list.nCount + list.nCount) % list.nCount;
    else
        m_nIndex = std::clamp(next, 0, list.nCount - 1);
}

void CKeyFocus::ShowAt(int index) {
    m_nIndex = index;
    m_bShown = true;
}

bool FocusStepOf(unsigned vk, bool sideways, asFOCUSSTEP& step) {
    const bool shift = (vk & VK_SHIFT_HELD) != 0;
    switch (vk & VK_CODE_MASK) {
    case VK_TAB:
        step = {shift ? -1 : +1, true};
        return true;
    case VK_UP:
        step = {-1, false};
        return true;
    case VK_DOWN:
        step = {+1, false};
        return true;
    case VK_LEFT:
    case VK_RIGHT:
        if (!sideways) return false;
        step = {(vk & VK_CODE_MASK) == VK_LEFT ? -1 : +1, false};
        return true;
    default:
        return false;
    }
}
