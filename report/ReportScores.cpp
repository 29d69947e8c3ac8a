// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The scores over the dates: a line a problem set, a mark each run, each set drawn in its own
// colour, shape and dash so that the lines stay apart on a grey printer too.
#include "facts/ProblemSet.h"
#include "platform/Translate.h"
#include "report/HtmlText.h"
#include "report/ReportParts.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <map>
#include <vector>

namespace {

// The days shown at most, up to the last run: wider, a day's runs would sit on one another.
constexpr int CHART_DAYS = 63;

struct asSETSTYLE {
    const char* szColour;
    const char* szDash;
    char cShape; // o circle, s square, t triangle, d diamond, v triangle down, x cross
};
constexpr asSETSTYLE SET_STYLES[] = {
    {"#1f5fa8", "", 'o'},        {"#d9822b", "6 3", 's'}, {"#2e8b57", "2 3", 't'},
    {"#8e44ad", "8 3 2 3", 'd'}, {"#444444", "4 4", 'v'}, {"#c0392b", "1 5", 'x'},
};

std::string Number(double value) {
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

void AppendMark(std::string& out, char shape, double x, double y) {
    const std::string cx = Number(x), cy = Number(y);
    switch (shape) {
    case 'o':
        out += "<circle cx=\"" + cx + "\" cy=\"" + cy + "\" r=\"3\"";
        return;
    case 's':
        out += "<rect x=\"" + Number(x - 2.7) + "\" y=\"" + Number(y - 2.7) +
               "\" width=\"5.4\" height=\"5.4\"";
        return;
    case 't':
        out += "<path d=\"M" + cx + ' ' + Number(y - 3.5) + "l3.5 6h-7z\"";
        return;
    case 'd':
        out += "<path d=\"M" + cx + ' ' + Number(y - 3.8) + "l3.8 3.8-3.8 3.8-3.8-3.8z\"";
        return;
    case 'v':
        out += "<path d=\"M" + cx + ' ' + Number(y + 3.5) + "l3.5-6h-7z\"";
        return;
    default:
        out +=
            "<path class=\"open\" d=\"M" + Number(x - 3) + ' ' + Number(y - 3) + "l6 6m0-6l-6 6\"";
    }
}

} // namespace

void AppendScoreChart(std::string& out, const asCHILDREPORT& child) {
    if (child.arrScores.empty()) {
        out += std::string("<p class=\"empty\">") + Tr("还没有做完的一轮。") + "</p>";
        return;
    }
    std::vector<const asRUNSCORE*> arrRuns;
    for (const asRUNSCORE& run : child.arrScores)
        arrRuns.push_back(&run);
    std::stable_sort(arrRuns.begin(), arrRuns.end(), [](const asRUNSCORE* a, const asRUNSCORE* b) {
        return a->nEndedUtcMs < b->nEndedUtcMs;
    });
    const int lastDay = arrRuns.back()->nDay;
    const int firstDay = std::max(arrRuns.front()->nDay, lastDay - (CHART_DAYS - 1));
    const size_t olderRuns = size_t(std::count_if(arrRuns.begin(), arrRuns.end(),
                                                  [&](auto* run) { return run->nDay < firstDay; }));
    arrRuns.erase(arrRuns.begin(), arrRuns.begin() + long(olderRuns));

    // The sets in the order first played; runs of one day share the day's width in turn.
    std::map<std::pair<int, int>, size_t> mapSets;
    std::vector<std::pair<int, int>> arrSets;
    std::map<int, int> mapPerDay;
    for (const asRUNSCORE* run : arrRuns) {
        if (mapSets.emplace(std::pair(run->nSetLimit, run->nSetKinds), arrSets.size()).second)
            arrSets.push_back({run->nSetLimit, run->nSetKinds});
        ++mapPerDay[run->nDay];
    }
    std::map<int, int> mapLimits;
    for (const auto& [limit, kinds] : arrSets)
        ++mapLimits[limit];
    auto name = [&](const std::pair<int, int>& set) {
        return mapLimits[set.first] > 1
                   ? Format(Tr("%1$s（%2$s）"),
                            {SetCaption(set.first), KindsCaption(uint32_t(set.second))})
                   : SetCaption(set.first);
    };

    constexpr int WIDTH = 680, HEIGHT = 220, LEFT = 36, RIGHT = 12, TOP = 10, BOTTOM = 28;
    const double dayWidth = double(WIDTH - LEFT - RIGHT) / (lastDay - firstDay + 1);
    std::vector<double> arrX;
    std::map<int, int> mapSeen;
    for (const asRUNSCORE* run : arrRuns)
        arrX.push_back(LEFT + dayWidth * (run->nDay - firstDay +
                                          (mapSeen[run->nDay]++ + 0.5) / mapPerDay[run->nDay]));
    auto y = [&](int score) {
        return TOP + (HEIGHT - TOP - BOTTOM) * (100 - std::clamp(score, 0, 100)) / 100.0;
    };

    out += "<svg class=\"scores\" viewBox=\"0 0 " + std::to_string(WIDTH) + ' ' +
           std::to_string(HEIGHT) + "\" role=\"img\" aria-label=\"" + Tr("每轮得分") + "\">";
    for (int score = 0; score <= 100; score += 25)
        out += "<line class=\"rule\" x1=\"" + std::to_string(LEFT) + "\" x2=\"" +
               std::to_string(WIDTH - RIGHT) + "\" y1=\"" + Number(y(score)) + "\" y2=\"" +
               Number(y(score)) + "\"/><text x=\"" + std::to_string(LEFT - 4) + "\" y=\"" +
               Number(y(score) + 4) + "\" text-anchor=\"end\">" + std::to_string(score) + "</text>";
    out += "<text x=\"" + std::to_string(LEFT) + "\" y=\"" + std::to_string(HEIGHT - 8) + "\">" +
           DateText(firstDay) + "</text><text x=\"" + std::to_string(WIDTH - RIGHT) + "\" y=\"" +
           std::to_string(HEIGHT - 8) + "\" text-anchor=\"end\">" + DateText(lastDay) + "</text>";
    for (size_t s = 0; s < arrSets.size(); ++s) {
        const asSETSTYLE& style = SET_STYLES[s % std::size(SET_STYLES)];
        std::string points, marks;
        int runs = 0;
        for (size_t r = 0; r < arrRuns.size(); ++r) {
            const asRUNSCORE& run = *arrRuns[r];
            if (mapSets[{run.nSetLimit, run.nSetKinds}] != s) continue;
            ++runs;
            points += Number(arrX[r]) + ',' + Number(y(run.nScore)) + ' ';
            AppendMark(marks, style.cShape, arrX[r], y(run.nScore));
            marks += " data-date=\"" + DateText(run.nDay) + "\" data-score=\"" +
                     std::to_string(run.nScore) + "\"/>";
        }
        out += "<g data-set=\"" + Escaped(name(arrSets[s])) + "\" data-runs=\"" +
               std::to_string(runs) + "\" stroke=\"" + style.szColour + "\" fill=\"" +
               style.szColour + "\"><polyline points=\"" + points + "\" fill=\"none\"";
        if (*style.szDash) out += std::string(" stroke-dasharray=\"") + style.szDash + '"';
        out += "/>" + marks + "</g>";
    }
    out += "</svg><div class=\"legend\">";
    for (size_t s = 0; s < arrSets.size(); ++s) {
        const asSETSTYLE& style = SET_STYLES[s % std::size(SET_STYLES)];
        out += std::string("<span><svg viewBox=\"0 0 30 10\" width=\"30\" height=\"10\"><g "
                           "stroke=\"") +
               style.szColour + "\" fill=\"" + style.szColour + "\"><line x1=\"0\" x2=\"30\" " +
               "y1=\"5\" y2=\"5\"" +
               (*style.szDash ? std::string(" stroke-dasharray=\"") + style.szDash + '"' : "") +
               "/>";
        AppendMark(out, style.cShape, 15, 5);
        out += "/></g></svg>" + Escaped(name(arrSets[s])) + "</span>";
    }
    out += "</div>";
    if (olderRuns > 0)
        out += "<p class=\"note\">" +
               // TRANSLATORS: %1$s days drawn, %2$s runs before them.
               Format(Tr("只画了最近 %1$s 天；更早还有 %2$s 轮。"),
                      {std::to_string(CHART_DAYS), std::to_string(olderRuns)}) +
               "</p>";
}
