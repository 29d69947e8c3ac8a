// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Every answer of the record as CSV for a spreadsheet: UTF-8 with a byte-order mark, a header
// row, formula-looking cells made inert.
#pragma once

#include "report/ChildReport.h"
#include "storage/HistoryReader.h"

#include <string>

// A cell quoted when it must be; one that begins with = + - @ (or a tab or carriage return,
// which some spreadsheets skip before such a sign) gets a leading apostrophe.
std::string CsvCell(std::string_view text);

// The header row (with a first column for the file when bWithSource) and the BOM, once.
std::string CsvHeader(bool bWithSource);

// One row an answer, in the order given; source fills the first column when not empty. The runs
// without a child are under NAMELESS_CHILD.
void AppendCsvRows(std::string& out, const asHISTORY& history, const std::string& source,
                   const asREPORTOPTIONS& options);
