// The settings list of the main user sub-screen and its hover panel: number limit arrows with
// press-and-hold repeat, and one box per kind of problem.
#include "app/CSumoraWnd.h"
#include "app/LayoutTables.h"
#include "platform/Gbk.h"
#include "users/UserData.h"
#include "users/UserScreen.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int32_t RANGE_MIN = 3;
constexpr int32_t RANGE_MAX = 100;
constexpr int PANEL_WIDTH = 185;
constexpr int PANEL_HEIGHT = 224;
constexpr unsigned ARROW_DELAY_MS = 500;

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

} // namespace

// Box j switches OperationFlags bit 1 << j.
Rect OperationBox(const Rect& panel, int j) {
    const int left = panel.left + 136, top = panel.top + 68 + 25 * j;
    return {left, top, left + 20, top + 20};
}

std::string SettingsRowText(const ExerciseSet& set) {
    static const std::string rangeFormat = GbkFromUtf8("%d以内");
    static const std::string kinds[OPERATION_KINDS] = {
        GbkFromUtf8(" 加"),   GbkFromUtf8(" 减"),       GbkFromUtf8(" 连加"),
        GbkFromUtf8(" 连减"), GbkFromUtf8(" 加减混合"), GbkFromUtf8(" 填空")};
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, rangeFormat.c_str(), int(set.nRange));
    std::string text = buffer;
    for (int j = 0; j < OPERATION_KINDS; ++j)
        if (set.nOperations & (1u << j)) text += kinds[j];
    return text;
}

// The one painter that changes state: the row under the pointer opens the panel, and a
// pointer on neither a row nor the panel closes it.
void CSumoraWnd::PaintSettingsList() {
    const bool onPanel = PtInRect(m_rcPanel, m_nHandX, m_nHandY);
    bool rowHoldsPanel = false;
    for (int k = 0; k < EXERCISE_SET_COUNT; ++k) {
        unsigned align = ALIGN_RIGHT;
        if (onPanel) {
            if (k == m_nPanelSet) {
                align = ALIGN_LEFT;
                rowHoldsPanel = true;
            }
        } else if (PtInRect(UserRow(k), m_nHandX, m_nHandY)) {
            m_nPanelSet = k;
            m_rcPanel = PanelUnderRow(k);
            align = ALIGN_LEFT;
            rowHoldsPanel = true;
        }
        DrawEmbossedText(*this, SettingsRowText(g_ExerciseSets[k]), UserRow(k), align);
    }
    if (!rowHoldsPanel) m_rcPanel = {};
    if (m_rcPanel.IsEmpty() || m_nPanelSet < 0 || m_nPanelSet >= EXERCISE_SET_COUNT) return;

    DrawBitmap(m_rcPanel.left, m_rcPanel.top, PANEL_PICTURE);
    const uint32_t operations = g_ExerciseSets[m_nPanelSet].nOperations;
    for (int j = 0; j < OPERATION_KINDS; ++j) {
        const Rect box = OperationBox(m_rcPanel, j);
        if (PtInRect(box, m_nHandX, m_nHandY))
            DrawBitmap(box.left, box.top, PANEL_BOX_HOVER_PICTURE);
        if (operations & (1u << j)) DrawBitmapKeyed(box.left, box.top, PANEL_TICK_PICTURE);
    }
    m_rcRangeDown = RangeDownArrow(m_rcPanel);
    m_rcRangeUp = RangeUpArrow(m_rcPanel);
    if (PtInRect(m_rcRangeDown, m_nHandX, m_nHandY))
        DrawBitmap(m_rcRangeDown.left, m_rcRangeDown.top, RANGE_DOWN_HOVER_PICTURE);
    if (PtInRect(m_rcRangeUp, m_nHandX, m_nHandY))
        DrawBitmap(m_rcRangeUp.left, m_rcRangeUp.top, RANGE_UP_HOVER_PICTURE);
}

// Once the pointer has been on a panel, leaving it closes the panel; the next repaint opens
// it again under whatever row the pointer is on.
void CSumoraWnd::TrackPanel(int x, int y) {
    if (m_rcPanel.IsEmpty()) return;
    const bool inside = PtInRect(m_rcPanel, x, y);
    if (!m_bPanelEntered) {
        m_bPanelEntered = inside;
    } else if (!inside) {
        m_nPanelSet = -1;
        m_rcPanel = {};
        // An arrow held while the panel goes must not go on stepping a set the next row opens.
        for (int id = TIMER_INCREASE_REPEAT; id <= TIMER_DECREASE_DELAY; ++id)
            Host().KillTimer(id);
    }
}

void CSumoraWnd::PressPanel(int x, int y) {
    if (m_rcPanel.IsEmpty()) return;
    if (PtInRect(m_rcRangeDown, x, y))
        Host().SetTimer(TIMER_DECREASE_DELAY, ARROW_DELAY_MS);
    else if (PtInRect(m_rcRangeUp, x, y))
        Host().SetTimer(TIMER_INCREASE_DELAY, ARROW_DELAY_MS);
}

// The release makes the step of a short click (and the last step of a held arrow) and
// switches the box under the point.
void CSumoraWnd::ReleasePanel(int x, int y) {
    for (int id = TIMER_INCREASE_REPEAT; id <= TIMER_DECREASE_DELAY; ++id)
        Host().KillTimer(id);
    if (m_nPanelSet < 0 || m_nPanelSet >= EXERCISE_SET_COUNT || m_rcPanel.IsEmpty()) return;
    if (PtInRect(m_rcRangeDown, x, y))
        StepPanelRange(-1);
    else if (PtInRect(m_rcRangeUp, x, y))
        StepPanelRange(+1);
    for (int j = 0; j < OPERATION_KINDS; ++j)
        if (PtInRect(OperationBox(m_rcPanel, j), x, y))
            g_ExerciseSets[m_nPanelSet].nOperations ^= 1u << j;
}

// A limit that came from outside 3..100 (an edited data file) steps from the nearest end of
// the range, so the arrows always bring it inside.
void CSumoraWnd::StepPanelRange(int delta) {
    if (m_nPanelSet < 0 || m_nPanelSet >= EXERCISE_SET_COUNT) return;
    int32_t& range = g_ExerciseSets[m_nPanelSet].nRange;
    range = std::clamp(std::clamp(range, RANGE_MIN, RANGE_MAX) + delta, RANGE_MIN, RANGE_MAX);
}
