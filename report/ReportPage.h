// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The parents' report as one self-contained HTML page: no script, no network, a print style.
#pragma once

#include "report/ChildReport.h"

#include <string>
#include <vector>

// A history that could not be read, as the page lists it.
struct asFAILEDHISTORY {
    std::string strPath;
    std::string strError;
};

struct asPAGEINFO {
    int64_t nThresholdMs = DEFAULT_THRESHOLD_MS;
    int nToday = 0; // local day the page is made
    std::vector<std::string> arrSources;
    std::vector<asFAILEDHISTORY> arrFailed;
};

// With more than one child the page opens with a row for each.
std::string WriteReportPage(const std::vector<asCHILDREPORT>& arrChildren, const asPAGEINFO& info);
