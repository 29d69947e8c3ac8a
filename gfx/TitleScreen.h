// The title screen: the meadow, the nine planks with their captions and hints, the leave sign.
#pragma once

#include "gfx/CImageLayer.h"
#include "platform/Geometry.h"

#include <string>

struct asTITLEITEM {
    std::string strCaption; // GBK
    std::string strHint;    // GBK
    int nFlags = 0;         // bit 0: the pointer is over the plank
    int nFontHeight = 20;
    int nFontWeight = 700;
    Rect rcItem;
};

constexpr int TITLE_ITEM_COUNT = 9;
constexpr int TITLE_BACKGROUND_PICTURE = 154;
constexpr int LEAVE_HOVER_PICTURE = 169;
constexpr int BALLOON_PICTURE = 180;

extern asTITLEITEM g_TitleItems[TITLE_ITEM_COUNT];

// Captions and hints of planks 0..7 from the current problem sets.
void RebuildTitleCaptions();

// Draws plank index into the context (its text colour is restored afterwards).
void DrawTitleItem(int index, CDrawContext& dc);

// The title's share of the hit test: flags the plank under the point, records a problem-set
// plank as the selected set, and names the control there (0..8, 20 for the leave sign, or -1).
int TitleHitTest(int x, int y, int& nSelectedSet);
