// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// `zimbly --report` and `zimbly --export-csv`: the answer record read, the page or the CSV
// written, no display opened and no lock of the game's taken.
#pragma once

#include "app/Environment.h"
#include "facts/FactState.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class ReportMode { PAGE, CSV };

struct asREPORTCOMMAND {
    ReportMode nMode = ReportMode::PAGE;
    std::optional<std::string> strChild; // UTF-8 (empty: the runs without a child); none: all
    std::string strOut; // empty: the page to the cache folder and opened, the CSV to stdout
    int64_t nThresholdMs = DEFAULT_THRESHOLD_MS;
    std::vector<std::string> arrHistories; // empty: the record beside the game's data file
};

// True when the arguments (without the program's name) ask for the report or the export.
bool IsReportCommand(const std::vector<std::string>& arrArgs);

// The options after --report or --export-csv; false with error set for anything else.
bool ParseReportCommand(const std::vector<std::string>& arrArgs, asREPORTCOMMAND& command,
                        std::string& error);

struct asREPORTOUTPUT {
    std::string strText; // the page or the CSV; empty when there is nothing to write
    int nExitCode = 0;
};

// The page or the CSV from the histories given, or else from defaultHistory, which is not there
// until the game has recorded an answer: nothing recorded yet, no fault. Each history that
// cannot be read, and a child asked for and not found, is named on stderr and makes the exit
// status 1; the others are still reported.
asREPORTOUTPUT MakeReport(const asREPORTCOMMAND& command, const std::string& defaultHistory);

// MakeReport with the record beside the game's data file, its output written (and the page handed
// to the desktop); the exit status.
int RunReportCommand(const asREPORTCOMMAND& command, const asENVIRONMENT& environment);
