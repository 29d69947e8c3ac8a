// The certificate's texts (GBK), shared by its painter and its tests.
#pragma once

#include <string>

// "奖给：%s小朋友" with the name, or with "勤奋的" when there is no user (empty name).
std::string CertificateAwardLine(const std::string& gbkName);
// "题量：%d道　　答对：%d道"
std::string CertificateCountsLine(int done, int firstTry);
// "%d分"
std::string CertificateScoreText(int score);
