// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of the report and the export.
#include "app/ReportCommand.h"
#include "tests/storage/HistoryBuilder.h"
#include "tests/storage/HistoryFixture.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

std::vector<std::string> Words(std::initializer_list<const char*> words) {
    return {words.begin(), words.end()};
}

TEST(ReportCommand, OptionsAndHistoriesAreTakenInAnyOrder) {
    asREPORTCOMMAND command;
    std::string error;
    ASSERT_TRUE(ParseReportCommand(Words({"--report", "a.sqlite", "--child", "小明", "--threshold",
                                          "4.5", "b.sqlite", "--out", "r.html", "--", "--c"}),
                                   command, error))
        << error;
    EXPECT_EQ(command.nMode, ReportMode::PAGE);
    EXPECT_EQ(command.strChild, "小明");
    EXPECT_EQ(command.strOut, "r.html");
    EXPECT_EQ(command.nThresholdMs, 4500);
    EXPECT_EQ(command.arrHistories, Words({"a.sqlite", "b.sqlite", "--c"}));

    ASSERT_TRUE(ParseReportCommand(Words({"--export-csv"}), command, error));
    EXPECT_EQ(command.nMode, ReportMode::CSV);
    EXPECT_TRUE(command.arrHistories.empty());
    EXPECT_EQ(command.nThresholdMs, DEFAULT_THRESHOLD_MS);
}

TEST(ReportCommand, BadOptionsAreRefusedWithAReason) {
    const std::initializer_list<const char*> arrCases[] = {
        {"--report", "--child"},
        {"--report", "--out", ""},
        {"--report", "--out", "a", "--out", "b"},
        {"--report", "--threshold", "0"},
        {"--report", "--threshold", "-3"},
        {"--report", "--threshold", "6s"},
        {"--report", "--threshold", "nan"},
        {"--report", "--threshold", "601"},
        {"--report", "--fullscreen"},
        {"--export-csv", "--threshold", "5"},
        {"--window"},
    };
    for (const auto& words : arrCases) {
        asREPORTCOMMAND command;
        std::string error;
        EXPECT_FALSE(ParseReportCommand(Words(words), command, error)) << *(words.end() - 1);
        EXPECT_FALSE(error.empty());
    }
    EXPECT_FALSE(IsReportCommand(Words({"--window", "--report"})));
}

using ReportRun = CHistoryTest; // m_strPath: the game's own record, not made yet

TEST_F(ReportRun, NothingRecordedYetIsNoFaultAndTheNamelessChildHasItsLabel) {
    const std::string empty = m_strFolder + "/empty", runs = m_strFolder + "/runs";
    std::ofstream{empty}; // no bytes: what the game makes before the first answer
    {
        CHistoryBuilder builder(runs);
        builder.AddAnswer(builder.AddRun("", 1000), 2000, "1+1=□", "2", "2"); // no child chosen
        builder.AddAnswer(builder.AddRun("\xCD\xF5", 3000), 4000, "1+1=□", "2", "3"); // 王
    }
    using asWORDS = std::vector<std::string>; // the output holds them in this order
    const std::tuple<asWORDS, int, asWORDS, const char*> arrCases[] = {
        {{"--report"}, 0, {"生成。", "还没有记下任何答题", "信息及设置", m_strPath}, "根据"},
        {{"--export-csv"}, 0, {"孩子,时间"}, "\r\n1970-"},
        {{"--report", runs + "x"},
         1,
         {"生成。", "无法读取 runsx：文件不存在", runs + "x（无法读取）"}, // the path at the end
         "还没有记下"},
        {{"--report", "--child", "Tom", empty},
         0,
         {"根据 empty 中", "还没有记下任何答题", "<footer>答题记录文件：" + empty},
         "保存在"},
        {{"--report", runs}, 0, {"<h2>王</h2>", "<h2>没有名字的小朋友</h2>"}, "还没有记下"},
        {{"--report", "--child", "", runs}, 0, {"<h2>没有名字的小朋友</h2>"}, "王"},
        {{"--export-csv", "--child", "没有名字的小朋友", runs},
         0,
         {"\n没有名字的小朋友,1970-"},
         "王"},
        {{"--report", "--child", "Ann", runs}, 1, {"记录里没有“Ann”的答题"}, "还没有记下"},
    };
    for (const auto& [arrArgs, nExit, arrInOrder, pAbsent] : arrCases) {
        const std::string what = ::testing::PrintToString(arrArgs);
        asREPORTCOMMAND command;
        std::string error;
        ASSERT_TRUE(ParseReportCommand(arrArgs, command, error)) << what << error;
        const asREPORTOUTPUT output = MakeReport(command, m_strPath);
        EXPECT_EQ(output.nExitCode, nExit) << what;
        size_t at = 0;
        for (const std::string& word : arrInOrder)
            EXPECT_NE(at = output.strText.find(word, at), std::string::npos) << what << word;
        EXPECT_EQ(output.strText.find(pAbsent), std::string::npos) << what;
    }
}

} // namespace
