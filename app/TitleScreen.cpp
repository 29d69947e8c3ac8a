// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Title screen painting, plank captions and the title hit test.
#include "app/TitleScreen.h"

#include "app/ScreenState.h"
#include "facts/ProblemSet.h"
#include "gfx/Gbk.h"
#include "gfx/Pictures.h"
#include "gfx/Text.h"
#include "platform/Translate.h"

#include <cstdio>

namespace {

// The greeting is lettered as the planks' captions are; a long name makes it smaller, never so
// small that a child could not read it.
constexpr int SIGN_WEIGHT = 700;
constexpr int SIGN_LARGEST_HEIGHT = 20;
constexpr int SIGN_SMALLEST_HEIGHT = 14;
// Dark brown on light wood, as the leave sign is lettered.
constexpr Color SIGN_TEXT_COLOR = RGB(0x5b, 0x3a, 0x1e);

// Chinese characters read well at 14 px; Latin letters of that size are half as tall.
constexpr int HINT_HEIGHT = 14;
constexpr int HINT_LETTERS_HEIGHT = 17;

} // namespace

int HintTextHeight(std::string_view gbkHint) {
    for (const char c : gbkHint)
        if (static_cast<unsigned char>(c) >= 0x80) return HINT_HEIGHT;
    return HINT_LETTERS_HEIGHT;
}

asTITLEITEMS MakeTitleItems() {
    asTITLEITEMS items;
    for (int k = 0; k < TITLE_ITEM_COUNT; ++k)
        items[size_t(k)].rcItem = TITLE_ITEM_RECTS[size_t(k)];
    items[INFO_PLANK].strCaption = GbkFromUtf8(Tr("信息及设置"));
    // TRANSLATORS: the two wide spaces indent the balloon's first line, as a Chinese paragraph.
    items[INFO_PLANK].strHint = GbkFromUtf8(Tr("　　查看用户信息、更改系统设置"));
    return items;
}

void RebuildTitleCaptions(asTITLEITEMS& items, const ExerciseSet (&sets)[EXERCISE_SET_COUNT]) {
    // TRANSLATORS: the kinds of a set, written one after another after its caption; each brings
    // its own spacing or stop.
    static const std::string operationNames[6] = {
        GbkFromUtf8(Tr("加　")),   GbkFromUtf8(Tr("减　")),      GbkFromUtf8(Tr("连加　")),
        GbkFromUtf8(Tr("连减　")), GbkFromUtf8(Tr("加减混合 ")), GbkFromUtf8(Tr("填空"))};
    for (int k = 0; k < EXERCISE_SET_COUNT; ++k) {
        const ExerciseSet& set = sets[k];
        asTITLEITEM& item = items[size_t(k)];
        item.strCaption = GbkFromUtf8(SetCaption(set.nRange));
        // TRANSLATORS: the balloon of a problem set's plank: its caption, then its kinds. The two
        // wide spaces indent the first line, as a Chinese paragraph begins.
        const char* const hintStart = Tr("　　%s：");
        char start[128];
        std::snprintf(start, sizeof start, hintStart, SetCaption(set.nRange).c_str());
        std::string hint = GbkFromUtf8(start);
        for (int bit = 0; bit < 6; ++bit)
            if (set.nOperations & (1u << bit)) hint += operationNames[bit];
        item.strHint = hint;
    }
}

void DrawTitleItem(const asTITLEITEM& item, CImageLayer& target) {
    asDRAWCONTEXT& dc = *target.m_hDC;
    Rect rcFront = item.rcItem;
    Rect rcShadow = item.rcItem;
    const Color saved = dc.crText;
    constexpr unsigned CAPTION_FORMAT = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    int frontHeight;
    if (item.nFlags & 1) {
        target.DrawBitmapBlended({0, 0, BALLOON_RECT.Width(), BALLOON_RECT.Height()}, BALLOON_RECT,
                                 BALLOON_PICTURE, 200);
        target.DrawTextBox(item.strHint, HINT_TEXT_RECT, DT_WORDBREAK, 400,
                           HintTextHeight(item.strHint));
        rcShadow = OffsetRect(rcShadow, 3, 3);
        dc.SetTextColor(RGB(0x32, 0x32, 0x32));
        target.DrawTextBox(item.strCaption, rcShadow, CAPTION_FORMAT, item.nFontWeight, 25);
        rcFront = OffsetRect(rcFront, -1, -1);
        frontHeight = 25;
    } else {
        rcShadow = OffsetRect(rcShadow, 1, 1);
        dc.SetTextColor(COLOR_BLACK);
        target.DrawTextBox(item.strCaption, rcShadow, CAPTION_FORMAT, item.nFontWeight,
                           item.nFontHeight);
        frontHeight = item.nFontHeight;
    }
    dc.SetTextColor(COLOR_WHITE);
    target.DrawTextBox(item.strCaption, rcFront, CAPTION_FORMAT, item.nFontWeight, frontHeight);
    dc.SetTextColor(saved);
}

asSIGNTEXT FitNameSign(std::string_view name) {
    // TRANSLATORS: the title's greeting, written before and after the child's name.
    static const std::string before = GbkFromUtf8(Tr("你好，"));
    static const std::string after = GbkFromUtf8(Tr("！"));
    static const std::string ellipsis = GbkFromUtf8("…");
    // A glyph's ink may stand a pixel past its advance.
    const int room = NAME_TEXT_RECT.Width() - 2;
    const std::string whole = before + std::string(name) + after;
    for (int height = SIGN_LARGEST_HEIGHT; height >= SIGN_SMALLEST_HEIGHT; --height)
        if (GbkTextWidth(whole, SIGN_WEIGHT, height) <= room) return {whole, height};
    // At the smallest height, as many whole characters of the name as leave room for the ellipsis.
    size_t shown = 0;
    for (size_t next; shown < name.size(); shown = next) {
        next = shown + GbkCharacterSize(name, shown);
        const std::string cut = before + std::string(name.substr(0, next)) + ellipsis + after;
        if (GbkTextWidth(cut, SIGN_WEIGHT, SIGN_SMALLEST_HEIGHT) > room) break;
    }
    return {before + std::string(name.substr(0, shown)) + ellipsis + after, SIGN_SMALLEST_HEIGHT};
}

void PaintTitleScreen(CImageLayer& target, const asTITLEITEMS& items, std::string_view childName,
                      int handX, int handY) {
    if (!target.m_hDC) return;
    target.DrawBitmap(0, 0, TITLE_BACKGROUND_PICTURE);
    for (const asTITLEITEM& item : items)
        DrawTitleItem(item, target);
    if (!childName.empty()) {
        target.DrawBitmapKeyed(NAME_SIGN_RECT.left, NAME_SIGN_RECT.top, NAME_SIGN_PICTURE);
        const asSIGNTEXT sign = FitNameSign(childName);
        asDRAWCONTEXT& dc = *target.m_hDC;
        const Color saved = dc.SetTextColor(SIGN_TEXT_COLOR);
        target.DrawTextBox(sign.strText, NAME_TEXT_RECT, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                           SIGN_WEIGHT, sign.nHeight);
        dc.SetTextColor(saved);
    }
    if (PtInRect(g_rcLeave, handX, handY))
        target.DrawBitmapKeyed(g_rcLeave.left, g_rcLeave.top, LEAVE_HOVER_PICTURE);
}

int TitleHitTest(asTITLEITEMS& items, int x, int y, int& nSelectedSet) {
    int result = HIT_NOTHING;
    for (int k = 0; k < TITLE_ITEM_COUNT; ++k) {
        asTITLEITEM& item = items[size_t(k)];
        if (PtInRect(item.rcItem, x, y)) {
            item.nFlags = 1;
            result = k;
            if (k < INFO_PLANK) nSelectedSet = k;
        } else {
            item.nFlags = 0;
        }
    }
    if (PtInRect(g_rcLeave, x, y)) result = HIT_LEAVE;
    return result;
}
