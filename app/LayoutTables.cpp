// Layout tables, derived by the rules that place them rather than typed in as numbers.
#include "app/LayoutTables.h"

Rect g_rcRowBands[12];
Rect g_rcTopCells[16];
Rect g_rcProblemLines[12];
Rect g_rcLineMarks[12];
Rect g_rcExerciseControls[14];
Rect* const g_rcKeypad = g_rcExerciseControls;
Rect& g_rcFinish = g_rcExerciseControls[12];
Rect& g_rcNewPage = g_rcExerciseControls[13];
Rect g_rcLeave;
Rect g_rcUserButtons[4];
Rect g_rcNameOk;
Rect g_rcNameCancel;
Rect g_rcNameText;
Rect g_rcNameNotice;
Rect g_rcCurrentUser;
Rect g_rcChangeUser;
Rect g_rcHint;

const uint16_t g_nKeypadBitmaps[12] = {132, 133, 141, 134, 135, 136, 137, 138, 139, 140, 142, 143};

namespace {

constexpr Rect SizedRect(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

} // namespace

void BuildLayoutTables() {
    for (int k = 0; k < 12; ++k)
        g_rcRowBands[k] = {0, 64 * k, 1024, 64 * k + 64};
    for (int k = 0; k < 16; ++k)
        g_rcTopCells[k] = {64 * k, 0, 64 * k + 64, 64};

    const Rect firstLine = InflateRect({230, 150, 764, 190}, -40, 0);
    const Rect firstMark = {190, 150, 230, 190};
    for (int k = 0; k < 12; ++k) {
        g_rcProblemLines[k] = OffsetRect(firstLine, 0, 40 * k);
        g_rcLineMarks[k] = OffsetRect(firstMark, 0, 40 * k);
    }

    // Keypad button k: top cell k + 2 shrunk by 5, its top moved to band 11's top + 5.
    for (int k = 0; k < 12; ++k) {
        const Rect cell = InflateRect(g_rcTopCells[k + 2], -5, -5);
        g_rcKeypad[k] = OffsetRect(cell, 0, g_rcRowBands[11].top + 5 - cell.top);
    }
    g_rcFinish = InflateRect({0, 668, 100, 768}, -18, -18);
    g_rcNewPage = {824, 568, 924, 668};
    g_rcHint = InflateRect({924, 668, 1024, 768}, -23, -23);
    g_rcLeave = {79, 522, 196, 555};

    constexpr int USER_BUTTON_WIDTH = 101, USER_BUTTON_HEIGHT = 36;
    for (int k = 0; k < 3; ++k)
        g_rcUserButtons[k] = SizedRect(206 + 111 * k, 491, USER_BUTTON_WIDTH, USER_BUTTON_HEIGHT);
    g_rcUserButtons[3] = SizedRect(740, 491, USER_BUTTON_WIDTH, USER_BUTTON_HEIGHT);
    g_rcChangeUser = SizedRect(740, 566, USER_BUTTON_WIDTH, USER_BUTTON_HEIGHT);

    constexpr int NAME_BUTTON_WIDTH = 86, NAME_BUTTON_HEIGHT = 39;
    g_rcNameOk = SizedRect(678, 366, NAME_BUTTON_WIDTH, NAME_BUTTON_HEIGHT);
    g_rcNameCancel = SizedRect(585, 366, NAME_BUTTON_WIDTH, NAME_BUTTON_HEIGHT);
    g_rcNameText = SizedRect(286, 295, 478, 54);
    g_rcNameNotice = SizedRect(286, 366, 290, 39);
    g_rcCurrentUser = SizedRect(206, 563, 290, 39);
}
