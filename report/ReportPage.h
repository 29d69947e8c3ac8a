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
    int nToday = 0;                      // local day the page is made
    std::vector<std::string> arrSources; // the histories read
    std::vector<asFAILEDHISTORY> arrFailed;
    std::string strNotYetMade; // the game's own record, while no answer has made it
    bool bAnyRun = false;      // some history read holds a run
    std::string strChosen;     // UTF-8: the child asked for (NAMELESS_CHILD too); empty: all
};

// With more than one child the page opens with a row for each; with nothing recorded yet it says
// how to begin.
std::string WriteReportPage(const std::vector<asCHILDREPORT>& arrChildren, const asPAGEINFO& info);
