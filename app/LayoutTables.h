// The fixed rectangles of the four screens, built once by BuildLayoutTables.
#pragma once

#include "platform/Geometry.h"

#include <cstdint>

extern Rect g_rcRowBands[12];
extern Rect g_rcTopCells[16];
extern Rect g_rcProblemLines[12];
extern Rect g_rcLineMarks[12];
// Keypad, finish and new page follow each other so one walk over 14 rectangles gives the
// exercise screen's hit codes 6..19.
extern Rect g_rcExerciseControls[14];
extern Rect* const g_rcKeypad; // 12 buttons: digits 0..9, clear, enter
extern Rect& g_rcFinish;
extern Rect& g_rcNewPage;
extern Rect g_rcLeave;
extern Rect g_rcUserButtons[4];
extern Rect g_rcNameOk;
extern Rect g_rcNameCancel;
extern Rect g_rcNameText;
extern Rect g_rcNameNotice;
extern Rect g_rcCurrentUser;
extern Rect g_rcChangeUser;
extern Rect g_rcHint;

// Bitmap of keypad button k: digits 0..9, clear, enter (the digit 2 is picture 141).
extern const uint16_t g_nKeypadBitmaps[12];

void BuildLayoutTables();

// User row k of the user and settings lists.
constexpr Rect UserRow(int k) {
    return {250, 180 + 35 * k, 774, 215 + 35 * k};
}
