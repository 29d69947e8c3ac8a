// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The page around the figures: style, heading, the class overview, each child's section.
#include "report/ReportPage.h"

#include "platform/Translate.h"
#include "report/HtmlText.h"
#include "report/ReportParts.h"
#include "storage/Paths.h"

namespace {

constexpr const char* STYLE = R"css(
body{font-family:"Noto Sans CJK SC","Noto Serif CJK SC",sans-serif;color:#222;margin:24px auto;max-width:1100px;padding:0 16px;line-height:1.5}
h1{font-size:26px;margin:0}h2{font-size:22px;border-bottom:2px solid #3a7d44;margin-top:32px}h3{font-size:17px;margin:20px 0 6px}
table{border-collapse:collapse}th,td{padding:2px 6px}
.list th,.list td{border-bottom:1px solid #ddd;text-align:right}.list th:first-child,.list td:first-child{text-align:left}
.note{color:#555;font-size:13px}.empty{color:#777}.failed{color:#a00}
.list th,.list td:first-child{white-space:nowrap}
.calendars{display:flex;flex-wrap:wrap;gap:10px 18px}
.calendar caption{font-weight:bold;text-align:left;white-space:nowrap}.calendar caption span{font-weight:normal;color:#555;font-size:12px;margin-left:8px}
.calendar th{font-size:12px;font-weight:normal;color:#555}
.calendar td{width:30px;height:26px;padding:0 2px 0 0;border:1px solid #fff;background:#f1f1f1;text-align:right;vertical-align:top;font-size:13px;font-weight:bold;line-height:1.1}
.calendar td i{display:block;font-style:normal;font-weight:normal;font-size:9px;color:#777;text-align:left;padding-left:2px}
.calendar td.none{background:none}
.calendar td.l1{background:#c6e48b}.calendar td.l2{background:#7bc96f}.calendar td.l3{background:#3a9a4a;color:#fff}.calendar td.l4{background:#1e6823;color:#fff}
.calendar td.l3 i,.calendar td.l4 i{color:#e8e8e8}
svg.scores{width:100%;max-width:680px;height:auto}svg.scores text{font-size:11px;fill:#555;stroke:none}
svg.scores .rule{stroke:#ddd}svg polyline{stroke-width:1.5;opacity:.8}svg .open{fill:none;stroke-width:1.5}
.legend span{display:inline-block;margin-right:16px;white-space:nowrap}.legend svg{vertical-align:middle;margin-right:4px}
.grids{display:flex;flex-wrap:wrap;gap:16px}.grid caption{font-weight:bold;text-align:left}
.grid th{font-size:10px;font-weight:normal;color:#555;padding:0 2px}
.grid td{width:16px;height:16px;padding:0;border:1px solid #fff}.grid td a{display:block;width:100%;height:100%}
td.grey,.key.grey{background:#d4d4d4}td.red,.key.red{background:#e0463c}td.yellow,.key.yellow{background:#f2c12e}td.green,.key.green{background:#3a9a4a}
td.none{background:none}
.key{display:inline-block;width:12px;height:12px;vertical-align:middle;margin-right:4px}
.review th,.review td:first-child{white-space:nowrap}.review th:last-child,.review td.facts{text-align:left}
.facts span{display:inline-block;margin-right:12px;white-space:nowrap}.facts .more{color:#777}
.summary{border:1px solid #cfe3d2;background:#f5faf6;padding:4px 14px;margin:10px 0}.summary .lead{font-size:18px;font-weight:bold}.summary .lead span{white-space:nowrap}.summary .facts .key{margin-right:2px}.rules{font-size:13px;color:#333;background:#f6f6f6;padding:4px 8px}
.histories{columns:4 200px;column-gap:18px}.histories article{break-inside:avoid;margin-bottom:10px;font-size:12px;color:#555}
.histories h4{margin:0;font-size:15px;color:#222}.histories pre{margin:0;font:12px/1.35 "DejaVu Sans Mono",monospace;color:#222}
.histories b{color:#c0392b}.histories article:target{outline:2px solid #d9822b}
footer{margin-top:32px;font-size:11px;color:#777;word-break:break-all}
*{-webkit-print-color-adjust:exact;print-color-adjust:exact}
@page{size:A4;margin:12mm}
@media print{body{margin:0;max-width:none;padding:0;font-size:11pt}section.child{break-before:page}
.overview+section.child,header+section.child{break-before:auto}.class section.child{break-before:page}
h2,h3,caption{break-after:avoid}p.note,p.empty{break-before:avoid}
table,svg,.grids,.calendar,.legend,.keep,.summary,tr{break-inside:avoid}table.review{break-inside:auto}.grid td{width:12px;height:12px}
.histories,.histories-title,.histories-title+p,.grid td a,.screen{display:none}a{color:inherit;text-decoration:none}}
)css";

std::string GreenShare(const asCHILDREPORT& child) {
    // TRANSLATORS: green facts of all facts, and their share: 120 / 440（27%）.
    return Format(Tr("%s / %s（%s）"),
                  {std::to_string(child.nGreen), std::to_string(child.arrGrid.size()),
                   PercentText(child.nGreen, int64_t(child.arrGrid.size()))});
}

// Mastery of what the child practises: green among the facts the sets they played can ask.
std::string PractisedShare(const asCHILDREPORT& child) {
    return Format(Tr("%s / %s（%s）"),
                  {std::to_string(child.nPractisedGreen), std::to_string(child.nPractisedFacts),
                   PercentText(child.nPractisedGreen, child.nPractisedFacts)});
}

// The child's last day with an answer, "—" for none.
std::string LastDay(const asCHILDREPORT& child) {
    return child.arrDays.empty() ? "—" : DateText(child.arrDays.back().nDay);
}

void AppendOverview(std::string& out, const std::vector<asCHILDREPORT>& arrChildren, bool bSources,
                    bool bClass, std::vector<CFactLinks>& arrLinks) {
    out += std::string("<section class=\"overview\"><h2>") + Tr("一览") +
           "</h2><table class=\"list\"><tr><th>" + Tr("孩子") + "</th>";
    if (bSources) out += std::string("<th>") + Tr("记录文件") + "</th>";
    out += std::string("<th>") + Tr("最后练习") + "</th><th>" + Tr("练习天数") + "</th><th>" +
           Tr("答题数") + "</th><th>" + Tr("第一次答对") + "</th><th>" +
           Tr("练过的题掌握（绿色）") + "</th></tr>";
    for (const asCHILDREPORT& child : arrChildren) {
        out += "<tr data-child=\"" + Escaped(child.strName) + "\" data-days=\"" +
               std::to_string(child.arrDays.size()) + "\" data-answers=\"" +
               std::to_string(child.nAnswers) + "\" data-problems=\"" +
               std::to_string(child.overall.nProblems) + "\" data-right=\"" +
               std::to_string(child.overall.nRight) + "\" data-green=\"" +
               std::to_string(child.nGreen) + "\" data-cells=\"" +
               std::to_string(child.arrGrid.size()) + "\" data-last=\"" + LastDay(child) +
               "\"><td>" + Escaped(child.strName) + "</td>";
        if (bSources) out += "<td class=\"note\">" + Escaped(NameOf(child.strSource)) + "</td>";
        out += "<td>" + LastDay(child) + "</td><td>" + std::to_string(child.arrDays.size()) +
               "</td><td>" + std::to_string(child.nAnswers) + "</td><td>" +
               PercentText(child.overall.nRight, child.overall.nProblems) + "</td><td>" +
               PractisedShare(child) + "</td></tr>";
    }
    out += "</table>";
    if (bClass) AppendClassWeakest(out, arrChildren, arrLinks);
    out += "</section>";
}

void AppendKinds(std::string& out, const asCHILDREPORT& child) {
    out += std::string("<table class=\"list kinds\"><tr><th>") + Tr("题型") + "</th><th>" +
           Tr("题数") + "</th><th>" + Tr("第一次答对") + "</th><th>" + Tr("用时中位数") +
           "</th></tr>";
    for (int k = 0; k < PROBLEM_KIND_COUNT; ++k) {
        const ProblemKind kind = ProblemKind(k);
        const asKINDFIGURES& figures = child.arrKinds[size_t(k)];
        out += "<tr data-kind=\"" + std::string(KindKey(kind)) + "\" data-problems=\"" +
               std::to_string(figures.nProblems) + "\" data-right=\"" +
               std::to_string(figures.nRight) + "\" data-median-ms=\"" +
               std::to_string(figures.nMedianMs) + "\"><td>" + KindName(kind) + "</td><td>" +
               std::to_string(figures.nProblems) + "</td><td>" +
               PercentText(figures.nRight, figures.nProblems) + "</td><td>" +
               SecondsText(figures.nMedianMs) + "</td></tr>";
    }
    out +=
        std::string("</table><p class=\"note\">") +
        Tr("按每道题的第一次作答计算；用放大镜看答案的题不算答对。用时从题目出现算到交上答案。") +
        "</p>";
}

void AppendMostWrong(std::string& out, const asCHILDREPORT& child, CFactLinks& links) {
    if (child.arrMostWrong.empty()) {
        out += std::string("<p class=\"empty\">") + Tr("还没有答错过。") + "</p>";
        return;
    }
    out += std::string("<table class=\"list wrong\"><tr><th>") + Tr("题目") + "</th><th>" +
           Tr("第一次答错") + "</th><th>" + Tr("出现次数") + "</th><th>" + Tr("最常见的错答") +
           "</th><th>" + Tr("现在") + "</th></tr>";
    for (const asWRONGFACT& wrong : child.arrMostWrong)
        out += "<tr data-fact=\"" + Escaped(wrong.strFact) + "\" data-wrong=\"" +
               std::to_string(wrong.nWrong) + "\" data-common=\"" + Escaped(wrong.strCommonWrong) +
               "\" data-now=\"" + StateKey(wrong.nState) + "\"><td>" + links.Link(wrong.strFact) +
               "</td><td>" + std::to_string(wrong.nWrong) + "</td><td>" +
               std::to_string(wrong.nTries) + "</td><td>" +
               // TRANSLATORS: the wrong answer given most often and how many times: 14（3 次）.
               Format(TrN("%s（%s 次）", "%s（%s 次）", wrong.nCommonWrong),
                      {Escaped(wrong.strCommonWrong), std::to_string(wrong.nCommonWrong)}) +
               "</td><td class=\"now\">" + StateChip(wrong.nState) + "</td></tr>";
    out += "</table>";
}

void AppendWeakest(std::string& out, const asCHILDREPORT& child, CFactLinks& links) {
    out += std::string("<h3>") + Tr("20 以上的题目中最需要练习的 20 道") + "</h3>";
    if (child.arrWeakest.empty()) {
        out += std::string("<p class=\"empty\">") + Tr("还没有练过 20 以上的加减法。") + "</p>";
        return;
    }
    out += std::string("<table class=\"list weakest\"><tr><th>") + Tr("题目") + "</th><th>" +
           Tr("情况") + "</th><th>" + Tr("出现次数") + "</th><th>" + Tr("第一次答对") +
           "</th><th>" + Tr("用时中位数") + "</th></tr>";
    for (const asWEAKFACT& weak : child.arrWeakest)
        out += "<tr data-fact=\"" + Escaped(weak.strFact) + "\" data-state=\"" +
               StateKey(weak.nState) + "\"><td>" + links.Link(weak.strFact) + "</td><td>" +
               StateChip(weak.nState) + "</td><td>" + std::to_string(weak.nTries) + "</td><td>" +
               std::to_string(weak.nRight) + "</td><td>" + SecondsText(weak.nMedianMs) +
               "</td></tr>";
    out += "</table>";
}

void AppendChild(std::string& out, const asCHILDREPORT& child, int64_t thresholdMs, int today,
                 bool bSources, CFactLinks& links) {
    out += "<section class=\"child\" data-child=\"" + Escaped(child.strName) + "\"><h2>" +
           Escaped(child.strName) + "</h2>";
    if (bSources)
        out += "<p class=\"note\">" +
               Format(Tr("记录文件：%s"), {Escaped(NameOf(child.strSource))}) + "</p>";
    if (child.bNameless)
        out += std::string("<p class=\"note\">") +
               Tr("没有选名字时做的题都记在这里。在“信息及设置”里新建或选择孩子的名字，"
                  "以后做的题就会记在名字下。") +
               "</p>";
    AppendSummary(out, child, today, links);
    out += "<p>" +
           Format(Tr("练习了 %s 天，自己答了 %s 次，第一次就答对的占 %s。"),
                  {std::to_string(child.arrDays.size()), std::to_string(child.nAnswers),
                   PercentText(child.overall.nRight, child.overall.nProblems)}) +
           "</p>";
    // Each figure stays on one sheet with its heading and its note.
    out += std::string("<div class=\"keep\"><h3>") + Tr("练习日历") + "</h3>";
    AppendCalendar(out, child);
    out += std::string("<p class=\"note\">") +
           Tr("每月一块，每行一周（从星期一开始）。格里的大数字是那天练习的分钟数，"
              "小数字是日期；颜色越深练得越久。分钟数不计一轮中超过 5 分钟的停顿。") +
           "</p></div>";
    out += std::string("<div class=\"keep\"><h3>") + Tr("每轮得分") + "</h3>";
    AppendScoreChart(out, child);
    out += std::string("<p class=\"note\">") +
           Tr("每条线是一套题（和标题画面上的木牌同名），每个记号是做完的一轮；"
              "同一天做的几轮按先后在当天的位置上依次排开。") +
           "</p></div>";
    out += std::string("<div class=\"keep\"><h3>") + Tr("各类题目") + "</h3>";
    AppendKinds(out, child);
    out += std::string("</div><div class=\"keep\"><h3>") + Tr("最常答错的 10 道题") + "</h3>";
    AppendMostWrong(out, child, links);
    out += "</div>";
    if (!child.bNameless) AppendReview(out, child, today, thresholdMs, links);
    out +=
        std::string("<div class=\"keep\"><h3>") + Tr("20 以内加减法掌握情况") + "</h3><p>" +
        // TRANSLATORS: the grid's key; %1$s is the threshold in seconds, %2$s the green share.
        Format(Tr("每格是一道题（行是第一个数，列是第二个数）。"
                  "<span class=\"key green\"></span>绿色：最近 3 次中至少有 2 次在 %1$s "
                  "秒内答对；<span class=\"key yellow\"></span>黄色：最近一次答对了，但还不够快；"
                  "<span class=\"key red\"></span>红色：最近一次答错了，或是用放大镜看了答案；"
                  "<span class=\"key grey\"></span>灰色：还没有练过。填空题算作它藏着的那道题"
                  "（□+3=8 算作 5+3）。绿色：%2$s。"),
               {ThresholdText(thresholdMs), GreenShare(child)}) +
        "</p>";
    out += std::string("<p class=\"note screen\">") +
           Tr("点一格就能看到这道题最近几次是怎么答的。") + "</p>";
    AppendFactGrid(out, child, links);
    out += "</div>";
    if (child.bLargeSets) AppendWeakest(out, child, links);
    AppendFactHistories(out, child, links);
    out += "</section>";
}

// What a family that has not played yet reads.
void AppendFirstSteps(std::string& out, const asPAGEINFO& info) {
    out += std::string("<section class=\"start\"><h2>") + Tr("还没有记下任何答题") + "</h2><p>" +
           Tr("孩子在游戏里每答一道题，都会马上记下来；做过题以后再打开这份报告，"
              "就能看到练习的情况。") +
           "</p><p>" +
           // TRANSLATORS: the buttons' and planks' names are those of the game's screens; %s is
           // the name the runs without a child are kept under.
           Format(Tr("怎样开始：在游戏的标题画面点“信息及设置”，用“新建用户”写上孩子的名字，"
                     "或用“更改用户”选出已有的名字；再回到标题画面，点一块“… 以内算术题”的木牌"
                     "（或按数字键 1 到 8）开始做题。没有选名字时做的题，记在“%s”下。"),
                  {NamelessChild()}) +
           "</p>";
    if (!info.strNotYetMade.empty())
        out += "<p class=\"note\">" +
               Format(Tr("答题记录会保存在 %s。"), {Escaped(info.strNotYetMade)}) + "</p>";
    out += "</section>";
}

} // namespace

std::string WriteReportPage(const std::vector<asCHILDREPORT>& arrChildren, const asPAGEINFO& info) {
    std::string out;
    out.reserve(64 * 1024 + arrChildren.size() * 96 * 1024);
    // Several children from several records are a class.
    const bool bClass = info.arrSources.size() > 1 && arrChildren.size() > 1;
    const std::string title = bClass ? Tr("Zimbly 班级报告") : Tr("Zimbly 家长报告");
    // TRANSLATORS: the page's language tag for the browser (fonts, hyphens): en, de, fr, …
    out += std::string("<!DOCTYPE html>\n<html lang=\"") + Tr("zh-CN") +
           "\"><head><meta charset=\"utf-8\">"
           "<meta name=\"viewport\" content=\"width=device-width\"><title>" +
           title + "</title><style>";
    out += STYLE;
    out += bClass ? "</style></head><body class=\"class\">" : "</style></head><body>";
    out += "<header><h1>" + title + "</h1><p class=\"note\">";
    if (info.arrSources.empty()) {
        out += Format(Tr("%s 生成。所有数据都只在这台电脑上。"), {DateText(info.nToday)});
    } else {
        std::string files;
        for (size_t i = 0; i < info.arrSources.size(); ++i)
            files += (i ? Tr("、") : "") + Escaped(NameOf(info.arrSources[i]));
        // TRANSLATORS: %1$s is the day the page was made, %2$s the answer records' file names.
        out += Format(Tr("%1$s 生成，根据 %2$s 中的答题记录。所有数据都只在这台电脑上。"),
                      {DateText(info.nToday), files});
    }
    out += "</p>";
    for (const asFAILEDHISTORY& failed : info.arrFailed)
        out += "<p class=\"failed\" data-failed=\"" + Escaped(failed.strPath) + "\">" +
               // TRANSLATORS: %1$s is a file's name, %2$s why it cannot be read.
               Format(Tr("无法读取 %1$s：%2$s"),
                      {Escaped(NameOf(failed.strPath)), Escaped(failed.strError)}) +
               "</p>";
    if (!arrChildren.empty()) AppendCountingNote(out);
    out += "</header>";
    // With no history read at all, the lines above say why.
    if (arrChildren.empty() && info.bAnyRun)
        out += "<p class=\"empty\">" +
               Format(Tr("记录里没有“%s”的答题。"), {Escaped(info.strChosen)}) + "</p>";
    else if (arrChildren.empty() && (!info.arrSources.empty() || !info.strNotYetMade.empty()))
        AppendFirstSteps(out, info);
    const bool bSources = info.arrSources.size() > 1;
    std::vector<CFactLinks> arrLinks;
    for (size_t i = 0; i < arrChildren.size(); ++i)
        arrLinks.emplace_back(arrChildren[i], i);
    if (arrChildren.size() > 1) AppendOverview(out, arrChildren, bSources, bClass, arrLinks);
    for (size_t i = 0; i < arrChildren.size(); ++i)
        AppendChild(out, arrChildren[i], info.nThresholdMs, info.nToday, bSources, arrLinks[i]);
    // The full paths once, in small print: the header names the files only.
    if (!info.arrSources.empty() || !info.arrFailed.empty()) {
        std::string files;
        for (size_t i = 0; i < info.arrSources.size(); ++i)
            files += (i ? Tr("；") : "") + Escaped(info.arrSources[i]);
        for (const asFAILEDHISTORY& failed : info.arrFailed)
            files +=
                (info.arrSources.empty() && &failed == &info.arrFailed.front() ? "" : Tr("；")) +
                Format(Tr("%s（无法读取）"), {Escaped(failed.strPath)});
        out += "<footer>" + Format(Tr("答题记录文件：%s"), {files}) + "</footer>";
    }
    out += "</body></html>\n";
    return out;
}
