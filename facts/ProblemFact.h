// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What a problem text from the answer record asks: its kind and the fact it stands for, with a
// blank filled in by the answer it hides.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The kinds of the report, in the order it lists them.
enum class ProblemKind { ADDITION, SUBTRACTION, CHAIN, MIXED, FILL_BLANK, UNKNOWN };
constexpr int PROBLEM_KIND_COUNT = 5; // the known kinds

// The blank as the record writes it (U+25A1).
constexpr std::string_view RECORD_BLANK = "\xE2\x96\xA1";

struct asPROBLEMFACT {
    ProblemKind nKind = ProblemKind::UNKNOWN;
    std::vector<int> arrNumbers; // the operands, the hidden one filled in
    std::string strSigns;        // '+' or '-' between them
    int nResult = 0;
    std::string strFact; // "5+3", "12-5", "9-2-3"; empty when the text is not understood
};

// The problem as shown ("□+3=8") and its expected answer ("5"). Anything that is not one or two
// signs between whole numbers with exactly one blank, or whose filled-in sum is false, is UNKNOWN.
asPROBLEMFACT ParseProblem(std::string_view problem, std::string_view expected);

// Problems taken apart once each: a child meets the same few thousand problems again and again.
class CParsedProblems {
public:
    const asPROBLEMFACT& Of(const std::string& problem, const std::string& expected);

private:
    std::unordered_map<std::string, asPROBLEMFACT> m_mapParsed; // "problem=expected"
};

// The fact grid covers single additions and subtractions with every number within 20.
bool IsGridFact(const asPROBLEMFACT& fact);

// The problem with an answer written into its blank ("□+3=8", "4" → "4+3=8").
std::string FillRecordedBlank(std::string_view problem, std::string_view answer);

// "addition", … for data attributes; "加法", … for the page.
const char* KindKey(ProblemKind kind);
const char* KindName(ProblemKind kind);
