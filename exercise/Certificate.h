// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The certificate's texts (GBK), shared by its painter and its tests.
#pragma once

#include "gfx/CImageLayer.h"

#include <string>

// The certificate on the sky: the award line for gbkName (no user: empty), the counts and the
// score.
void PaintCertificate(CImageLayer& target, const std::string& gbkName, int done, int firstTry,
                      int score);

// "奖给：%s小朋友" with the name, or with "勤奋的" when there is no user (empty name).
std::string CertificateAwardLine(const std::string& gbkName);
// "题量：%d道　　答对：%d道"
std::string CertificateCountsLine(int done, int firstTry);
// "%d分"
std::string CertificateScoreText(int score);
