// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The report's reader: it reads what the game wrote, tells each kind of bad file apart, and a
// game in the middle of writing neither blocks it nor shows it half a page.
#include "storage/HistoryReader.h"
#include "tests/storage/HistoryBuilder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

class HistoryReader : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zimbly-history-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_strRoot = pattern;
        m_strPath = m_strRoot + "/zimbly-history.sqlite";
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(m_strRoot, ec);
    }
    void WriteBytes(const std::string& path, const std::string& bytes, std::streamoff at = 0) {
        std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
        if (!file) file.open(path, std::ios::out | std::ios::binary);
        file.seekp(at);
        file.write(bytes.data(), std::streamsize(bytes.size()));
    }
    std::string m_strRoot;
    std::string m_strPath;
};

TEST_F(HistoryReader, ReadsRunsAndAnswersInTheOrderTheGameWroteThem) {
    {
        CHistoryBuilder builder(m_strPath);
        const int64_t first = builder.AddRun("Tom", 5000);
        // The clock was set back between the two runs: the order written still holds.
        const int64_t second = builder.AddRun("\xD0\xA1\xC3\xF7", 2000, 20, 90); // 小明
        builder.AddAnswer(first, 5500, "3+5=□", "8", "9");
        builder.AddAnswer(first, 5700, "3+5=□", "8", "8", false, true);
        builder.AddAnswer(second, 2600, "□+3=8", "5", "5", true, false, 1234);
    }
    const asHISTORYREAD read = ReadHistory(m_strPath);
    ASSERT_EQ(read.nStatus, HistoryStatus::OK) << read.strError;
    ASSERT_EQ(read.history.arrRuns.size(), 2u);
    EXPECT_EQ(read.history.arrRuns[0].strChild, "Tom");
    EXPECT_EQ(read.history.arrRuns[0].nScore, -1);
    EXPECT_EQ(read.history.arrRuns[0].nEndedUtcMs, -1);
    EXPECT_EQ(read.history.arrRuns[1].strChild, "\xD0\xA1\xC3\xF7");
    EXPECT_EQ(read.history.arrRuns[1].nScore, 90);
    EXPECT_EQ(read.history.arrRuns[1].nSetLimit, 20);
    ASSERT_EQ(read.history.arrAnswers.size(), 3u);
    EXPECT_EQ(read.history.arrAnswers[0].strTyped, "9");
    EXPECT_FALSE(read.history.arrAnswers[0].bRight);
    EXPECT_TRUE(read.history.arrAnswers[1].bByMagnifier);
    EXPECT_FALSE(read.history.arrAnswers[1].bFirstTry);
    EXPECT_EQ(read.history.arrAnswers[2].strProblem, "□+3=8");
    EXPECT_EQ(read.history.arrAnswers[2].nElapsedMs, 1234);
}

// Runs 1 to 4 of Tom, the nameless child, Amy and Tom, run 4's answer a review one where the
// version has the flag: read whole or one child's alone, as "runs|answers' runs" (r: review).
TEST_F(HistoryReader, EachVersionIsReadWholeOrOneChildAlone) {
    for (const int version : {1, 2}) {
        const std::string path = m_strPath + std::to_string(version);
        {
            CHistoryBuilder builder(path, version);
            for (const char* child : {"Tom", "", "Amy", "Tom"})
                builder.AddAnswer(builder.AddRun(child, 1000), 2000, "1+1=□", "2", "2");
            if (version > 1) builder.Exec("UPDATE answers SET is_review = 1 WHERE run_id = 4");
        }
        for (auto [child, want] : std::vector<std::pair<std::optional<std::string>, std::string>>{
                 {std::nullopt, "1234|1234r"}, {"Tom", "14|14r"}, {"", "2|2"}, {"Ann", "|"}}) {
            const asHISTORY read = ReadHistory(path, 500, child).history;
            std::string got;
            for (const asRECORDEDRUN& run : read.arrRuns)
                got += std::to_string(run.nRunId);
            got += '|';
            for (const asHISTORYANSWER& answer : read.arrAnswers)
                got += std::to_string(answer.nRunKey) + (answer.bReview ? "r" : "");
            if (version == 1) std::erase(want, 'r');
            EXPECT_EQ(got, want) << version << child.value_or(" (all)");
        }
    }
}

TEST_F(HistoryReader, EachKindOfBadFileIsToldApartAndNothingIsRead) {
    struct asCASE {
        const char* pName;
        std::function<void(const std::string&)> fnMake;
        HistoryStatus nStatus;
    };
    const std::vector<asCASE> arrCases = {
        {"missing", [](const std::string&) {}, HistoryStatus::MISSING},
        {"a directory", [](const std::string& path) { std::filesystem::create_directory(path); },
         HistoryStatus::NOT_OURS},
        {"text", [this](const std::string& path) { WriteBytes(path, std::string(5000, 'x')); },
         HistoryStatus::NOT_OURS},
        {"another program's database",
         [](const std::string& path) { CHistoryBuilder builder(path, 1, 0x12345678); },
         HistoryStatus::NOT_OURS},
        {"tables but no mark", [](const std::string& path) { CHistoryBuilder builder(path, 0, 0); },
         HistoryStatus::NOT_OURS},
        {"newer", [](const std::string& path) { CHistoryBuilder builder(path, 3); },
         HistoryStatus::NEWER},
        {"no version", [](const std::string& path) { CHistoryBuilder builder(path, 0); },
         HistoryStatus::DAMAGED},
        {"a table missing",
         [](const std::string& path) {
             CHistoryBuilder builder(path);
             builder.Exec("DROP TABLE answers");
         },
         HistoryStatus::DAMAGED},
        {"pages overwritten",
         [this](const std::string& path) {
             {
                 CHistoryBuilder builder(path);
                 builder.Exec("BEGIN");
                 const int64_t run = builder.AddRun("Tom", 1);
                 for (int i = 0; i < 400; ++i)
                     builder.AddAnswer(run, i, "3+5=□", "8", "8");
                 builder.Exec("COMMIT");
             }
             WriteBytes(path, std::string(8192, '\x5A'), 4096); // all but the first page
         },
         HistoryStatus::DAMAGED},
    };
    for (size_t i = 0; i < arrCases.size(); ++i) {
        const std::string path = m_strRoot + "/case" + std::to_string(i);
        arrCases[i].fnMake(path);
        const asHISTORYREAD read = ReadHistory(path);
        EXPECT_EQ(read.nStatus, arrCases[i].nStatus) << arrCases[i].pName << ": " << read.strError;
        EXPECT_FALSE(read.strError.empty()) << arrCases[i].pName;
        EXPECT_TRUE(read.history.arrRuns.empty() && read.history.arrAnswers.empty())
            << arrCases[i].pName;
    }
}

TEST_F(HistoryReader, AClosedWalRecordIsReadWithoutLeavingFilesBesideIt) {
    {
        CHistoryBuilder builder(m_strPath);
        builder.Exec("PRAGMA journal_mode = WAL");
        builder.AddAnswer(builder.AddRun("Tom", 1), 10, "1+1=□", "2", "2");
    }
    ASSERT_FALSE(std::filesystem::exists(m_strPath + "-wal"));
    EXPECT_EQ(ReadHistory(m_strPath).history.arrAnswers.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(m_strPath + "-wal"));
    EXPECT_FALSE(std::filesystem::exists(m_strPath + "-shm"));
}

TEST_F(HistoryReader, AWriterInTheMiddleOfAPageIsNotWaitedForAndItsPageNotSeen) {
    CHistoryBuilder writer(m_strPath);
    writer.Exec("PRAGMA journal_mode = WAL");
    const int64_t run = writer.AddRun("Tom", 1);
    writer.AddAnswer(run, 10, "1+1=□", "2", "2");
    writer.Exec("BEGIN IMMEDIATE");
    for (int i = 0; i < 12; ++i)
        writer.AddAnswer(run, 20 + i, "2+2=□", "4", "4");

    // No busy wait at all: a reader that had to wait for the writer would fail here.
    const asHISTORYREAD during = ReadHistory(m_strPath, 0);
    ASSERT_EQ(during.nStatus, HistoryStatus::OK) << during.strError;
    EXPECT_EQ(during.history.arrAnswers.size(), 1u);

    writer.Exec("COMMIT");
    EXPECT_EQ(ReadHistory(m_strPath).history.arrAnswers.size(), 13u);
}

TEST_F(HistoryReader, PathsWithTheSignsOfAUriAreReadAsFiles) {
    const std::string path = m_strRoot + "/a?b#c%20d.sqlite";
    { CHistoryBuilder builder(path); }
    EXPECT_EQ(ReadHistory(path).nStatus, HistoryStatus::OK);
}

} // namespace
