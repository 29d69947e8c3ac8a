// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The headless window: no display, every request recorded.
#include "platform/HeadlessWindow.h"

void CHeadlessWindow::Present(const Surface& frame, const Rect& changed) {
    ++m_nPresents;
    m_dwLastPresent = m_dwTick;
    m_rcLastChanged = changed;
    if (m_bKeepScreen) {
        if (m_Screen.Width() != frame.Width() || m_Screen.Height() != frame.Height())
            m_Screen = Surface(frame.Width(), frame.Height(), COLOR_BLACK);
        CopyPixels(m_Screen, changed, frame.View(), changed);
    }
    if (m_fnOnPresent) m_fnOnPresent(frame);
}

bool CHeadlessWindow::IsPresentDue() {
    return m_nRefreshMs == 0 || m_dwTick - m_dwLastPresent >= m_nRefreshMs;
}

void CHeadlessWindow::ShowSystemPointer(bool show) {
    m_nPointerShowCount += show ? 1 : -1;
}

void CHeadlessWindow::BeginDrag(int, int) {
    ++m_nDrags;
    m_bCaptured = false;
}

bool CHeadlessWindow::RequestRepaintAndWait() {
    return m_Gate.RequestAndWait([] {});
}

bool CHeadlessWindow::PumpRepaintRequests(CWindowHandler& handler) {
    if (!m_Gate.HasPending()) return false;
    handler.OnUserRedraw();
    m_Gate.MarkServed();
    return true;
}
