// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The answers as CSV rows.
#include "report/CsvExport.h"

#include "gfx/Gbk.h"
#include "platform/Translate.h"
#include "report/HtmlText.h"

#include <cstdio>
#include <unordered_map>

namespace {

constexpr int64_t DAY_MS = 24 * 60 * 60 * 1000;

// "2026-10-03 18:04:05", local time.
std::string LocalTimeText(int64_t utcMs, const asREPORTOPTIONS& options) {
    const int64_t local = utcMs + options.fnUtcOffsetMs(utcMs);
    const int day = LocalDay(utcMs, options);
    const int64_t seconds = (local - int64_t(day) * DAY_MS) / 1000;
    char text[16];
    std::snprintf(text, sizeof text, " %02d:%02d:%02d", int(seconds / 3600), int(seconds / 60 % 60),
                  int(seconds % 60));
    return DateText(day) + text;
}

} // namespace

std::string CsvCell(std::string_view text) {
    std::string cell;
    if (!text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos)
        cell += '\'';
    cell += text;
    if (cell.find_first_of(",\"\r\n") == std::string::npos) return cell;
    std::string quoted = "\"";
    for (const char c : cell) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string CsvHeader(bool bWithSource) {
    std::string out = "\xEF\xBB\xBF";
    // TRANSLATORS: the CSV's first column when several records are read; no comma in it.
    if (bWithSource) out += std::string(Tr("记录文件")) + ',';
    // TRANSLATORS: the CSV's header row: 18 column names between commas, none inside a name.
    out += Tr("孩子,时间,UTC毫秒,题组,题型位,数的范围,轮次,页,位置,题目,题型,正确答案,所填答案,"
              "对错,第一次作答,放大镜,用时毫秒,复习题");
    out += "\r\n";
    return out;
}

void AppendCsvRows(std::string& out, const asHISTORY& history, const std::string& source,
                   const asREPORTOPTIONS& options) {
    std::unordered_map<int64_t, const asRECORDEDRUN*> mapRuns;
    for (const asRECORDEDRUN& run : history.arrRuns)
        mapRuns[run.nRunId] = &run;
    const std::string sourceCell = source.empty() ? "" : CsvCell(source) + ',';
    for (const asHISTORYANSWER& answer : history.arrAnswers) {
        const auto found = mapRuns.find(answer.nRunKey);
        if (found == mapRuns.end()) continue;
        const asRECORDEDRUN& run = *found->second;
        if (!IsChosenChild(run.strChild, options)) continue;
        const ProblemKind kind = ParseProblem(answer.strProblem, answer.strExpected).nKind;
        out += sourceCell;
        // The page's label rather than an empty cell, which a spreadsheet's filter and pivot
        // table list as a blank, like a value left out.
        out += CsvCell(run.strChild.empty() ? NamelessChild() : Utf8FromGbk(run.strChild)) + ',' +
               LocalTimeText(answer.nUtcMs, options) + ',' + std::to_string(answer.nUtcMs) + ',' +
               std::to_string(run.nSetNumber + 1) + ',' + std::to_string(run.nSetKinds) + ',' +
               std::to_string(run.nSetLimit) + ',' + std::to_string(run.nRunId) + ',' +
               std::to_string(answer.nPage) + ',' + std::to_string(answer.nPosition) + ',' +
               CsvCell(answer.strProblem) + ',' + KindName(kind) + ',' +
               CsvCell(answer.strExpected) + ',' + CsvCell(answer.strTyped) + ',' +
               (answer.bRight ? "1" : "0") + ',' + (answer.bFirstTry ? "1" : "0") + ',' +
               (answer.bByMagnifier ? "1" : "0") + ',' + std::to_string(answer.nElapsedMs) + ',' +
               (answer.bReview ? "1" : "0") + "\r\n";
    }
}
