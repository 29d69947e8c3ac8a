// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The settings list of the main user page and its hover panel: number limit arrows and one box
// per kind of problem.
#include "gfx/Gbk.h"
#include "gfx/Pictures.h"
#include "platform/Translate.h"
#include "users/UserData.h"
#include "users/UserLayout.h"
#include "users/UserScreen.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int PANEL_WIDTH = 185;
constexpr int PANEL_HEIGHT = 224;

// The panel hangs from the bottom left corner of the row that opened it.
Rect PanelUnderRow(int k) {
    const Rect row = UserRow(k);
    return {row.left, row.bottom, row.left + PANEL_WIDTH, row.bottom + PANEL_HEIGHT};
}
Rect RangeDownArrow(const Rect& panel) {
    return {panel.left + 18, panel.top + 11, panel.left + 79, panel.top + 40};
}
Rect RangeUpArrow(const Rect& panel) {
    return {panel.left + 109, panel.top + 11, panel.left + 170, panel.top + 40};
}

bool IsSet(int k) {
    return k >= 0 && k < EXERCISE_SET_COUNT;
}

} // namespace

// Box j switches OperationFlags bit 1 << j.
Rect OperationBox(const Rect& panel, int j) {
    const int left = panel.left + 136, top = panel.top + 68 + 25 * j;
    return {left, top, left + 20, top + 20};
}

std::string SettingsRowText(const ExerciseSet& set) {
    // TRANSLATORS: a settings row: the set's limit, then each kind it asks, each with its own
    // leading space. Keep them short: one row holds all six kinds.
    static const std::string rangeFormat = GbkFromUtf8(Tr("%d以内"));
    static const std::string kinds[OPERATION_KINDS] = {
        GbkFromUtf8(Tr(" 加")),   GbkFromUtf8(Tr(" 减")),       GbkFromUtf8(Tr(" 连加")),
        GbkFromUtf8(Tr(" 连减")), GbkFromUtf8(Tr(" 加减混合")), GbkFromUtf8(Tr(" 填空"))};
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, rangeFormat.c_str(), int(set.nRange));
    std::string text = buffer;
    for (int j = 0; j < OPERATION_KINDS; ++j)
        if (set.nOperations & (1u << j)) text += kinds[j];
    return text;
}

void CUserScreen::PlacePanel(int x, int y) {
    if (!PtInRect(m_rcPanel, x, y)) {
        m_rcPanel = {};
        for (int k = 0; k < EXERCISE_SET_COUNT; ++k)
            if (PtInRect(UserRow(k), x, y)) {
                m_nPanelSet = k;
                m_rcPanel = PanelUnderRow(k);
            }
    } else if (!IsSet(m_nPanelSet)) {
        m_rcPanel = {};
    }
    if (m_rcPanel.IsEmpty() || !IsSet(m_nPanelSet)) return;
    m_rcRangeDown = RangeDownArrow(m_rcPanel);
    m_rcRangeUp = RangeUpArrow(m_rcPanel);
}

void CUserScreen::OpenPanel(int k) {
    if (!IsSet(k)) return;
    m_nPanelSet = k;
    m_rcPanel = PanelUnderRow(k);
    m_rcRangeDown = RangeDownArrow(m_rcPanel);
    m_rcRangeUp = RangeUpArrow(m_rcPanel);
}

void CUserScreen::ClosePanel() {
    m_nPanelSet = -1;
    m_rcPanel = {};
}

// Leaving closes the panel; the next placing opens it again under whatever row the pointer is on.
bool CUserScreen::TrackPanel(int x, int y) {
    if (m_rcPanel.IsEmpty()) return false;
    const bool inside = PtInRect(m_rcPanel, x, y);
    if (!m_bPanelEntered) {
        m_bPanelEntered = inside;
        return false;
    }
    if (inside) return false;
    m_nPanelSet = -1;
    m_rcPanel = {};
    return true;
}

int CUserScreen::ArrowAt(int x, int y) const {
    if (m_rcPanel.IsEmpty()) return 0;
    if (PtInRect(m_rcRangeDown, x, y)) return -1;
    if (PtInRect(m_rcRangeUp, x, y)) return +1;
    return 0;
}

// The step of a short click (and the last step of a held arrow), or the box under the point.
void CUserScreen::ReleasePanel(int x, int y) {
    if (!IsSet(m_nPanelSet) || m_rcPanel.IsEmpty()) return;
    if (const int delta = ArrowAt(x, y)) StepPanelRange(delta);
    for (int j = 0; j < OPERATION_KINDS; ++j)
        if (PtInRect(OperationBox(m_rcPanel, j), x, y))
            g_ExerciseSets[m_nPanelSet].nOperations ^= 1u << j;
}

// A limit that came from outside the range (an edited data file) steps from the nearest end of
// it, so the arrows always bring it inside.
void CUserScreen::StepPanelRange(int delta) {
    if (!IsSet(m_nPanelSet)) return;
    int32_t& range = g_ExerciseSets[m_nPanelSet].nRange;
    range = std::clamp(std::clamp(range, RANGE_MIN, RANGE_MAX) + delta, RANGE_MIN, RANGE_MAX);
}

void PaintSettingsList(CImageLayer& target, const CUserScreen& screen, int handX, int handY) {
    const Rect& panel = screen.m_rcPanel;
    const bool open = !panel.IsEmpty() && IsSet(screen.m_nPanelSet);
    for (int k = 0; k < EXERCISE_SET_COUNT; ++k)
        DrawEmbossedText(target, SettingsRowText(g_ExerciseSets[k]), UserRow(k),
                         open && k == screen.m_nPanelSet ? ALIGN_LEFT : ALIGN_RIGHT);
    if (!open) return;

    target.DrawBitmap(panel.left, panel.top, PANEL_PICTURE);
    const uint32_t operations = g_ExerciseSets[screen.m_nPanelSet].nOperations;
    for (int j = 0; j < OPERATION_KINDS; ++j) {
        const Rect box = OperationBox(panel, j);
        if (PtInRect(box, handX, handY))
            target.DrawBitmap(box.left, box.top, PANEL_BOX_HOVER_PICTURE);
        if (operations & (1u << j)) target.DrawBitmapKeyed(box.left, box.top, PANEL_TICK_PICTURE);
    }
    const Rect& down = screen.m_rcRangeDown;
    const Rect& up = screen.m_rcRangeUp;
    if (PtInRect(down, handX, handY))
        target.DrawBitmap(down.left, down.top, RANGE_DOWN_HOVER_PICTURE);
    if (PtInRect(up, handX, handY)) target.DrawBitmap(up.left, up.top, RANGE_UP_HOVER_PICTURE);
}
