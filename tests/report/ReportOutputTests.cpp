// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What reaches the page and the CSV from outside: names and texts shown as text, formula-looking
// cells made inert, quoting, the byte-order mark; and a long review list kept short.
#include "report/CsvExport.h"
#include "report/HtmlText.h"
#include "report/ReportPage.h"

#include <gtest/gtest.h>

namespace {

TEST(ReportOutput, MarkupInANameOrAPathIsShownAsText) {
    asCHILDREPORT child;
    child.strName = "<img src=x onerror=alert(1)>\"'&";
    child.strSource = "<b>家</b>.sqlite";
    child.arrGrid = GridCells();
    asPAGEINFO info;
    info.arrSources = {"<b>家</b>.sqlite", "b.sqlite"};
    info.arrFailed = {{"<script>x</script>", "文件已损坏"}};
    const std::string page = WriteReportPage({child, child}, info);
    EXPECT_EQ(page.find("<img"), std::string::npos);
    EXPECT_EQ(page.find("<b>"), std::string::npos);
    EXPECT_EQ(page.find("<script"), std::string::npos);
    EXPECT_NE(page.find("&lt;img src=x onerror=alert(1)&gt;&quot;&#39;&amp;"), std::string::npos);
    EXPECT_EQ(page.find("src=\"http"), std::string::npos); // nothing fetched
    asPAGEINFO nothingYet;
    nothingYet.strNotYetMade = "/home/<b>家</b>/zimbly-history.sqlite";
    EXPECT_EQ(WriteReportPage({}, nothingYet).find("<b>"), std::string::npos);
}

// A translation may reorder and repeat the figures; whatever it writes, no figure is lost or
// read past the end.
TEST(ReportOutput, FormatPutsEachFigureWhereTheTranslationAsks) {
    const struct {
        const char* szFormat;
        const char* szWanted;
    } ROWS[] = {
        {"%s 天共 %s 分钟", "4 天共 22 分钟"},
        {"%2$s minutes on %1$s days", "22 minutes on 4 days"},
        {"%1$s/%1$s: %2$s", "4/4: 22"},
        {"100%% %s", "100% 4"},
        {"%s %s %s", "4 22 %s"},    // a third figure the code does not give stays as written
        {"%3$s %d %", "%3$s %d %"}, // so do one past the end and a conversion other than %s
        {"%12s", "%12s"},
    };
    for (const auto& row : ROWS)
        EXPECT_EQ(Format(row.szFormat, {"4", "22"}), row.szWanted) << row.szFormat;
}

TEST(ReportOutput, CsvCellsThatLookLikeFormulasAreInertAndQuotedWhenNeeded) {
    const std::pair<const char*, const char*> arrCases[] = {
        {"Tom", "Tom"},
        {"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
        {"+1", "'+1"},
        {"-2", "'-2"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"\t=1", "'\t=1"},
        {"a,b", "\"a,b\""},
        {"line\nbreak", "\"line\nbreak\""},
        {"3+5=□", "3+5=□"},
        {"", ""},
    };
    for (const auto& [text, cell] : arrCases)
        EXPECT_EQ(CsvCell(text), cell) << text;
}

TEST(ReportOutput, CsvHasTheMarkAHeaderAndOneRowAnAnswer) {
    asHISTORY history;
    history.arrRuns.push_back({7, "=cmd|' /C calc'!A0", 2, 35, 10, 0});
    history.arrRuns.push_back({8, "Ann", 0, 35, 10, 0});
    history.arrAnswers.push_back(
        {7, 1, 0, 3600 * 1000, "□+3=8", "5", "4", false, true, false, 4200, true});
    history.arrAnswers.push_back({8, 1, 1, 7200 * 1000, "3+5=□", "8", "8", true, true, true, 100});
    asREPORTOPTIONS options;
    std::string csv = CsvHeader(false);
    AppendCsvRows(csv, history, "", options);
    ASSERT_TRUE(csv.starts_with("\xEF\xBB\xBF孩子,时间,"));
    EXPECT_NE(csv.find("\r\n'=cmd|' /C calc'!A0,1970-01-01 01:00:00,3600000,3,35,10,7,1,0,"
                       "□+3=8,填空,5,4,0,1,0,4200,1\r\n"),
              std::string::npos)
        << csv;
    EXPECT_NE(csv.find("\r\nAnn,1970-01-01 02:00:00,"), std::string::npos);
    EXPECT_NE(csv.find(",用时毫秒,复习题\r\n"), std::string::npos);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 3);

    options.strOnlyChild = "Ann";
    std::string only = CsvHeader(true);
    AppendCsvRows(only, history, "a.sqlite", options);
    EXPECT_EQ(std::count(only.begin(), only.end(), '\n'), 2);
    EXPECT_NE(only.find("\r\na.sqlite,Ann,"), std::string::npos);
}

TEST(ReportOutput, ReviewRowsGroupTheNextPracticeAndSumUpTheLaterDays) {
    asCHILDREPORT child;
    child.arrGrid = GridCells();
    child.arrInReview = {{"7+8", ReviewStage::MISSED}, {"6+6", ReviewStage::SLOW}};
    for (int i = 0; i < 30; ++i) // due before or on the page's day: at the next practice
        child.arrInReview.push_back({"1+" + std::to_string(i), ReviewStage::SPACED, 98 + i / 10});
    for (int day = 101; day <= 108; ++day)
        child.arrInReview.push_back({"2+" + std::to_string(day), ReviewStage::SPACED, day});
    asPAGEINFO info;
    info.nToday = 100;
    const std::string page = WriteReportPage({child}, info);
    auto count = [&](const std::string& text) {
        size_t n = 0;
        for (size_t at = page.find(text); at != std::string::npos; at = page.find(text, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count("<tr data-due=\"next\""), 3u);
    EXPECT_EQ(count("<tr data-due=\"1970-04-1"), 5u); // days 101 to 105
    EXPECT_NE(page.find("data-stage=\"spaced\" data-count=\"30\""), std::string::npos);
    EXPECT_EQ(count("<span>"), 2u + 24u + 5u); // the next practice's re-checks capped
    EXPECT_NE(page.find("另有 3 道熟练的题排在 1970-04-17 到 1970-04-19 之间再考"),
              std::string::npos);
    child.bNameless = true;
    EXPECT_EQ(WriteReportPage({child}, info).find("复习"), std::string::npos);
}

} // namespace
