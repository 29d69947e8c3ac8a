// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of the report and the export.
#include "app/ReportCommand.h"

#include <gtest/gtest.h>

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

} // namespace
