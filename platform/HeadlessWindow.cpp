// The headless window: no display, every request recorded.
#include "platform/HeadlessWindow.h"

void CHeadlessWindow::Present(const Surface& frame) {
    ++m_nPresents;
    if (m_fnOnPresent) m_fnOnPresent(frame);
}

void CHeadlessWindow::ShowSystemPointer(bool show) {
    m_nPointerShowCount += show ? 1 : -1;
}

void CHeadlessWindow::BeginDrag(int, int) {
    ++m_nDrags;
    m_bCaptured = false;
}

bool CHeadlessWindow::RequestRepaintAndWait() {
    return m_gate.RequestAndWait([] {});
}

bool CHeadlessWindow::PumpRepaintRequests(CWindowHandler& handler) {
    if (!m_gate.HasPending()) return false;
    handler.OnUserRedraw();
    m_gate.MarkServed();
    return true;
}
