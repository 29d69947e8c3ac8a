// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The user management screen: the common board of its five pages, the button highlights, the
// name-entry board and the user list.
#include "users/UserScreen.h"

#include "gfx/Gbk.h"
#include "gfx/Pictures.h"
#include "platform/Translate.h"
#include "users/UserData.h"
#include "users/UserLayout.h"

void DrawEmbossedText(CImageLayer& layer, std::string_view gbk, const Rect& rc, unsigned align) {
    asDRAWCONTEXT& dc = *layer.m_hDC;
    const Color saved = dc.SetTextColor(COLOR_BLACK);
    layer.DrawTextBox(gbk, OffsetRect(rc, 1, 1), align, EMBOSSED_WEIGHT, EMBOSSED_HEIGHT);
    dc.SetTextColor(EMBOSSED_TEXT_COLOR);
    layer.DrawTextBox(gbk, rc, align, EMBOSSED_WEIGHT, EMBOSSED_HEIGHT);
    dc.SetTextColor(saved);
}

namespace {

constexpr int NOTICE_HEIGHT = 14;
constexpr int NOTICE_WEIGHT = 700;

// The rule under the board, which is also the time axis of the score chart.
constexpr Rect RULE_SHADOW{188, 472, 860, 475};
constexpr Rect RULE_FACE{187, 471, 859, 474};

// A button whose lit face is drawn while the pointer is on it on the main page.
struct asBUTTONHIGHLIGHT {
    Rect rc;
    int nPicture;
};

void DrawHighlight(CImageLayer& layer, const Rect& rc, int picture) {
    layer.DrawBitmap(rc.left, rc.top, uint16_t(picture));
}

// What the notice line says: why a character was just refused, else the board's notice.
const std::string& NameNotice(const CUserScreen& screen) {
    static const std::string noForm = GbkFromUtf8(Tr("这个字不能用！"));
    static const std::string noRoom = GbkFromUtf8(Tr("名字太长了！"));
    switch (screen.m_nRefusal) {
    case NAME_REFUSAL_NO_FORM:
        return noForm;
    case NAME_REFUSAL_NO_ROOM:
        return noRoom;
    default:
        return screen.m_strNotice;
    }
}

void PaintNameEntry(CImageLayer& target, const CUserScreen& screen, int handX, int handY) {
    static const std::string caret = GbkFromUtf8("┃");
    target.DrawBitmap(269, 278, NAME_BOARD_PICTURE);
    if (PtInRect(g_rcNameOk, handX, handY))
        DrawHighlight(target, g_rcNameOk, NAME_OK_HOVER_PICTURE);
    if (PtInRect(g_rcNameCancel, handX, handY))
        DrawHighlight(target, g_rcNameCancel, NAME_CANCEL_HOVER_PICTURE);
    DrawHighlight(target, g_rcUserButtons[0], NEW_USER_HOVER_PICTURE);
    // The caret stands still after the last character: the board has no blinking.
    DrawEmbossedText(target, screen.m_strNewName + caret, g_rcNameText, ALIGN_LEFT);
    const Color saved = target.m_hDC->SetTextColor(COLOR_BLACK);
    target.DrawTextBox(NameNotice(screen), g_rcNameNotice, ALIGN_LEFT, NOTICE_WEIGHT,
                       NOTICE_HEIGHT);
    target.m_hDC->SetTextColor(saved);
}

// The pointed-at row moves to the left, the current user sits in the middle, the rest on the
// right; pointing changes nothing else.
void PaintUserList(CImageLayer& target, int handX, int handY) {
    for (int k = 0; k < int(g_arrUsers.size()); ++k) {
        const Rect row = UserRow(k);
        unsigned align = ALIGN_RIGHT;
        if (PtInRect(row, handX, handY))
            align = ALIGN_LEFT;
        else if (k == g_nCurrentUser)
            align = ALIGN_CENTER;
        DrawEmbossedText(target, g_arrUsers[size_t(k)].strName, row, align);
    }
}

} // namespace

void PaintUserScreen(CImageLayer& target, const CUserScreen& screen, UserPage page, int handX,
                     int handY) {
    static const std::string currentUserLabel = GbkFromUtf8(Tr("当前用户："));
    if (!target.m_hDC) return;
    target.DrawBitmap(0, 0, USERS_BACKGROUND_PICTURE);
    target.FillSurface(&RULE_SHADOW, COLOR_BLACK);
    target.FillSurface(&RULE_FACE, ENGRAVED_FACE_COLOR);
    if (const asUSERINFO* user = CurrentUser())
        DrawEmbossedText(target, currentUserLabel + user->strName, g_rcCurrentUser, ALIGN_LEFT);

    switch (page) {
    case USER_PAGE_MAIN: {
        PaintSettingsList(target, screen, handX, handY);
        if (!screen.m_rcPanel.IsEmpty()) break; // the open panel may cover the buttons
        const asBUTTONHIGHLIGHT buttons[] = {
            {g_rcUserButtons[0], NEW_USER_HOVER_PICTURE},
            {g_rcUserButtons[1], DELETE_USER_HOVER_PICTURE},
            {g_rcUserButtons[2], VIEW_SCORES_HOVER_PICTURE},
            {g_rcUserButtons[3], DEFAULT_SETTINGS_HOVER_PICTURE},
            {g_rcChangeUser, CHANGE_USER_HOVER_PICTURE},
        };
        for (const asBUTTONHIGHLIGHT& button : buttons)
            if (PtInRect(button.rc, handX, handY))
                DrawHighlight(target, button.rc, button.nPicture);
        break;
    }
    case USER_PAGE_SCORES:
        PaintScoreChart(target);
        break;
    case USER_PAGE_NEW_NAME:
        PaintNameEntry(target, screen, handX, handY);
        break;
    case USER_PAGE_CHOOSE:
        DrawHighlight(target, g_rcChangeUser, CHANGE_USER_HOVER_PICTURE);
        PaintUserList(target, handX, handY);
        break;
    case USER_PAGE_DELETE:
        DrawHighlight(target, g_rcUserButtons[1], DELETE_USER_HOVER_PICTURE);
        PaintUserList(target, handX, handY);
        break;
    default:
        break;
    }
}
