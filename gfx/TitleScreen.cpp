// Title screen painting, plank captions and the title hit test.
#include "gfx/TitleScreen.h"

#include "app/CSumoraWnd.h"
#include "app/LayoutTables.h"
#include "platform/Gbk.h"
#include "platform/Text.h"
#include "users/UserData.h"

#include <cstdio>

asTITLEITEM g_TitleItems[TITLE_ITEM_COUNT] = {
    {{}, {}, 0, 20, 700, {360, 180, 690, 220}},
    {{}, {}, 0, 20, 700, {360, 230, 690, 270}},
    {{}, {}, 0, 20, 700, {360, 270, 690, 310}},
    {{}, {}, 0, 20, 700, {360, 320, 690, 360}},
    {{}, {}, 0, 20, 700, {360, 360, 690, 400}},
    {{}, {}, 0, 20, 700, {360, 410, 690, 450}},
    {{}, {}, 0, 20, 700, {360, 450, 690, 490}},
    {{}, {}, 0, 20, 700, {360, 495, 690, 535}},
    {GbkFromUtf8("信息及设置"),
     GbkFromUtf8("　　查看用户信息、更改系统设置"),
     0,
     20,
     700,
     {360, 540, 690, 570}},
};

namespace {

std::string FormatNumber(const std::string& gbkFormat, int value) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, gbkFormat.c_str(), value);
    return buffer;
}

} // namespace

void RebuildTitleCaptions() {
    static const std::string captionFormat = GbkFromUtf8("%d 以内算术题");
    static const std::string hintFormat = GbkFromUtf8("　　%d 以内算术题：");
    static const std::string operationNames[6] = {GbkFromUtf8("加　"),      GbkFromUtf8("减　"),
                                                  GbkFromUtf8("连加　"),    GbkFromUtf8("连减　"),
                                                  GbkFromUtf8("加减混合 "), GbkFromUtf8("填空")};
    for (int k = 0; k < EXERCISE_SET_COUNT; ++k) {
        const ExerciseSet& set = g_ExerciseSets[k];
        g_TitleItems[k].strCaption = FormatNumber(captionFormat, set.nRange);
        std::string hint = FormatNumber(hintFormat, set.nRange);
        for (int bit = 0; bit < 6; ++bit)
            if (set.nOperations & (1u << bit)) hint += operationNames[bit];
        g_TitleItems[k].strHint = hint;
    }
}

void DrawTitleItem(int index, CDrawContext& dc) {
    CImageLayer layer; // borrows the context
    layer.m_hDC = &dc;
    const asTITLEITEM& item = g_TitleItems[index];
    Rect rcFront = item.rcItem;
    Rect rcShadow = item.rcItem;
    const Color saved = dc.crText;
    constexpr unsigned CAPTION_FORMAT = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    int frontHeight;
    if (item.nFlags & 1) {
        layer.DrawBitmapBlended({0, 0, 280, 172}, {710, 285, 990, 457}, BALLOON_PICTURE, 200);
        layer.DrawTextBox(item.strHint, {760, 305, 950, 427}, DT_WORDBREAK, 400, 14);
        rcShadow = OffsetRect(rcShadow, 3, 3);
        dc.SetTextColor(RGB(0x32, 0x32, 0x32));
        layer.DrawTextBox(item.strCaption, rcShadow, CAPTION_FORMAT, item.nFontWeight, 25);
        rcFront = OffsetRect(rcFront, -1, -1);
        frontHeight = 25;
    } else {
        rcShadow = OffsetRect(rcShadow, 1, 1);
        dc.SetTextColor(COLOR_BLACK);
        layer.DrawTextBox(item.strCaption, rcShadow, CAPTION_FORMAT, item.nFontWeight,
                          item.nFontHeight);
        frontHeight = item.nFontHeight;
    }
    dc.SetTextColor(COLOR_WHITE);
    layer.DrawTextBox(item.strCaption, rcFront, CAPTION_FORMAT, item.nFontWeight, frontHeight);
    dc.SetTextColor(saved);
}

int TitleHitTest(int x, int y, int& nSelectedSet) {
    int result = -1;
    for (int k = 0; k < TITLE_ITEM_COUNT; ++k) {
        if (PtInRect(g_TitleItems[k].rcItem, x, y)) {
            g_TitleItems[k].nFlags = 1;
            result = k;
            if (k <= 7) nSelectedSet = k;
        } else {
            g_TitleItems[k].nFlags = 0;
        }
    }
    if (PtInRect(g_rcLeave, x, y)) result = HIT_LEAVE;
    return result;
}

void CSumoraWnd::PaintTitleScreen() {
    if (!m_hBitmap) return;
    DrawBitmap(0, 0, TITLE_BACKGROUND_PICTURE);
    for (int k = 0; k < TITLE_ITEM_COUNT; ++k)
        DrawTitleItem(k, *m_hDC);
    if (PtInRect(g_rcLeave, m_nHandX, m_nHandY))
        DrawBitmapKeyed(g_rcLeave.left, g_rcLeave.top, LEAVE_HOVER_PICTURE);
}
