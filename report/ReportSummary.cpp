// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What a parent reads first in a child's section: one sentence, this week against last, how much
// of what the child practises is mastered, what turned green, what to practise now, and review.
#include "facts/ProblemSet.h"
#include "platform/Translate.h"
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

std::string WeekDays() {
    return std::to_string(SUMMARY_WEEK_DAYS);
}

// The week's figures in one sentence, a whole sentence a case so that a translation can order it.
std::string WeekSentence(const asCHILDREPORT& child) {
    const asWEEKFIGURES &now = child.arrWeeks[0], &before = child.arrWeeks[1];
    const int64_t minutes = Minutes(now.nActiveMs), minutesBefore = Minutes(before.nActiveMs);
    const std::string days = std::to_string(now.nDays), total = std::to_string(minutes);
    if (now.nDays == 0 && before.nDays == 0)
        return Format(Tr("最近 %1$s 天没有练习"), {WeekDays()});
    if (now.nDays == 0)
        // TRANSLATORS: %1$s is the length of a week in days, %2$s the days practised in the week
        // before, %3$s their minutes.
        return Format(Tr("最近 %1$s 天没有练习（之前 %1$s 天练了 %2$s 天共 %3$s 分钟）"),
                      {WeekDays(), std::to_string(before.nDays), std::to_string(minutesBefore)});
    if (before.nDays == 0)
        return Format(Tr("最近 %1$s 天练了 %2$s 天共 %3$s 分钟，之前 %1$s 天没有练习"),
                      {WeekDays(), days, total});
    if (minutes == minutesBefore)
        return Format(Tr("最近 %1$s 天练了 %2$s 天共 %3$s 分钟，和之前 %1$s 天一样多"),
                      {WeekDays(), days, total});
    const std::string difference = std::to_string(std::abs(minutes - minutesBefore));
    return Format(minutes > minutesBefore
                      ? Tr("最近 %1$s 天练了 %2$s 天共 %3$s 分钟，比之前 %1$s 天多 %4$s 分钟")
                      : Tr("最近 %1$s 天练了 %2$s 天共 %3$s 分钟，比之前 %1$s 天少 %4$s 分钟"),
                  {WeekDays(), days, total, difference});
}

// What turned green and what to practise, or "" when there is nothing to say.
std::string FactsSentence(const asCHILDREPORT& child) {
    const std::string newGreen = std::to_string(child.arrNewGreen.size());
    if (!child.arrToPractise.empty()) {
        std::string list;
        const size_t shown = std::min(FACTS_IN_SENTENCE, child.arrToPractise.size());
        for (size_t i = 0; i < shown; ++i)
            list += (i ? Tr("、") : "") + std::string("<span>") +
                    Escaped(child.arrToPractise[i].strFact) + "</span>";
        if (child.arrToPractise.size() > shown) list += "…";
        const std::string count = std::to_string(child.arrToPractise.size());
        if (child.arrNewGreen.empty()) return Format(Tr("还需要练 %1$s 道：%2$s"), {count, list});
        // TRANSLATORS: %1$s facts newly green, %2$s facts to practise, %3$s the first of them.
        return Format(Tr("新掌握 %1$s 道，还需要练 %2$s 道：%3$s"), {newGreen, count, list});
    }
    if (child.nPractisedGreen > 0)
        return child.arrNewGreen.empty()
                   ? std::string(Tr("练过的题没有答错或答得慢的"))
                   : Format(Tr("新掌握 %s 道，练过的题没有答错或答得慢的"), {newGreen});
    return child.arrNewGreen.empty() ? "" : Format(Tr("新掌握 %s 道"), {newGreen});
}

std::string Sentence(const asCHILDREPORT& child) {
    const std::string facts = FactsSentence(child);
    // TRANSLATORS: the summary's lead: %1$s the week, %2$s the facts.
    return facts.empty() ? Format(Tr("%s。"), {WeekSentence(child)})
                         : Format(Tr("%1$s；%2$s。"), {WeekSentence(child), facts});
}

void AppendWeeks(std::string& out, const asCHILDREPORT& child) {
    out += std::string("<table class=\"list weeks\"><tr><th></th><th>") + Tr("练习天数") +
           "</th><th>" + Tr("分钟") + "</th><th>" + Tr("自己答题") + "</th><th>" +
           Tr("第一次答对") + "</th><th>" + Tr("用时中位数") + "</th></tr>";
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
               // TRANSLATORS: %1$s is the length of a week in days, %2$s and %3$s its first and
               // last day.
               Format(week == 0 ? Tr("最近 %1$s 天（%2$s–%3$s）") : Tr("之前 %1$s 天（%2$s–%3$s）"),
                      {WeekDays(), ShortDate(figures.nFirstDay),
                       ShortDate(figures.nFirstDay + SUMMARY_WEEK_DAYS - 1)}) +
               "</td><td>" + std::to_string(figures.nDays) + "</td><td>" + minutes + "</td><td>" +
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
        names += (names.empty() ? "" : Tr("，")) +
                 // TRANSLATORS: a problem set's caption and, in brackets, the kinds it asks.
                 Format(Tr("%1$s（%2$s）"), {SetCaption(set.nLimit), KindsCaption(set.nKinds)});
    }
    out += "<p class=\"mastery\" data-sets=\"" + sets + "\" data-practised=\"" +
           std::to_string(child.nPractisedFacts) + "\" data-practised-green=\"" +
           std::to_string(child.nPractisedGreen) + "\">";
    if (child.nPractisedFacts == 0)
        out += Format(Tr("练过的题组：%s。这些题组不出单独的加法或减法题。"), {names});
    else
        // TRANSLATORS: %1$s the sets played, %2$s the facts they ask, %3$s of them green, %4$s
        // the share.
        out += Format(Tr("练过的题组：%1$s。这些题组能出的 %2$s 道加减法中，<strong>%3$s "
                         "道已经熟练（绿色），占 %4$s</strong>。"),
                      {names, std::to_string(child.nPractisedFacts),
                       std::to_string(child.nPractisedGreen),
                       PercentText(child.nPractisedGreen, child.nPractisedFacts)});
    out += "</p>";
}

void AppendNewGreen(std::string& out, const asCHILDREPORT& child, CFactLinks& links) {
    if (child.arrNewGreen.empty()) return;
    const std::span<const std::string> arrAll(child.arrNewGreen);
    const std::string count = std::to_string(arrAll.size());
    out += "<p class=\"facts\" data-new-green=\"" + count + "\">" +
           Format(Tr("最近 %1$s 天新掌握（变成绿色）的 %2$s 道："), {WeekDays(), count});
    for (const std::string& fact : arrAll.first(std::min(FACTS_IN_LIST, arrAll.size())))
        out += "<span data-new=\"" + Escaped(fact) + "\">" + links.Link(fact) + "</span>";
    if (arrAll.size() > FACTS_IN_LIST)
        out += "<span class=\"more\">" + Format(Tr("… 共 %s 道"), {count}) + "</span>";
    out += "</p>";
}

void AppendToPractise(std::string& out, const asCHILDREPORT& child, CFactLinks& links) {
    if (child.arrToPractise.empty()) return;
    const std::span<const asSTATEDFACT> arrAll(child.arrToPractise);
    const std::string count = std::to_string(arrAll.size());
    out += "<p class=\"facts\" data-to-practise=\"" + count + "\">" +
           Format(Tr("现在要练的 %s 道（先练红色的，再练黄色的）："), {count});
    for (const asSTATEDFACT& fact : arrAll.first(std::min(FACTS_IN_LIST, arrAll.size())))
        out += "<span data-todo=\"" + Escaped(fact.strFact) + "\" data-state=\"" +
               StateKey(fact.nState) + "\"><span class=\"key " + StateKey(fact.nState) +
               "\"></span>" + links.Link(fact.strFact) + "</span>";
    if (arrAll.size() > FACTS_IN_LIST)
        out += "<span class=\"more\">" + Format(Tr("… 共 %s 道"), {count}) + "</span>";
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
           std::to_string(green) + "\">" +
           // TRANSLATORS: %1$s facts in review, %2$s of them asked next time, %3$s the length of
           // a week in days, %4$s the facts review turned green in it.
           Format(green ? Tr("复习：%1$s 道题在复习中，其中 %2$s 道下次练习就会再出；最近 %3$s "
                             "天复习让 %4$s 道题变成了绿色。")
                        : Tr("复习：%1$s 道题在复习中，其中 %2$s 道下次练习就会再出；最近 %3$s "
                             "天还没有题经复习变成绿色。"),
                  {std::to_string(child.arrInReview.size()), std::to_string(next), WeekDays(),
                   std::to_string(green)}) +
           "</p>";
}

} // namespace

void AppendCountingNote(std::string& out) {
    out += std::string("<p class=\"rules\">") +
           Tr("两种算法：<strong>每轮得分</strong>是游戏自己的得分，和奖状、游戏里的图表一样"
              "——在答错之前用放大镜看了答案再填上，也算第一次答对。<strong>第一次答对的比例和"
              "题目的颜色</strong>更严：只有孩子自己答对、没有用放大镜，才算会。") +
           "</p>";
}

void AppendSummary(std::string& out, const asCHILDREPORT& child, int today, CFactLinks& links) {
    out += "<div class=\"summary\"><p class=\"lead\">" + Sentence(child) + "</p>";
    AppendWeeks(out, child);
    AppendMastery(out, child);
    AppendNewGreen(out, child, links);
    AppendToPractise(out, child, links);
    AppendReviewFigures(out, child, today);
    out += "<p class=\"note\">" +
           // TRANSLATORS: %1$s is the length of a week in days, %2$s the pause left out.
           Format(Tr("“最近 %1$s 天”是到今天为止的 %1$s 天，和再之前的 %1$s 天比，两段一样长。"
                     "分钟数不计超过 %2$s 分钟的停顿。"),
                  {WeekDays(), std::to_string(PAUSE_MS / 60000)}) +
           "</p></div>";
}
