// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What reaches the page and the CSV from outside: names and texts shown as text, formula-looking
// cells made inert, quoting, the byte-order mark.
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

} // namespace
