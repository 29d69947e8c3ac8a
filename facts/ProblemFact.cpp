// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Problem texts taken apart: numbers, signs, the blank and the kind they make.
#include "facts/ProblemFact.h"

#include "platform/Translate.h"

#include <charconv>

namespace {

constexpr int NO_NUMBER = -1;

// A whole number of at most six digits (no problem of the game comes near).
bool ParseNumber(std::string_view text, int& value) {
    if (text.empty() || text.size() > 6) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

} // namespace

asPROBLEMFACT ParseProblem(std::string_view problem, std::string_view expected) {
    asPROBLEMFACT fact;
    std::vector<int> arrTerms; // the operands and then the result; NO_NUMBER for the blank
    std::string strSigns;
    bool bEquals = false;
    size_t i = 0;
    while (i < problem.size()) {
        const char c = problem[i];
        if (c == ' ') {
            ++i;
        } else if (c >= '0' && c <= '9') {
            size_t j = i;
            while (j < problem.size() && problem[j] >= '0' && problem[j] <= '9')
                ++j;
            int value = 0;
            if (!ParseNumber(problem.substr(i, j - i), value)) return fact;
            arrTerms.push_back(value);
            i = j;
        } else if (problem.substr(i).starts_with(RECORD_BLANK)) {
            arrTerms.push_back(NO_NUMBER);
            i += RECORD_BLANK.size();
        } else if ((c == '+' || c == '-') && !bEquals) {
            if (arrTerms.size() != strSigns.size() + 1) return fact;
            strSigns += c;
            ++i;
        } else if (c == '=' && !bEquals) {
            if (arrTerms.size() != strSigns.size() + 1) return fact;
            bEquals = true;
            ++i;
        } else {
            return fact;
        }
    }
    if (!bEquals || strSigns.empty() || strSigns.size() > 2 ||
        arrTerms.size() != strSigns.size() + 2)
        return fact;
    size_t nBlank = arrTerms.size();
    for (size_t k = 0; k < arrTerms.size(); ++k) {
        if (arrTerms[k] != NO_NUMBER) continue;
        if (nBlank != arrTerms.size()) return fact; // two blanks
        nBlank = k;
    }
    int hidden = 0;
    if (nBlank == arrTerms.size() || !ParseNumber(expected, hidden)) return fact;
    arrTerms[nBlank] = hidden;

    int sum = arrTerms[0];
    for (size_t k = 0; k < strSigns.size(); ++k)
        sum += strSigns[k] == '+' ? arrTerms[k + 1] : -arrTerms[k + 1];
    if (sum != arrTerms.back()) return fact;

    fact.nResult = arrTerms.back();
    fact.arrNumbers.assign(arrTerms.begin(), arrTerms.end() - 1);
    fact.strSigns = strSigns;
    fact.strFact = std::to_string(fact.arrNumbers[0]);
    for (size_t k = 0; k < strSigns.size(); ++k)
        fact.strFact += strSigns[k] + std::to_string(fact.arrNumbers[k + 1]);
    if (nBlank + 1 != arrTerms.size())
        fact.nKind = ProblemKind::FILL_BLANK;
    else if (strSigns == "+")
        fact.nKind = ProblemKind::ADDITION;
    else if (strSigns == "-")
        fact.nKind = ProblemKind::SUBTRACTION;
    else if (strSigns[0] == strSigns[1])
        fact.nKind = ProblemKind::CHAIN;
    else
        fact.nKind = ProblemKind::MIXED;
    return fact;
}

const asPROBLEMFACT& CParsedProblems::Of(const std::string& problem, const std::string& expected) {
    std::string key = problem + '=' + expected;
    auto parsed = m_mapParsed.find(key);
    if (parsed == m_mapParsed.end())
        parsed = m_mapParsed.emplace(std::move(key), ParseProblem(problem, expected)).first;
    return parsed->second;
}

bool IsGridFact(const asPROBLEMFACT& fact) {
    if (fact.nKind == ProblemKind::UNKNOWN || fact.arrNumbers.size() != 2) return false;
    const int nLargest = fact.strSigns == "+" ? fact.nResult : fact.arrNumbers[0];
    return nLargest <= 20;
}

std::string FillRecordedBlank(std::string_view problem, std::string_view answer) {
    std::string strText(problem);
    const size_t at = strText.find(RECORD_BLANK);
    if (at != std::string::npos) strText.replace(at, RECORD_BLANK.size(), answer);
    return strText;
}

const char* KindKey(ProblemKind kind) {
    switch (kind) {
    case ProblemKind::ADDITION:
        return "addition";
    case ProblemKind::SUBTRACTION:
        return "subtraction";
    case ProblemKind::CHAIN:
        return "chain";
    case ProblemKind::MIXED:
        return "mixed";
    case ProblemKind::FILL_BLANK:
        return "blank";
    default:
        return "unknown";
    }
}

const char* KindName(ProblemKind kind) {
    switch (kind) {
    case ProblemKind::ADDITION:
        return Tr("加法");
    case ProblemKind::SUBTRACTION:
        return Tr("减法");
    case ProblemKind::CHAIN:
        return Tr("连加、连减");
    case ProblemKind::MIXED:
        return Tr("加减混合");
    case ProblemKind::FILL_BLANK:
        return TrIn("problem kind", "填空");
    default:
        return Tr("其他");
    }
}
