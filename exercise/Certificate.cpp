// The award certificate at the end of a run: the child's name, the counts and the score.
#include "app/CSumoraWnd.h"

#include "app/LayoutTables.h"
#include "exercise/Certificate.h"
#include "platform/Gbk.h"
#include "platform/Text.h"
#include "users/UserData.h"

#include <cstdio>

namespace {

constexpr int SKY_PICTURE = 168;
constexpr int CERTIFICATE_PICTURE = 166;
constexpr unsigned LINE_FORMAT = DT_SINGLELINE | DT_VCENTER;

template <typename... Args> std::string Format(const std::string& gbkFormat, Args... args) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, gbkFormat.c_str(), args...);
    return buffer;
}

} // namespace

std::string CertificateAwardLine(const std::string& gbkName) {
    static const std::string format = GbkFromUtf8("奖给：%s小朋友");
    static const std::string diligent = GbkFromUtf8("勤奋的");
    return Format(format, (gbkName.empty() ? diligent : gbkName).c_str());
}

std::string CertificateCountsLine(int done, int firstTry) {
    static const std::string format = GbkFromUtf8("题量：%d道　　答对：%d道");
    return Format(format, done, firstTry);
}

std::string CertificateScoreText(int score) {
    static const std::string format = GbkFromUtf8("%d分");
    return Format(format, score);
}

void CSumoraWnd::PaintCertificate(CImageLayer& target) {
    static const std::string finalScore = GbkFromUtf8("最后得分");
    target.DrawBitmap(0, 0, SKY_PICTURE);
    target.DrawBitmap(256, 192, CERTIFICATE_PICTURE);
    CDrawContext& dc = *target.m_hDC;
    // The three lines are set black explicitly: the shared surface may hold another colour.
    const Color saved = dc.SetTextColor(COLOR_BLACK);
    Rect rc = OffsetRect(InflateRect(g_rcRowBands[5], -320, 0), 0, -32);
    const bool hasUser =
        !g_arrUsers.empty() && g_nCurrentUser >= 0 && g_nCurrentUser < int(g_arrUsers.size());
    target.DrawTextBox(
        CertificateAwardLine(hasUser ? g_arrUsers[size_t(g_nCurrentUser)].strName : std::string()),
        rc, LINE_FORMAT, 900, 24);
    rc = OffsetRect(rc, 0, 64);
    target.DrawTextBox(CertificateCountsLine(m_nTotalDone, m_nTotalFirstTry), rc, LINE_FORMAT, 900,
                       18);
    rc = OffsetRect(rc, 0, 64);
    target.DrawTextBox(finalScore, rc, LINE_FORMAT, 900, 18);
    rc = OffsetRect(rc, 128, 0);
    dc.SetTextColor(RGB(200, 0, 0));
    target.DrawTextBox(CertificateScoreText(RunScore()), rc, LINE_FORMAT, 900, 56);
    dc.SetTextColor(saved);
}
