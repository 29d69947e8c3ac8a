// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The data-file notice: a small rounded paper label on the meadow, quiet enough for a child to
// ignore and plain enough for a parent to read.
#include "users/DataFileNotice.h"

#include "gfx/Gbk.h"
#include "gfx/Text.h"
#include "platform/Translate.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr Rect NOTICE_LABEL = {262, 732, 762, 762};
constexpr int CORNER_RADIUS = 9;
constexpr int OUTLINE_WIDTH = 2;
constexpr Color LABEL_OUTLINE = RGB(0x5b, 0x3a, 0x1e);
constexpr Color LABEL_PAPER = RGB(0xff, 0xfd, 0xf5);
constexpr Color NOTICE_TEXT = RGB(0xb0, 0x2a, 0x22);

// A rectangle with rounded corners, filled one row at a time.
void FillRoundedRect(CImageLayer& layer, const Rect& rc, int radius, Color color) {
    for (int y = rc.top; y < rc.bottom; ++y) {
        const int fromEdge = std::min(y - rc.top, rc.bottom - 1 - y);
        int inset = 0;
        if (fromEdge < radius) {
            const double dy = radius - fromEdge - 0.5;
            inset = int(std::lround(radius - std::sqrt(double(radius * radius) - dy * dy)));
        }
        const Rect row = {rc.left + inset, y, rc.right - inset, y + 1};
        layer.FillSurface(&row, color);
    }
}

} // namespace

void PaintDataFileNotice(CImageLayer& layer) {
    static const std::string notice =
        GbkFromUtf8(Tr("注意：成绩文件无法使用，这次的成绩不会被保存。"));
    FillRoundedRect(layer, NOTICE_LABEL, CORNER_RADIUS, LABEL_OUTLINE);
    const Rect paper = {NOTICE_LABEL.left + OUTLINE_WIDTH, NOTICE_LABEL.top + OUTLINE_WIDTH,
                        NOTICE_LABEL.right - OUTLINE_WIDTH, NOTICE_LABEL.bottom - OUTLINE_WIDTH};
    FillRoundedRect(layer, paper, CORNER_RADIUS - OUTLINE_WIDTH, LABEL_PAPER);
    asDRAWCONTEXT& dc = *layer.m_hDC;
    const Color saved = dc.SetTextColor(NOTICE_TEXT);
    layer.DrawTextBox(notice, paper, DT_CENTER | DT_VCENTER | DT_SINGLELINE, 400, 16);
    dc.SetTextColor(saved);
}
