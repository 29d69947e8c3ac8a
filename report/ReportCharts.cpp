// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The calendar, the score chart and the fact grid: plain tables and inline SVG, every cell
// carrying its figures as data attributes.
#include "report/HtmlText.h"
#include "report/ReportParts.h"

#include <algorithm>
#include <map>

namespace {

// Minutes that shade a calendar day a step darker.
constexpr int CALENDAR_STEPS[] = {5, 10, 20};

int Minutes(int64_t ms) {
    return int((ms + 30000) / 60000);
}

void AppendNumberAttribute(std::string& out, const char* name, int64_t value) {
    out += ' ';
    out += name;
    out += "=\"";
    out += std::to_string(value);
    out += '"';
}

// The grid's cells of one sign, laid out by row (left number) and column (right number).
void AppendGridTable(std::string& out, const asCHILDREPORT& child, char cSign) {
    std::map<std::pair<int, int>, const asGRIDCELL*> mapCells;
    for (const asGRIDCELL& cell : child.arrGrid)
        if (cell.cSign == cSign) mapCells[{cell.nLeft, cell.nRight}] = &cell;
    out += cSign == '+'
               ? "<table class=\"grid\" data-grid=\"addition\"><caption>加法 a+b</caption>"
               : "<table class=\"grid\" data-grid=\"subtraction\"><caption>减法 a−b</caption>";
    out += "<tr><th>";
    out += "a＼b";
    out += "</th>";
    for (int b = 0; b <= 20; ++b)
        out += "<th>" + std::to_string(b) + "</th>";
    out += "</tr>";
    for (int a = cSign == '+' ? 0 : 1; a <= 20; ++a) {
        out += "<tr><th>" + std::to_string(a) + "</th>";
        for (int b = 0; b <= 20; ++b) {
            const auto found = mapCells.find({a, b});
            if (found == mapCells.end()) {
                out += "<td class=\"none\"></td>";
                continue;
            }
            const asGRIDCELL& cell = *found->second;
            const std::string fact = std::to_string(a) + cSign + std::to_string(b);
            const char* state = StateKey(cell.nState);
            out += "<td class=\"";
            out += state;
            out += "\" data-fact=\"" + fact + "\" data-state=\"";
            out += state;
            out += '"';
            AppendNumberAttribute(out, "data-tries", cell.nTries);
            out += " title=\"" + fact + "：练了 " + std::to_string(cell.nTries) + " 次\"></td>";
        }
        out += "</tr>";
    }
    out += "</table>";
}

} // namespace

void AppendCalendar(std::string& out, const asCHILDREPORT& child) {
    if (child.arrDays.empty()) {
        out += "<p class=\"empty\">还没有练习记录。</p>";
        return;
    }
    std::map<int, const asPRACTICEDAY*> mapDays;
    for (const asPRACTICEDAY& day : child.arrDays)
        mapDays[day.nDay] = &day;
    int year = 0, month = 0, dayOfMonth = 0;
    CivilDate(child.arrDays.front().nDay, year, month, dayOfMonth);
    int lastYear = 0, lastMonth = 0;
    CivilDate(child.arrDays.back().nDay, lastYear, lastMonth, dayOfMonth);
    out += "<table class=\"calendar\"><tr><th></th>";
    for (int d = 1; d <= 31; ++d)
        out += "<th>" + std::to_string(d) + "</th>";
    out += "<th class=\"sum\">分钟</th><th class=\"sum\">题数</th></tr>";
    while (year < lastYear || (year == lastYear && month <= lastMonth)) {
        const int first = DayOfDate(year, month, 1);
        const int next = month == 12 ? DayOfDate(year + 1, 1, 1) : DayOfDate(year, month + 1, 1);
        out += "<tr><th>" + std::to_string(year) + "年" + std::to_string(month) + "月</th>";
        int64_t monthMs = 0;
        int monthAnswers = 0;
        for (int day = first; day < first + 31; ++day) {
            const auto found = mapDays.find(day);
            if (day >= next) {
                out += "<td class=\"none\"></td>";
            } else if (found == mapDays.end()) {
                out += "<td></td>";
            } else {
                const asPRACTICEDAY& practice = *found->second;
                const int minutes = Minutes(practice.nActiveMs);
                const long level =
                    1 + std::count_if(std::begin(CALENDAR_STEPS), std::end(CALENDAR_STEPS),
                                      [&](int step) { return minutes >= step; });
                monthMs += practice.nActiveMs;
                monthAnswers += practice.nAnswers;
                const std::string date = DateText(day);
                out += "<td class=\"l" + std::to_string(level) + "\" data-day=\"" + date + '"';
                AppendNumberAttribute(out, "data-minutes", minutes);
                AppendNumberAttribute(out, "data-answers", practice.nAnswers);
                out += " title=\"" + date + "：" + std::to_string(minutes) + " 分钟，" +
                       std::to_string(practice.nAnswers) + " 题\"></td>";
            }
        }
        out += "<td class=\"sum\">" + std::to_string(Minutes(monthMs)) + "</td><td class=\"sum\">" +
               std::to_string(monthAnswers) + "</td></tr>";
        month = month == 12 ? 1 : month + 1;
        year += month == 1;
    }
    out += "</table>";
}

void AppendScoreChart(std::string& out, const asCHILDREPORT& child) {
    if (child.arrScores.empty()) {
        out += "<p class=\"empty\">还没有做完的一轮。</p>";
        return;
    }
    constexpr int WIDTH = 680, HEIGHT = 220, LEFT = 36, RIGHT = 12, TOP = 10, BOTTOM = 28;
    const int firstDay = child.arrScores.front().nDay;
    const int lastDay = std::max(child.arrScores.back().nDay, firstDay + 1);
    auto x = [&](int day) {
        return LEFT + (WIDTH - LEFT - RIGHT) * (day - firstDay) / (lastDay - firstDay);
    };
    auto y = [&](int score) { return TOP + (HEIGHT - TOP - BOTTOM) * (100 - score) / 100; };
    out += "<svg class=\"scores\" viewBox=\"0 0 " + std::to_string(WIDTH) + ' ' +
           std::to_string(HEIGHT) + "\" role=\"img\" aria-label=\"每轮得分\">";
    for (int score = 0; score <= 100; score += 25)
        out += "<line class=\"rule\" x1=\"" + std::to_string(LEFT) + "\" x2=\"" +
               std::to_string(WIDTH - RIGHT) + "\" y1=\"" + std::to_string(y(score)) + "\" y2=\"" +
               std::to_string(y(score)) + "\"/><text x=\"" + std::to_string(LEFT - 4) + "\" y=\"" +
               std::to_string(y(score) + 4) + "\" text-anchor=\"end\">" + std::to_string(score) +
               "</text>";
    out += "<text x=\"" + std::to_string(LEFT) + "\" y=\"" + std::to_string(HEIGHT - 8) + "\">" +
           DateText(firstDay) + "</text><text x=\"" + std::to_string(WIDTH - RIGHT) + "\" y=\"" +
           std::to_string(HEIGHT - 8) + "\" text-anchor=\"end\">" + DateText(lastDay) + "</text>";
    // The day's mean as a line, each run as a dot.
    std::map<int, std::pair<int, int>> mapDaily;
    for (const asRUNSCORE& run : child.arrScores) {
        mapDaily[run.nDay].first += run.nScore;
        ++mapDaily[run.nDay].second;
    }
    out += "<polyline class=\"mean\" points=\"";
    for (const auto& [day, sum] : mapDaily)
        out += std::to_string(x(day)) + ',' + std::to_string(y(sum.first / sum.second)) + ' ';
    out += "\"/>";
    for (const asRUNSCORE& run : child.arrScores)
        out += "<circle cx=\"" + std::to_string(x(run.nDay)) + "\" cy=\"" +
               std::to_string(y(std::clamp(run.nScore, 0, 100))) + "\" r=\"2.5\" data-date=\"" +
               DateText(run.nDay) + "\" data-score=\"" + std::to_string(run.nScore) + "\"/>";
    out += "</svg>";
}

void AppendFactGrid(std::string& out, const asCHILDREPORT& child) {
    out += "<div class=\"grids\">";
    AppendGridTable(out, child, '+');
    AppendGridTable(out, child, '-');
    out += "</div>";
}

std::string StateChip(FactState state) {
    std::string chip = "<span class=\"key ";
    chip += StateKey(state);
    chip += "\"></span>";
    switch (state) {
    case FactState::RED:
        return chip + "要再练";
    case FactState::YELLOW:
        return chip + "会了，还不够快";
    case FactState::GREEN:
        return chip + "熟练";
    default:
        return chip + "没练过";
    }
}
