// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The award certificate at the end of a run: the child's name, the counts and the score.
#include "exercise/Certificate.h"

#include "exercise/ExerciseLayout.h"
#include "gfx/Gbk.h"
#include "gfx/Pictures.h"
#include "gfx/Text.h"
#include "platform/Translate.h"

#include <cstdio>

namespace {

constexpr unsigned LINE_FORMAT = DT_SINGLELINE | DT_VCENTER;

template <typename... Args> std::string Format(const std::string& gbkFormat, Args... args) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, gbkFormat.c_str(), args...);
    return buffer;
}

} // namespace

std::string CertificateAwardLine(const std::string& gbkName) {
    static const std::string format = GbkFromUtf8(Tr("奖给：%s小朋友"));
    // TRANSLATORS: the award's line without a child's name: it stands for the name.
    static const std::string diligent = GbkFromUtf8(Tr("勤奋的"));
    return Format(format, (gbkName.empty() ? diligent : gbkName).c_str());
}

std::string CertificateCountsLine(int done, int firstTry) {
    static const std::string format = GbkFromUtf8(Tr("题量：%d道　　答对：%d道"));
    return Format(format, done, firstTry);
}

std::string CertificateScoreText(int score) {
    static const std::string format = GbkFromUtf8(Tr("%d分"));
    return Format(format, score);
}

void PaintCertificate(CImageLayer& target, const std::string& gbkName, int done, int firstTry,
                      int score) {
    static const std::string finalScore = GbkFromUtf8(Tr("最后得分"));
    target.DrawBitmap(0, 0, SKY_PICTURE);
    target.DrawBitmap(256, 192, CERTIFICATE_PICTURE);
    asDRAWCONTEXT& dc = *target.m_hDC;
    // The three lines are set black explicitly: the shared surface may hold another colour.
    const Color saved = dc.SetTextColor(COLOR_BLACK);
    Rect rc = OffsetRect(InflateRect(g_rcRowBands[5], -320, 0), 0, -32);
    target.DrawTextBox(CertificateAwardLine(gbkName), rc, LINE_FORMAT, 900, 24);
    rc = OffsetRect(rc, 0, 64);
    target.DrawTextBox(CertificateCountsLine(done, firstTry), rc, LINE_FORMAT, 900, 18);
    rc = OffsetRect(rc, 0, 64);
    target.DrawTextBox(finalScore, rc, LINE_FORMAT, 900, 18);
    rc = OffsetRect(rc, 128, 0);
    dc.SetTextColor(RGB(200, 0, 0));
    target.DrawTextBox(CertificateScoreText(score), rc, LINE_FORMAT, 900, 56);
    dc.SetTextColor(saved);
}
