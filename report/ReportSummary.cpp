// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What a parent reads first in a child's section: one sentence, this week against last, how much
// of what the child practises is mastered, what turned green, what to practise now, and review.
#include "facts/ProblemSet.h"
#include "report/HtmlText.h"
#include "report/ReportParts.h"

#include <algorithm>
#include <span>

namespace {

// Facts named in the sentence, and in each list; the others are only counted.
constexpr size_t FACTS_IN_SENTENCE = 5;
constexpr size_t FACTS_IN_LIST = 24;

int64_t Minutes(int64_t ms) {
    return (ms + 30000) / 60000;
}

// "12月3日"
std::string ShortDate(int day) {
    int year = 0, month = 0, dayOfMonth = 0;
    CivilDate(day, year, month, dayOfMonth);
    return std::to_string(month) + "月" + std::to_string(dayOfMonth) + "日";
}

std::string WeekName(size_t week) {
    return week == 0 ? "最近 " + std::to_string(SUMMARY_WEEK_DAYS) + " 天"
                     : "之前 " + std::to_string(SUMMARY_WEEK_DAYS) + " 天";
}

std::string Sentence(const asCHILDREPORT& child) {
    const asWEEKFIGURES &now = child.arrWeeks[0], &before = child.arrWeeks[1];
    const int64_t minutes = Minutes(now.nActiveMs), minutesBefore = Minutes(before.nActiveMs);
    std::string text;
    if (now.nDays == 0) {
        text = WeekName(0) + "没有练习";
        if (before.nDays > 0)
            text += "（" + WeekName(1) + "练了 " + std::to_string(before.nDays) + " 天共 " +
                    std::to_string(minutesBefore) + " 分钟）";
    } else {
        text = WeekName(0) + "练了 " + std::to_string(now.nDays) + " 天共 " +
               std::to_string(minutes) + " 分钟";
        if (before.nDays == 0)
            text += "，" + WeekName(1) + "没有练习";
        else if (minutes != minutesBefore)
            text += "，比" + WeekName(1) + (minutes > minutesBefore ? "多 " : "少 ") +
                    std::to_string(std::abs(minutes - minutesBefore)) + " 分钟";
        else
            text += "，和" + WeekName(1) + "一样多";
    }
    std::string facts;
    if (!child.arrNewGreen.empty())
        facts = "新掌握 " + std::to_string(child.arrNewGreen.size()) + " 道";
    if (!child.arrToPractise.empty()) {
        facts += (facts.empty() ? "" : "，") + std::string("还需要练 ") +
                 std::to_string(child.arrToPractise.size()) + " 道：";
        const size_t shown = std::min(FACTS_IN_SENTENCE, child.arrToPractise.size());
        for (size_t i = 0; i < shown; ++i)
            facts +=
                (i ? "、<span>" : "<span>") + Escaped(child.arrToPractise[i].strFact) + "</span>";
        if (child.arrToPractise.size() > shown) facts += "…";
    } else if (child.nPractisedGreen > 0) {
        facts += (facts.empty() ? "" : "，") + std::string("练过的题没有答错或答得慢的");
    }
    return text + (facts.empty() ? "" : "；" + facts) + "。";
}

void AppendWeeks(std::string& out, const asCHILDREPORT& child) {
    out += "<table class=\"list weeks\"><tr><th></th><th>练习天数</th><th>分钟</th>"
           "<th>自己答题</th><th>第一次答对</th><th>用时中位数</th></tr>";
    for (size_t week = 0; week < child.arrWeeks.size(); ++week) {
        const asWEEKFIGURES& figures = child.arrWeeks[week];
        const asKINDFIGURES& tries = figures.firstTries;
        const std::string minutes = std::to_string(Minutes(figures.nActiveMs));
        out += "<tr data-week=\"" + std::string(week == 0 ? "this" : "last") +
               "\" data-first-day=\"" + DateText(figures.nFirstDay) + "\" data-days=\"" +
               std::to_string(figures.nDays) + "\" data-minutes=\"" + minutes +
               "\" data-answers=\"" + std::to_string(figures.nAnswers) + "\" data-problems=\"" +
               std::to_string(tries.nProblems) + "\" data-right=\"" + std::to_string(tries.nRight) +
               "\" data-median-ms=\"" + std::to_string(tries.nMedianMs) + "\"><td>" +
               WeekName(week) + "（" + ShortDate(figures.nFirstDay) + "–" +
               ShortDate(figures.nFirstDay + SUMMARY_WEEK_DAYS - 1) + "）</td><td>" +
               std::to_string(figures.nDays) + "</td><td>" + minutes + "</td><td>" +
               std::to_string(figures.nAnswers) + "</td><td>" +
               PercentText(tries.nRight, tries.nProblems) + "</td><td>" +
               SecondsText(tries.nMedianMs) + "</td></tr>";
    }
    out += "</table>";
}

void AppendMastery(std::string& out, const asCHILDREPORT& child) {
    std::string sets, names;
    for (const asPLAYEDSET& set : child.arrPlayedSets) {
        sets += (sets.empty() ? "" : " ") + std::to_string(set.nLimit) + ":" +
                std::to_string(set.nKinds);
        names += (names.empty() ? "" : "，") + SetCaption(set.nLimit) + "（" +
                 KindsCaption(set.nKinds) + "）";
    }
    out += "<p class=\"mastery\" data-sets=\"" + sets + "\" data-practised=\"" +
           std::to_string(child.nPractisedFacts) + "\" data-practised-green=\"" +
           std::to_string(child.nPractisedGreen) + "\">练过的题组：" + names + "。";
    if (child.nPractisedFacts == 0)
        out += "这些题组不出单独的加法或减法题。</p>";
    else
        out += "这些题组能出的 " + std::to_string(child.nPractisedFacts) + " 道加减法中，<strong>" +
               std::to_string(child.nPractisedGreen) + " 道已经熟练（绿色），占 " +
               PercentText(child.nPractisedGreen, child.nPractisedFacts) + "</strong>。</p>";
}

void AppendNewGreen(std::string& out, const asCHILDREPORT& child, CFactLinks& links) {
    if (child.arrNewGreen.empty()) return;
    const std::span<const std::string> arrAll(child.arrNewGreen);
    const std::string count = std::to_string(arrAll.size());
    out += "<p class=\"facts\" data-new-green=\"" + count + "\">" + WeekName(0) +
           "新掌握（变成绿色）的 " + count + " 道：";
    for (const std::string& fact : arrAll.first(std::min(FACTS_IN_LIST, arrAll.size())))
        out += "<span data-new=\"" + Escaped(fact) + "\">" + links.Link(fact) + "</span>";
    if (arrAll.size() > FACTS_IN_LIST) out += "<span class=\"more\">… 共 " + count + " 道</span>";
    out += "</p>";
}

void AppendToPractise(std::string& out, const asCHILDREPORT& child, CFactLinks& links) {
    if (child.arrToPractise.empty()) return;
    const std::span<const asSTATEDFACT> arrAll(child.arrToPractise);
    const std::string count = std::to_string(arrAll.size());
    out += "<p class=\"facts\" data-to-practise=\"" + count + "\">现在要练的 " + count +
           " 道（先练红色的，再练黄色的）：";
    for (const asSTATEDFACT& fact : arrAll.first(std::min(FACTS_IN_LIST, arrAll.size())))
        out += "<span data-todo=\"" + Escaped(fact.strFact) + "\" data-state=\"" +
               StateKey(fact.nState) + "\"><span class=\"key " + StateKey(fact.nState) +
               "\"></span>" + links.Link(fact.strFact) + "</span>";
    if (arrAll.size() > FACTS_IN_LIST) out += "<span class=\"more\">… 共 " + count + " 道</span>";
    out += "</p>";
}

void AppendReviewFigures(std::string& out, const asCHILDREPORT& child, int today) {
    if (child.bNameless || (child.arrInReview.empty() && child.arrReviewGreen.empty())) return;
    const auto next = std::count_if(
        child.arrInReview.begin(), child.arrInReview.end(), [&](const asINREVIEW& fact) {
            return fact.nStage != ReviewStage::SPACED || fact.nDueDay <= today;
        });
    const size_t green = child.arrReviewGreen.size();
    out += "<p data-review=\"" + std::to_string(child.arrInReview.size()) +
           "\" data-review-next=\"" + std::to_string(next) + "\" data-review-green=\"" +
           std::to_string(green) + "\">复习：" + std::to_string(child.arrInReview.size()) +
           " 道题在复习中，其中 " + std::to_string(next) + " 道下次练习就会再出；" + WeekName(0) +
           (green ? "复习让 " + std::to_string(green) + " 道题变成了绿色。</p>"
                  : "还没有题经复习变成绿色。</p>");
}

} // namespace

void AppendCountingNote(std::string& out) {
    out += "<p "
           "class=\"rules\">两种算法：<strong>每轮得分</"
           "strong>是游戏自己的得分，和奖状、游戏里的图表一样"
           "——在答错之前用放大镜看了答案再填上，也算第一次答对。<strong>"
           "第一次答对的比例和题目的颜色</strong>"
           "更严：只有孩子自己答对、没有用放大镜，才算会。</p>";
}

void AppendSummary(std::string& out, const asCHILDREPORT& child, int today, CFactLinks& links) {
    out += "<div class=\"summary\"><p class=\"lead\">" + Sentence(child) + "</p>";
    AppendWeeks(out, child);
    AppendMastery(out, child);
    AppendNewGreen(out, child, links);
    AppendToPractise(out, child, links);
    AppendReviewFigures(out, child, today);
    out += "<p class=\"note\">“最近 " + std::to_string(SUMMARY_WEEK_DAYS) + " 天”是到今天为止的 " +
           std::to_string(SUMMARY_WEEK_DAYS) + " 天，和再之前的 " +
           std::to_string(SUMMARY_WEEK_DAYS) + " 天比，两段一样长。分钟数不计超过 " +
           std::to_string(PAUSE_MS / 60000) + " 分钟的停顿。</p></div>";
}
