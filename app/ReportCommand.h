// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// `zimbly --report` and `zimbly --export-csv`: the answer record read, the page or the CSV
// written, no display opened and no lock of the game's taken.
#pragma once

#include "app/Environment.h"
#include "report/FactState.h"

#include <cstdint>
#include <string>
#include <vector>

enum class ReportMode { PAGE, CSV };

struct asREPORTCOMMAND {
    ReportMode nMode = ReportMode::PAGE;
    std::string strChild; // UTF-8; empty for every child
    std::string strOut;   // empty: the page to the cache folder and opened, the CSV to stdout
    int64_t nThresholdMs = DEFAULT_THRESHOLD_MS;
    std::vector<std::string> arrHistories; // empty: the record beside the game's data file
};

// True when the arguments (without the program's name) ask for the report or the export.
bool IsReportCommand(const std::vector<std::string>& arrArgs);

// The options after --report or --export-csv; false with error set for anything else.
bool ParseReportCommand(const std::vector<std::string>& arrArgs, asREPORTCOMMAND& command,
                        std::string& error);

// Writes the page or the CSV; each history that cannot be read is named on stderr and makes the
// exit status 1, the others are still reported.
int RunReportCommand(const asREPORTCOMMAND& command, const asENVIRONMENT& environment);
