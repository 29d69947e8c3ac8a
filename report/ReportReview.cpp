// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The review's part of a child's section: the facts in review by when they come back (the long
// tail of re-checks summed up), and the facts review brought to green this week.
#include "platform/Translate.h"
#include "report/HtmlText.h"
#include "report/ReportParts.h"

#include <algorithm>
#include <span>

namespace {

// Days ahead shown a row each; the later re-checks are summed up in one line.
constexpr size_t DAY_ROWS = 5;
// Re-checks shown in one row; the others are only counted. Missed and slow facts are all shown.
constexpr size_t FACTS_IN_ROW = 24;

const char* StageKey(ReviewStage stage) {
    switch (stage) {
    case ReviewStage::MISSED:
        return "missed";
    case ReviewStage::SLOW:
        return "slow";
    default:
        return "spaced";
    }
}

void AppendRow(std::string& out, const std::string& due, const std::string& when,
               std::span<const asINREVIEW> arrFacts, size_t nShown, CFactLinks& links) {
    const std::string count = std::to_string(arrFacts.size());
    out += "<tr data-due=\"" + due + "\" data-stage=\"" + StageKey(arrFacts.front().nStage) +
           "\" data-count=\"" + count + "\"><td>" + when + "</td><td>" + count +
           "</td><td class=\"facts\">";
    for (const asINREVIEW& fact : arrFacts.first(std::min(nShown, arrFacts.size())))
        out += "<span>" + links.Link(fact.strFact) + "</span>";
    if (arrFacts.size() > nShown)
        out += "<span class=\"more\">" + Format(Tr("… 共 %s 道"), {count}) + "</span>";
    out += "</td></tr>";
}

void AppendExplanation(std::string& out, int64_t thresholdMs) {
    std::string days;
    for (size_t i = 0; i < REVIEW_DAYS.size(); ++i)
        days += (i ? Tr("、") : "") + std::to_string(REVIEW_DAYS[i]);
    out += "<p class=\"note\">" +
           // TRANSLATORS: %1$s answers in a row, %2$s the threshold in seconds, %3$s pages, %4$s
           // the list of days (1、3、7、21、60).
           Format(Tr("复习是什么：答错的题，游戏会在后面每一页里再出，直到连续 %1$s 次在 %2$s "
                     "秒内答对；答得慢的题，过 %3$s 页或下次练习时再出；又对又快的题，隔 %4$s "
                     "天再考一次，帮孩子记牢。"),
                  {std::to_string(FLUENT_IN_A_ROW), ThresholdText(thresholdMs),
                   std::to_string(SLOW_PAGES_LATER), days}) +
           "</p>";
}

void AppendInReview(std::string& out, const asCHILDREPORT& child, int today, CFactLinks& links) {
    const std::span<const asINREVIEW> arrAll(child.arrInReview);
    // Runs of one stage, and of one day among the re-checks: the list is ordered so.
    auto runEnd = [&](size_t from, auto&& same) {
        size_t to = from;
        while (to < arrAll.size() && same(arrAll[to]))
            ++to;
        return to;
    };
    out += std::string("<table class=\"list review\"><tr><th>") + Tr("什么时候再出") + "</th><th>" +
           Tr("道数") + "</th><th>" + Tr("题目") + "</th></tr>";
    size_t at = 0;
    for (const auto& [stage, when] : {std::pair(ReviewStage::MISSED, Tr("下次练习：答错了")),
                                      std::pair(ReviewStage::SLOW, Tr("下次练习：答得慢"))}) {
        const size_t end = runEnd(at, [&](const asINREVIEW& fact) { return fact.nStage == stage; });
        if (end > at) AppendRow(out, "next", when, arrAll.subspan(at, end - at), end - at, links);
        at = end;
    }
    const size_t dueEnd = runEnd(at, [&](const asINREVIEW& fact) { return fact.nDueDay <= today; });
    if (dueEnd > at)
        AppendRow(out, "next", Tr("下次练习：到了再考的日子"), arrAll.subspan(at, dueEnd - at),
                  FACTS_IN_ROW, links);
    at = dueEnd;
    for (size_t rows = 0; rows < DAY_ROWS && at < arrAll.size(); ++rows) {
        const int day = arrAll[at].nDueDay;
        const size_t end = runEnd(at, [&](const asINREVIEW& fact) { return fact.nDueDay == day; });
        const std::string date = DateText(day);
        AppendRow(out, date, day == today + 1 ? Format(Tr("%s（明天）"), {date}) : date,
                  arrAll.subspan(at, end - at), FACTS_IN_ROW, links);
        at = end;
    }
    out += "</table>";
    if (at < arrAll.size()) {
        const std::string first = DateText(arrAll[at].nDueDay),
                          last = DateText(arrAll.back().nDueDay);
        const std::string later = std::to_string(arrAll.size() - at);
        out += "<p class=\"note\" data-later=\"" + later + "\">" +
               (first == last ? Format(Tr("另有 %1$s 道熟练的题排在 %2$s再考。"), {later, first})
                              // TRANSLATORS: %1$s facts, re-checked between the days %2$s and %3$s.
                              : Format(Tr("另有 %1$s 道熟练的题排在 %2$s 到 %3$s 之间再考。"),
                                       {later, first, last})) +
               "</p>";
    }
}

} // namespace

void AppendReview(std::string& out, const asCHILDREPORT& child, int today, int64_t thresholdMs,
                  CFactLinks& links) {
    if (child.arrInReview.empty()) return;
    out += "<h3>" +
           Format(Tr("复习中的题目（%s 道）"), {std::to_string(child.arrInReview.size())}) +
           "</h3>";
    AppendExplanation(out, thresholdMs);
    AppendInReview(out, child, today, links);
    if (child.arrReviewGreen.empty()) return;
    out += "<h3>" +
           // TRANSLATORS: %1$s is the length of a week in days, %2$s the facts.
           Format(Tr("最近 %1$s 天经复习变绿的题（%2$s 道）"),
                  {std::to_string(REVIEW_WEEK_DAYS), std::to_string(child.arrReviewGreen.size())}) +
           "</h3><p class=\"note\">" + Tr("这几天复习又出了这些题，之后它们变成了绿色。") +
           "</p><table class=\"list review reviewed\"><tr><th>" + Tr("变绿的日子") + "</th><th>" +
           Tr("道数") + "</th><th>" + Tr("题目") + "</th></tr>";
    const std::span<const asREVIEWGREEN> arrAll(child.arrReviewGreen);
    for (size_t at = 0, end = 0; at < arrAll.size(); at = end) {
        const int day = arrAll[at].nDay;
        while (end < arrAll.size() && arrAll[end].nDay == day)
            ++end;
        const std::string date = DateText(day), count = std::to_string(end - at);
        out += "<tr data-day-green=\"" + date + "\" data-count=\"" + count + "\"><td>" + date +
               "</td><td>" + count + "</td><td class=\"facts\">";
        for (const asREVIEWGREEN& green : arrAll.subspan(at, end - at))
            out += "<span>" + links.Link(green.strFact) + "</span>";
        out += "</td></tr>";
    }
    out += "</table>";
}
