// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The title screen: the meadow, the nine planks with their captions and hints, the leave sign.
#pragma once

#include "exercise/ExerciseSet.h"
#include "gfx/CImageLayer.h"
#include "gfx/Geometry.h"

#include <array>
#include <string>
#include <string_view>

struct asTITLEITEM {
    std::string strCaption; // GBK
    std::string strHint;    // GBK
    int nFlags = 0;         // bit 0: the pointer is over the plank
    int nFontHeight = 20;
    int nFontWeight = 700;
    Rect rcItem;
};

constexpr int TITLE_ITEM_COUNT = 9;
constexpr int INFO_PLANK = 8; // the last plank leads to the users and settings
using asTITLEITEMS = std::array<asTITLEITEM, TITLE_ITEM_COUNT>;

// Where the planks lie: eight problem sets, then the information plank.
inline constexpr std::array<Rect, TITLE_ITEM_COUNT> TITLE_ITEM_RECTS = {{
    {360, 180, 690, 220},
    {360, 230, 690, 270},
    {360, 270, 690, 310},
    {360, 320, 690, 360},
    {360, 360, 690, 400},
    {360, 410, 690, 450},
    {360, 450, 690, 490},
    {360, 495, 690, 535},
    {360, 540, 690, 570},
}};
constexpr Rect g_rcLeave = {79, 522, 196, 555};
// The yellow balloon that shows the hint of the lifted plank.
constexpr Rect BALLOON_RECT = {710, 285, 990, 457};
constexpr Rect HINT_TEXT_RECT = {760, 305, 950, 427};

// The hint's character height: a hint written in letters alone (no GBK double-byte character)
// is lettered larger than one in Chinese, so that it reads as easily.
int HintTextHeight(std::string_view gbkHint);
// The sign on the hill below the balloon that greets the child whose turn it is (picture 193),
// and the part of its face that holds the greeting.
constexpr Rect NAME_SIGN_RECT = {756, 504, 972, 580};
constexpr Rect NAME_TEXT_RECT = {776, 508, 952, 544};

// The planks at rest, with the information plank's texts; planks 0..7 get theirs from
// RebuildTitleCaptions.
asTITLEITEMS MakeTitleItems();

// Captions and hints of planks 0..7 from the problem sets.
void RebuildTitleCaptions(asTITLEITEMS& items, const ExerciseSet (&sets)[EXERCISE_SET_COUNT]);

// Draws one plank onto target (its text colour is restored afterwards).
void DrawTitleItem(const asTITLEITEM& item, CImageLayer& target);

// The greeting on the name sign for a child's name (GBK) and its character height: the largest
// height that fits NAME_TEXT_RECT, and at the smallest the name cut short with an ellipsis.
struct asSIGNTEXT {
    std::string strText; // GBK
    int nHeight = 0;
};
asSIGNTEXT FitNameSign(std::string_view name);

// The meadow, the planks, the name sign when childName (GBK) is not empty, and the leave sign lit
// under the hand.
void PaintTitleScreen(CImageLayer& target, const asTITLEITEMS& items, std::string_view childName,
                      int handX, int handY);

// The title's share of the hit test: flags the plank under the point, records a problem-set
// plank as the selected set, and names the control there (0..8, HIT_LEAVE or HIT_NOTHING).
int TitleHitTest(asTITLEITEMS& items, int x, int y, int& nSelectedSet);
