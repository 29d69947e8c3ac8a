// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Which part of a frame a pointer move or a wing beat changes: the hand's old and new boxes, a
// lifted plank with its balloon, one keypad control; anything else repaints the whole frame.
#include "app/CSumoraWnd.h"

#include "exercise/ExerciseLayout.h"
#include "gfx/Pictures.h"
#include "users/UserData.h"
#include "users/UserLayout.h"

namespace {

constexpr Rect CLIENT = {0, 0, CLIENT_WIDTH, CLIENT_HEIGHT};
// A plank's caption and its shadow stand a few pixels off its rectangle.
constexpr int CAPTION_SPILL = 4;
// A hovered exercise control is drawn lifted above its place (and a picture may be larger
// than the place it is hit in).
constexpr int LIFT_SPILL = 34;
constexpr int MAX_HOVER_CONTROLS = 64;
// The exercise screen's controls in the scene key: the keypad, then these.
constexpr int HINT_BIT = KEYPAD_BUTTONS;
constexpr int FINISH_BIT = KEYPAD_BUTTONS + 2;

Rect PictureBox(int id, int x, int y) {
    const asPICTUREINFO* picture = FindPicture(id);
    return picture ? Rect{x, y, x + picture->nWidth, y + picture->nHeight} : Rect{};
}

} // namespace

Rect CSumoraWnd::HandBox() const {
    if (m_nHandX == NO_HAND || m_nHandY == NO_HAND) return {};
    return IntersectRect(PictureBox(m_nHandBitmap, m_nHandX, m_nHandY), CLIENT);
}

Rect CSumoraWnd::CartoonBoxes() const {
    Rect boxes;
    for (const asCARTOONCONTROL& cartoon : m_arrCartoons.m_arrCartoons)
        for (int picture : {BUTTERFLY_PICTURE_0, BUTTERFLY_PICTURE_1})
            boxes = UnionRect(boxes, PictureBox(picture, cartoon.nX, cartoon.nY));
    return IntersectRect(boxes, CLIENT);
}

// The controls each screen's painter lights under the hand, in a fixed order per screen.
CSumoraWnd::asSCENEKEY CSumoraWnd::SceneKey() const {
    asSCENEKEY key;
    key.nScreenState = m_nScreenState;
    const CUserScreen& users = m_UserScreen;
    key.rcPanel = users.m_rcPanel;
    key.nPanelSet = users.m_nPanelSet;
    for (int k = 0; k < TITLE_ITEM_COUNT; ++k)
        if (m_TitleItems[size_t(k)].nFlags & 1) key.nTitleFlags |= 1u << k;
    if (ShownFocus()) key.nFocus = m_KeyFocus.m_nIndex;

    // Bit i: control i holds the hand; nothing is allocated, as this runs twice a move.
    int next = 0;
    auto control = [&](const Rect& rc) {
        if (next >= MAX_HOVER_CONTROLS)
            key.bComplex = true;
        else if (PtInRect(rc, m_nHandX, m_nHandY))
            key.nHovered |= uint64_t(1) << next;
        ++next;
    };
    switch (ScreenOf(m_nScreenState)) {
    case SCREEN_TITLE:
        control(g_rcLeave);
        break;
    case SCREEN_EXERCISE:
        for (int i = 0; i < KEYPAD_BUTTONS; ++i)
            control(g_rcKeypad[i]);
        for (const Rect& rc : {g_rcHint, g_rcNewPage, g_rcFinish})
            control(rc);
        break;
    case SCREEN_USERS:
        for (const Rect& rc : g_rcUserButtons)
            control(rc);
        for (const Rect& rc : {g_rcChangeUser, g_rcNameOk, g_rcNameCancel, users.m_rcPanel,
                               users.m_rcRangeDown, users.m_rcRangeUp})
            control(rc);
        if (!users.m_rcPanel.IsEmpty())
            for (int j = 0; j < OPERATION_KINDS; ++j)
                control(OperationBox(users.m_rcPanel, j));
        for (int k = 0; k < EXERCISE_SET_COUNT || k < int(g_arrUsers.size()); ++k)
            control(UserRow(k));
        break;
    default:
        break;
    }
    return key;
}

Rect CSumoraWnd::ChangedBetween(const asSCENEKEY& before, const asSCENEKEY& after) const {
    if (before == after && !after.bComplex) return {};
    if (before.bComplex || after.bComplex || before.nScreenState != after.nScreenState ||
        before.rcPanel != after.rcPanel || before.nPanelSet != after.nPanelSet ||
        before.nFocus != after.nFocus)
        return CLIENT;
    const uint64_t hoverChanged = before.nHovered ^ after.nHovered;
    switch (ScreenOf(after.nScreenState)) {
    case SCREEN_TITLE: {
        if (hoverChanged) return CLIENT; // the leave sign lit or put out
        Rect changed = BALLOON_RECT;
        for (int k = 0; k < TITLE_ITEM_COUNT; ++k)
            if ((before.nTitleFlags ^ after.nTitleFlags) & (1u << k))
                changed = UnionRect(changed, InflateRect(TITLE_ITEM_RECTS[size_t(k)], CAPTION_SPILL,
                                                         CAPTION_SPILL));
        return changed;
    }
    case SCREEN_EXERCISE: {
        // The finish book shows a bare shelf: the whole page changes with it.
        if (before.nTitleFlags != after.nTitleFlags || (hoverChanged >> FINISH_BIT) != 0)
            return CLIENT;
        Rect changed;
        for (int i = 0; i < FINISH_BIT; ++i)
            if (hoverChanged & (uint64_t(1) << i)) {
                const Rect place = i < KEYPAD_BUTTONS ? g_rcKeypad[i]
                                   : i == HINT_BIT    ? g_rcHint
                                                      : g_rcNewPage;
                changed = UnionRect(changed, InflateRect(place, LIFT_SPILL, LIFT_SPILL));
            }
        return IntersectRect(changed, CLIENT);
    }
    default:
        return CLIENT;
    }
}
