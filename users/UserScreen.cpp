// The user management screen: the common board of its five sub-screens, the button highlights,
// the name-entry board and the user list.
#include "users/UserScreen.h"

#include "app/CSumoraWnd.h"
#include "app/LayoutTables.h"
#include "platform/Gbk.h"
#include "users/UserData.h"

void DrawEmbossedText(CImageLayer& layer, std::string_view gbk, const Rect& rc, unsigned align) {
    CDrawContext& dc = *layer.m_hDC;
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

// A button whose lit face is drawn while the pointer is on it on the main sub-screen.
struct asBUTTONHIGHLIGHT {
    const Rect* prc;
    int nPicture;
};

const asUSERINFO* CurrentUser() {
    if (g_nCurrentUser < 0 || g_nCurrentUser >= int(g_arrUsers.size())) return nullptr;
    return &g_arrUsers[size_t(g_nCurrentUser)];
}

void DrawHighlight(CImageLayer& layer, const Rect& rc, int picture) {
    layer.DrawBitmap(rc.left, rc.top, uint16_t(picture));
}

void PaintNameEntry(CSumoraWnd& wnd) {
    static const std::string caret = GbkFromUtf8("┃");
    wnd.DrawBitmap(269, 278, NAME_BOARD_PICTURE);
    if (PtInRect(g_rcNameOk, wnd.m_nHandX, wnd.m_nHandY))
        DrawHighlight(wnd, g_rcNameOk, NAME_OK_HOVER_PICTURE);
    if (PtInRect(g_rcNameCancel, wnd.m_nHandX, wnd.m_nHandY))
        DrawHighlight(wnd, g_rcNameCancel, NAME_CANCEL_HOVER_PICTURE);
    DrawHighlight(wnd, g_rcUserButtons[0], NEW_USER_HOVER_PICTURE);
    // The caret stands still after the last character: the board has no blinking.
    DrawEmbossedText(wnd, wnd.m_strNewName + caret, g_rcNameText, ALIGN_LEFT);
    const Color saved = wnd.m_hDC->SetTextColor(COLOR_BLACK);
    wnd.DrawTextBox(wnd.m_strNotice, g_rcNameNotice, ALIGN_LEFT, NOTICE_WEIGHT, NOTICE_HEIGHT);
    wnd.m_hDC->SetTextColor(saved);
}

// The pointed-at row moves to the left, the current user sits in the middle, the rest on the
// right; pointing changes nothing else.
void PaintUserList(CSumoraWnd& wnd) {
    for (int k = 0; k < int(g_arrUsers.size()); ++k) {
        const Rect row = UserRow(k);
        unsigned align = ALIGN_RIGHT;
        if (PtInRect(row, wnd.m_nHandX, wnd.m_nHandY))
            align = ALIGN_LEFT;
        else if (k == g_nCurrentUser)
            align = ALIGN_CENTER;
        DrawEmbossedText(wnd, g_arrUsers[size_t(k)].strName, row, align);
    }
}

} // namespace

void CSumoraWnd::PaintUserScreen() {
    static const std::string currentUserLabel = GbkFromUtf8("当前用户：");
    if (!m_hDC) return;
    DrawBitmap(0, 0, USERS_BACKGROUND_PICTURE);
    FillSurface(&RULE_SHADOW, COLOR_BLACK);
    FillSurface(&RULE_FACE, ENGRAVED_FACE_COLOR);
    if (const asUSERINFO* user = CurrentUser())
        DrawEmbossedText(*this, currentUserLabel + user->strName, g_rcCurrentUser, ALIGN_LEFT);

    switch (m_nScreenState) {
    case SCREEN_USERS: {
        PaintSettingsList();
        if (!m_rcPanel.IsEmpty()) break; // the open panel may cover the buttons
        const asBUTTONHIGHLIGHT buttons[] = {
            {&g_rcUserButtons[0], NEW_USER_HOVER_PICTURE},
            {&g_rcUserButtons[1], DELETE_USER_HOVER_PICTURE},
            {&g_rcUserButtons[2], VIEW_SCORES_HOVER_PICTURE},
            {&g_rcUserButtons[3], DEFAULT_SETTINGS_HOVER_PICTURE},
            {&g_rcChangeUser, CHANGE_USER_HOVER_PICTURE},
        };
        for (const asBUTTONHIGHLIGHT& button : buttons)
            if (PtInRect(*button.prc, m_nHandX, m_nHandY))
                DrawHighlight(*this, *button.prc, button.nPicture);
        break;
    }
    case SCREEN_USERS_SCORES:
        PaintScoreChart();
        break;
    case SCREEN_USERS_NEWNAME:
        PaintNameEntry(*this);
        break;
    case SCREEN_USERS_CHOOSE:
        DrawHighlight(*this, g_rcChangeUser, CHANGE_USER_HOVER_PICTURE);
        PaintUserList(*this);
        break;
    case SCREEN_USERS_DELETE:
        DrawHighlight(*this, g_rcUserButtons[1], DELETE_USER_HOVER_PICTURE);
        PaintUserList(*this);
        break;
    default:
        break;
    }
}
