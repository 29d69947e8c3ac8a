// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The practice calendar as a wall calendar reads: a block a month, a week a row from Monday, the
// minutes written in each day's cell so that they survive printing.
#include "platform/Translate.h"
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

// 0 for Monday … 6 for Sunday; day 0 (1970-01-01) was a Thursday.
int Weekday(int day) {
    return ((day + 3) % 7 + 7) % 7;
}

void AppendDay(std::string& out, int day, int dayOfMonth, const asPRACTICEDAY* practice) {
    const std::string number = "<i>" + std::to_string(dayOfMonth) + "</i>";
    if (!practice) {
        out += "<td>" + number + "</td>";
        return;
    }
    const int minutes = Minutes(practice->nActiveMs);
    const long level = 1 + std::count_if(std::begin(CALENDAR_STEPS), std::end(CALENDAR_STEPS),
                                         [&](int step) { return minutes >= step; });
    const std::string date = DateText(day);
    out += "<td class=\"l" + std::to_string(level) + "\" data-day=\"" + date +
           "\" data-minutes=\"" + std::to_string(minutes) + "\" data-answers=\"" +
           std::to_string(practice->nAnswers) + "\" title=\"" +
           // TRANSLATORS: a calendar day's tip: %1$s the date, %2$s minutes, %3$s answers.
           Format(TrN("%1$s：%2$s 分钟，%3$s 题", "%1$s：%2$s 分钟，%3$s 题", practice->nAnswers),
                  {date, std::to_string(minutes), std::to_string(practice->nAnswers)}) +
           "\">" + number + std::to_string(minutes) + "</td>";
}

void AppendMonth(std::string& out, int year, int month,
                 const std::map<int, const asPRACTICEDAY*>& mapDays) {
    const int first = DayOfDate(year, month, 1);
    const int next = month == 12 ? DayOfDate(year + 1, 1, 1) : DayOfDate(year, month + 1, 1);
    int64_t monthMs = 0;
    int monthAnswers = 0;
    for (auto it = mapDays.lower_bound(first); it != mapDays.end() && it->first < next; ++it) {
        monthMs += it->second->nActiveMs;
        monthAnswers += it->second->nAnswers;
    }
    out += "<table class=\"calendar\"><caption>" + MonthTitle(year, month) + "<span>" +
           // TRANSLATORS: a month's total: %1$s minutes, %2$s answers.
           Format(TrN("%1$s 分钟 · %2$s 题", "%1$s 分钟 · %2$s 题", monthAnswers),
                  {std::to_string(Minutes(monthMs)), std::to_string(monthAnswers)}) +
           "</span></caption><tr>";
    // TRANSLATORS: the calendar's weekdays, Monday to Sunday, as short as a column of days.
    for (const char* name : {Tr("一"), Tr("二"), Tr("三"), Tr("四"), Tr("五"), Tr("六"), Tr("日")})
        out += std::string("<th>") + name + "</th>";
    out += "</tr><tr>";
    for (int blank = 0; blank < Weekday(first); ++blank)
        out += "<td class=\"none\"></td>";
    for (int day = first; day < next; ++day) {
        if (day > first && Weekday(day) == 0) out += "</tr><tr>";
        const auto found = mapDays.find(day);
        AppendDay(out, day, day - first + 1, found == mapDays.end() ? nullptr : found->second);
    }
    for (int blank = Weekday(next - 1) + 1; blank < 7; ++blank)
        out += "<td class=\"none\"></td>";
    out += "</tr></table>";
}

} // namespace

void AppendCalendar(std::string& out, const asCHILDREPORT& child) {
    if (child.arrDays.empty()) {
        out += std::string("<p class=\"empty\">") + Tr("还没有练习记录。") + "</p>";
        return;
    }
    std::map<int, const asPRACTICEDAY*> mapDays;
    for (const asPRACTICEDAY& day : child.arrDays)
        mapDays[day.nDay] = &day;
    int year = 0, month = 0, dayOfMonth = 0, lastYear = 0, lastMonth = 0;
    CivilDate(child.arrDays.front().nDay, year, month, dayOfMonth);
    CivilDate(child.arrDays.back().nDay, lastYear, lastMonth, dayOfMonth);
    out += "<div class=\"calendars\">";
    while (year < lastYear || (year == lastYear && month <= lastMonth)) {
        AppendMonth(out, year, month, mapDays);
        month = month == 12 ? 1 : month + 1;
        year += month == 1;
    }
    out += "</div>";
}
