// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The answer record's writer: batches written when due, at a page's end and at the stop; what the
// columns hold; a deleted child's runs and answers; a locked record, and what it has not taken by
// the close; a record deleted while the game runs; a folder no longer ours.
#include "storage/FileIo.h"
#include "storage/HistoryReader.h"
#include "tests/storage/HistoryFixture.h"

#include <fstream>
#include <iterator>

namespace {

constexpr unsigned NEVER_DUE_MS = 3'600'000;
const std::string COUNT_ANSWERS = "SELECT count(*) FROM answers";

using HistoryWriter = CHistoryTest;

TEST_F(HistoryWriter, ABatchWaitsForItsTimeOrAPageEndAndReachesTheFileWhole) {
    StartWriter(NEVER_DUE_MS);
    HandRun(1, "Tom");
    HandAnswer(1, 0, false);
    HandAnswer(1, 0);
    EXPECT_EQ(FolderNames().size(), 0u) << "no file before the first batch is written";
    m_Writer.CommitSoon(); // a page ended
    EXPECT_EQ(WaitFor(COUNT_ANSWERS, "2"), "2");
    HandAnswer(1, 1);
    HandAnswer(1, 2);
    EXPECT_EQ(One(COUNT_ANSWERS), "2") << "handed answers wait for their batch";
    EXPECT_EQ(One("PRAGMA journal_mode"), "wal")
        << "readers and the writer never wait for each other";
    ASSERT_TRUE(m_Writer.CommitAndWait(20'000));
    EXPECT_EQ(One(COUNT_ANSWERS), "4");
}

TEST_F(HistoryWriter, ABatchIsWrittenWithinItsDelayWithoutBeingAsked) {
    StartWriter(50);
    HandRun(1, "Tom");
    HandAnswer(1, 0);
    EXPECT_EQ(WaitFor(COUNT_ANSWERS, "1"), "1");
}

TEST_F(HistoryWriter, TheColumnsHoldWhatWasHandedAndTheRunsEndItsResult) {
    StartWriter(NEVER_DUE_MS);
    const std::string gbk = "\xd0\xa1\xc3\xf7";
    m_Writer.Hand(asHISTORYRUN{7, gbk, 5, 33, 20, 1'700'000'000'123});
    m_Writer.Hand(asHISTORYANSWER{7, 2, 3, 1'700'000'004'000, "\u25A1+3=8", "5", "6", false, true,
                                  false, 2500});
    m_Writer.Hand(asHISTORYANSWER{7, 2, 3, 1'700'000'005'000, "\u25A1+3=8", "5", "5", true, false,
                                  true, 3500});
    m_Writer.Hand(asHISTORYRUNEND{7, 1'700'000'009'000, 50, 2, 1});
    m_Writer.Stop();
    EXPECT_EQ(One("SELECT hex(child), set_number, set_kinds, set_limit, started_utc_ms, "
                  "ended_utc_ms, score, answers_done, answers_first_try FROM runs"),
              "D0A1C3F7|5|33|20|1700000000123|1700000009000|50|2|1");
    EXPECT_EQ(Rows("SELECT page, position, utc_ms, problem, expected, typed, is_right, "
                   "is_first_try, by_magnifier, elapsed_ms FROM answers ORDER BY answer_id"),
              (std::vector<std::string>{"2|3|1700000004000|□+3=8|5|6|0|1|0|2500",
                                        "2|3|1700000005000|□+3=8|5|5|1|0|1|3500"}));
}

TEST_F(HistoryWriter, TheStopWritesEverythingAndLeavesOneFile) {
    StartWriter(NEVER_DUE_MS);
    HandRun(1, "Tom");
    for (int position = 0; position < 12; ++position)
        HandAnswer(1, position);
    m_Writer.Stop();
    EXPECT_EQ(FolderNames(), std::vector<std::string>{HISTORY_FILE_NAME});
    EXPECT_EQ(ReadHistory(m_strPath).history.arrAnswers.size(), 12u);
    EXPECT_EQ(FolderNames(), std::vector<std::string>{HISTORY_FILE_NAME})
        << "the report makes nothing beside it";
    m_Writer.Hand(asHISTORYFORGET{"Tom"});
    EXPECT_EQ(One(COUNT_ANSWERS), "12") << "nothing is taken after the stop";
}

TEST_F(HistoryWriter, ADeletedChildTakesTheirRunsAndAnswersAndTheNameStartsAfresh) {
    StartWriter(NEVER_DUE_MS);
    HandRun(1, "Tom");
    HandAnswer(1, 0);
    HandRun(2, "Amy");
    HandAnswer(2, 0);
    HandAnswer(2, 1);
    HandRun(3, "Tom");
    HandAnswer(3, 0);
    ASSERT_TRUE(m_Writer.CommitAndWait(20'000));
    m_Writer.Hand(asHISTORYFORGET{"Tom"});
    ASSERT_TRUE(m_Writer.CommitAndWait(20'000));
    EXPECT_EQ(Rows("SELECT child, count(answer_id) FROM runs JOIN answers USING (run_id) "
                   "GROUP BY run_id"),
              std::vector<std::string>{"Amy|2"});
    // A new Tom; answers still handed for the deleted one's run are not kept.
    HandRun(4, "Tom");
    HandAnswer(4, 0);
    HandAnswer(1, 1);
    m_Writer.Stop();
    EXPECT_EQ(Rows("SELECT child, count(answer_id) FROM runs JOIN answers USING (run_id) "
                   "GROUP BY run_id ORDER BY run_id"),
              (std::vector<std::string>{"Amy|2", "Tom|1"}));
}

TEST_F(HistoryWriter, ALockedRecordKeepsItsAnswersWaitingUntilItIsFree) {
    StartWriter(100);
    HandRun(1, "Tom");
    HandAnswer(1, 0);
    ASSERT_TRUE(m_Writer.CommitAndWait(20'000));
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(m_strPath.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    HandAnswer(1, 1);
    m_Writer.CommitSoon();
    EXPECT_NE(WaitTold("answers wait and are tried again").find("locked"), std::string::npos);
    EXPECT_FALSE(m_Writer.CommitAndWait(0));
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_TRUE(m_Writer.CommitAndWait(20'000));
    EXPECT_EQ(One(COUNT_ANSWERS), "2");
}

// Another program's write transaction on the record, until Release.
class CHeldRecord {
public:
    explicit CHeldRecord(const std::string& path) {
        EXPECT_EQ(sqlite3_open(path.c_str(), &m_pDb), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(m_pDb, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    }
    ~CHeldRecord() { Release(); }
    void Release() {
        if (m_pDb) sqlite3_exec(m_pDb, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(m_pDb);
        m_pDb = nullptr;
    }

private:
    sqlite3* m_pDb = nullptr;
};

const std::string RUNS_WITH_ANSWERS =
    "SELECT child, ifnull(score, '-'), count(answer_id) FROM runs LEFT JOIN answers "
    "USING (run_id) GROUP BY run_id ORDER BY run_id";

TEST_F(HistoryWriter, WhatAHeldRecordCannotTakeByTheCloseIsWrittenAtTheNextStart) {
    StartWriter(NEVER_DUE_MS);
    HandRun(1, "Tom");
    HandAnswer(1, 0);
    HandRun(2, "Ann");
    HandAnswer(2, 0);
    ASSERT_TRUE(m_Writer.CommitAndWait(20'000));
    CHeldRecord held(m_strPath);
    HandAnswer(1, 1); // its run's start is in the record already
    m_Writer.Hand(asHISTORYRUNEND{1, 3'000'000, 100, 2, 2});
    m_Writer.Hand(asHISTORYFORGET{"Ann", 3'000'001});
    EXPECT_TRUE(m_Writer.CommitAndWait(20'000))
        << "kept in the waiting file at once: the users screen does not wait for the lock";
    HandRun(3, "Ann"); // a new Ann: her answers follow the old one's deletion
    HandAnswer(3, 0);
    m_Writer.Stop();
    EXPECT_NE(WaitTold("records wait in"), "");
    EXPECT_EQ(Rows(RUNS_WITH_ANSWERS), (std::vector<std::string>{"Tom|-|1", "Ann|-|1"}));
    const asHISTORYREAD report = ReadHistory(m_strPath);
    ASSERT_EQ(report.history.arrRuns.size(), 1u) << "the report leaves the deleted Ann out";
    EXPECT_EQ(report.history.arrAnswers.size(), 1u);
    held.Release();
    // Twice, as after a game that ended between writing them and removing the waiting file.
    const std::vector<uint8_t> waiting =
        ReadFileBytes(m_strPath + ".waiting").value_or(std::vector<uint8_t>());
    for (int start = 0; start < 2; ++start) {
        ASSERT_TRUE(WriteFileAtomically(m_strPath + ".waiting", waiting));
        StartWriter(NEVER_DUE_MS);
        EXPECT_EQ(WaitFor("SELECT count(*) FROM runs", "2"), "2");
        m_Writer.Stop();
        EXPECT_EQ(Rows(RUNS_WITH_ANSWERS), (std::vector<std::string>{"Tom|100|2", "Ann|-|1"}));
        EXPECT_FALSE(std::filesystem::exists(m_strPath + ".waiting"));
    }
}

TEST_F(HistoryWriter, ARecordDeletedOrMovedAwayWhileTheGameRunsIsStartedAgain) {
    for (const bool moved : {false, true}) {
        SCOPED_TRACE(moved ? "moved away" : "deleted");
        std::filesystem::remove_all(m_strFolder);
        std::filesystem::create_directory(m_strFolder);
        StartWriter(NEVER_DUE_MS);
        HandRun(1, "Tom");
        HandAnswer(1, 0);
        ASSERT_TRUE(m_Writer.CommitAndWait(20'000));
        if (moved)
            std::filesystem::rename(m_strPath, m_strFolder + "/kept.sqlite");
        else
            std::filesystem::remove(m_strPath);
        HandAnswer(1, 1);
        HandAnswer(1, 2);
        m_Writer.Stop();
        EXPECT_NE(WaitTold("was deleted or moved away"), "");
        EXPECT_EQ(Rows(RUNS_WITH_ANSWERS), std::vector<std::string>{"Tom|-|2"})
            << "the old file's log is not taken for the new one's";
    }
}

TEST_F(HistoryWriter, NothingIsWrittenOnceTheLockIsNotTheFoldersAnyMore) {
    StartWriter(NEVER_DUE_MS, [] { return false; });
    HandRun(1, "Tom");
    HandAnswer(1, 0);
    EXPECT_TRUE(m_Writer.CommitAndWait(20'000)) << "given up, not waiting";
    EXPECT_NE(WaitTold("moved or replaced"), "");
    EXPECT_EQ(FolderNames().size(), 0u);
}

} // namespace
