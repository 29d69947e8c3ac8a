// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The facts' histories: one small table a fact, its latest times newest first. Kept terse (end
// tags left out where HTML allows) since a child may have some hundreds of them.
#include "report/FactHistory.h"

#include "platform/Translate.h"
#include "report/HtmlText.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <tuple>
#include <vector>

namespace {

constexpr int64_t DAY_MS = 24 * 3600 * 1000;

// Sorts "8+7" before "10-3" and "9-2-3" after the single facts, as the grid reads.
auto OrderKey(const std::string& fact) {
    std::vector<int> arrNumbers;
    std::string strSigns;
    int number = 0;
    for (const char c : fact) {
        if (c >= '0' && c <= '9') {
            number = number * 10 + (c - '0');
            continue;
        }
        arrNumbers.push_back(number);
        strSigns += c;
        number = 0;
    }
    arrNumbers.push_back(number);
    return std::tuple(strSigns.size(), strSigns, arrNumbers);
}

// One line a time, aligned in a preformatted block: "07-03 17:42   3.4 14 15" (the year on a line
// of its own when it changes), a wrong first answer in bold.
void AppendTime(std::string& out, const asFACTTIME& time, int& lastYear) {
    const int64_t local = time.nLocalMs;
    const int day = int((local >= 0 ? local : local - DAY_MS + 1) / DAY_MS);
    const int minute = int((local - int64_t(day) * DAY_MS) / 60000);
    int year = 0, month = 0, dayOfMonth = 0;
    CivilDate(day, year, month, dayOfMonth);
    if (year != lastYear) out += Format(Tr("%s 年"), {std::to_string(year)}) + "\n";
    lastYear = year;
    char line[64];
    std::snprintf(line, sizeof line, "%02d-%02d %02d:%02d %5.1f ", month, dayOfMonth, minute / 60,
                  minute % 60, double(std::min<int64_t>(time.nElapsedMs, 999'900)) / 1000.0);
    if (!time.bRight) out += "<b>";
    out += line;
    AppendEscaped(out, time.strTyped);
    if (time.bByMagnifier) out += std::string(" ") + Tr("放大镜");
    if (!time.bRight) out += "</b>";
    out += '\n';
}

} // namespace

CFactLinks::CFactLinks(const asCHILDREPORT& child, size_t nChild)
    : m_pChild(&child), m_strPrefix("c" + std::to_string(nChild) + "-") {}

std::string CFactLinks::Href(const std::string& fact) {
    if (!m_pChild->mapHistories.contains(fact)) return "";
    m_setLinked.insert(fact);
    return "#" + m_strPrefix + fact;
}

std::string CFactLinks::Link(const std::string& fact) {
    const std::string href = Href(fact);
    if (href.empty()) return Escaped(fact);
    return "<a href=\"" + Escaped(href) + "\">" + Escaped(fact) + "</a>";
}

void AppendFactHistories(std::string& out, const asCHILDREPORT& child, const CFactLinks& links) {
    if (links.Linked().empty()) return;
    std::vector<const std::string*> arrFacts;
    for (const std::string& fact : links.Linked())
        arrFacts.push_back(&fact);
    std::sort(arrFacts.begin(), arrFacts.end(), [](const std::string* a, const std::string* b) {
        return OrderKey(*a) < OrderKey(*b);
    });
    out +=
        std::string("<h3 class=\"histories-title\">") + Tr("每道题最近的记录") +
        "</h3><p class=\"note\">" +
        // TRANSLATORS: %1$s times listed a fact; %2$s the magnifier's word in the lists.
        Format(Tr("点上面表格里的格子或题目，就跳到这里。每道题列出最近 %1$s 次（最新的在上面）："
                  "日期、时间、第一次作答用的秒数、孩子填的答案（答错后又填的也列出），"
                  "用放大镜看了答案的注明“%2$s”；第一次没有答对的是红色粗体。打印时不印这部分。"),
               {std::to_string(FACT_HISTORY_COUNT), Tr("放大镜")}) +
        "</p><div class=\"histories\">";
    for (const std::string* fact : arrFacts) {
        const asFACTHISTORY& history = child.mapHistories.at(*fact);
        out += "<article id=\"";
        AppendEscaped(out, links.Prefix() + *fact);
        out += "\"><h4>";
        AppendEscaped(out, *fact);
        // TRANSLATORS: the columns over the lines "07-03 17:42   3.4 14": date, time, seconds,
        // answer; spaced to stand over them in a fixed-width font.
        out += std::string("</h4><pre>") + Tr("日期  时间    秒数 答案") + "\n";
        int lastYear = INT_MIN;
        for (const asFACTTIME& time : history.arrTimes)
            AppendTime(out, time, lastYear);
        out += "</pre>";
        if (history.nEarlier > 0)
            out += Format(TrN("更早还有 %s 次", "更早还有 %s 次", history.nEarlier),
                          {std::to_string(history.nEarlier)});
        out += "</article>";
    }
    out += "</div>";
}
