// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The answer record's file as it may be found: not a database, another program's, damaged, empty,
// from a newer version, read-only, in a read-only folder, shared by a family's accounts, or with a
// planted link beside it. None of it stops the handing of answers.
#include "storage/FileIo.h"
#include "storage/Paths.h"
#include "tests/storage/HistoryBuilder.h"
#include "tests/storage/HistoryFixture.h"
#include "tests/users/UserDataFixture.h"

#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using HistoryFile = CHistoryTest;

std::vector<uint8_t> Bytes(const std::string& path) {
    return ReadFileBytes(path).value_or(std::vector<uint8_t>{});
}

void Write(const std::string& path, const std::vector<uint8_t>& bytes) {
    ASSERT_TRUE(WriteFileAtomically(path, bytes));
}

void Execute(const std::string& path, const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

// A record of ours with a few hundred answers, its last page overwritten.
void MakeDamagedRecord(const std::string& path) {
    {
        CHistoryWriter writer;
        writer.Start(path, {});
        writer.Hand(asHISTORYRUN{1, "Tom", 0, 35, 3, 1});
        for (int i = 0; i < 300; ++i)
            writer.Hand(asHISTORYANSWER{1, 1 + i / 12, i % 12, i, "1+1=\u25A1", "2", "2", true,
                                        true, false, 900});
    }
    std::vector<uint8_t> bytes = Bytes(path);
    ASSERT_GT(bytes.size(), 8192u);
    std::fill(bytes.end() - 4096, bytes.end(), 0x55);
    Write(path, bytes);
}

struct asFOUNDFILE {
    const char* szWhat;
    std::function<void(const std::string&)> fnMake;
    const char* szTold; // empty: nothing to tell
    bool bKeptAside;    // as path.bad, and a new record started
    bool bRecorded;     // the answer handed afterwards is in the file at path
};

TEST_F(HistoryFile, EachFoundFileIsUsedKeptAsideOrLeftAsItIs) {
    const asFOUNDFILE cases[] = {
        {"not a database",
         [](const std::string& p) {
             Write(p, {'S', 'u', 'm', 'o', 'r', 'a'});
         },
         "is damaged (it is not a database); it is kept as", true, true},
        {"another program's database",
         [](const std::string& p) { Execute(p, "CREATE TABLE t(x); INSERT INTO t VALUES (1)"); },
         "is not an answer record of this game; it is kept as", true, true},
        {"a damaged page", MakeDamagedRecord, "is damaged (", true, true},
        {"an empty file", [](const std::string& p) { Write(p, {}); }, "", false, true},
        {"a newer version",
         [](const std::string& p) {
             Execute(p, "PRAGMA application_id = 1517109868; PRAGMA user_version = 3; "
                        "CREATE TABLE later(x)");
         },
         "was written by a newer version of the game; it is left as it is", false, false},
    };
    for (const asFOUNDFILE& found : cases) {
        SCOPED_TRACE(found.szWhat);
        std::filesystem::remove_all(m_strFolder);
        std::filesystem::create_directory(m_strFolder);
        m_arrTold.clear();
        found.fnMake(m_strPath);
        const std::vector<uint8_t> before = Bytes(m_strPath);
        StartWriter();
        HandRun(1, "Tom");
        HandAnswer(1, 0);
        EXPECT_TRUE(m_Writer.CommitAndWait(20'000));
        m_Writer.Stop();
        if (*found.szTold)
            EXPECT_NE(WaitTold(found.szTold), "");
        else
            EXPECT_EQ(ToldCount(), 0u);
        if (found.bRecorded) {
            EXPECT_EQ(One("SELECT count(*) FROM answers"), "1");
        }
        if (found.bKeptAside) {
            EXPECT_EQ(Bytes(m_strPath + ".bad"), before);
            EXPECT_EQ(One("PRAGMA application_id"), std::to_string(HISTORY_APPLICATION_ID));
        } else if (!found.bRecorded) {
            EXPECT_EQ(Bytes(m_strPath), before);
            EXPECT_EQ(FolderNames(), std::vector<std::string>{HISTORY_FILE_NAME});
        }
    }
}

// A first-version record keeps its version when opened and when a batch is refused; the first
// batch written brings it up to date, its old answers' flag 0, in that batch's transaction.
TEST_F(HistoryFile, AnEarlierVersionIsUpgradedWithItsFirstBatchWhole) {
    {
        CHistoryBuilder old(m_strPath, 1);
        old.AddAnswer(old.AddRun("Tom", 1000), 2000, "1+1=□", "2", "2");
        old.Exec("CREATE TRIGGER refuse BEFORE INSERT ON answers WHEN NEW.typed = 'x' "
                 "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    }
    asHISTORYFILE file;
    ASSERT_EQ(OpenHistory(file, m_strPath, false, {}), HistoryOpen::OPEN);
    RunRows runs;
    std::string error, old = "1|1|1|0|2000|1+1=□|2|2|1|1|0|3000";
    for (const auto& [typed, want] : std::vector<std::pair<std::string, std::string>>{
             {"", "1/" + old},
             {"x", "1/" + old},
             {"4", "2/" + old + "|0/2|2|1|0|6|2+2=□|4|4|1|1|0|9|1"}}) {
        if (!typed.empty())
            WriteHistoryBatch(
                file.pDb,
                {asHISTORYRUN{1, "Amy", 0, 35, 10, 5},
                 asHISTORYANSWER{1, 1, 0, 6, "2+2=□", "4", typed, true, true, false, 9, true}},
                runs, error);
        std::string now = One("PRAGMA user_version");
        for (const std::string& row : Rows("SELECT * FROM answers"))
            now += "/" + row;
        EXPECT_EQ(now, want) << typed;
    }
    CloseHistory(file);
    EXPECT_EQ(OpenHistory(file, m_strPath, false, {}), HistoryOpen::OPEN) << "whole at version 2";
    CloseHistory(file);
}

// Permission bits hold only without root: these run in a child that gave it up.
TEST_F(HistoryFile, AReadOnlyRecordOrFolderIsLeftAsItIsAndTriedAgainLater) {
    {
        CHistoryWriter writer;
        writer.Start(m_strPath, {});
        writer.Hand(asHISTORYRUN{1, "Tom", 0, 35, 3, 1});
    }
    const std::vector<uint8_t> before = Bytes(m_strPath);
    chmod(m_strFolder.c_str(), 0755);
    chmod(m_strPath.c_str(), 0444);
    // A folder the child's account owns but may not write in yet, as a parent may fix.
    const std::string locked = m_strFolder + "/sub";
    mkdir(locked.c_str(), 0555);
    ASSERT_EQ(chown(locked.c_str(), 65534, 65534), geteuid() == 0 ? 0 : -1);
    const int failed = RunWithoutRoot([&] {
        int bad = 0;
        for (const std::string& folder : {m_strFolder, locked}) {
            std::vector<std::string> told;
            std::mutex mutex;
            CHistoryWriter writer;
            writer.Start(folder + "/" + HISTORY_FILE_NAME,
                         {{},
                          [&](const std::string& line) {
                              std::lock_guard lock(mutex);
                              told.push_back(line);
                          }},
                         HISTORY_BATCH_MS, 50);
            writer.Hand(asHISTORYRUN{2, "Amy", 0, 35, 3, 2});
            bad = bad * 8 + writer.CommitAndWait(20'000);
            {
                std::lock_guard lock(mutex);
                bad +=
                    2 * (told.empty() || told[0].find("tried again in a minute") == told[0].npos);
            }
            if (folder == locked) {
                chmod(locked.c_str(), 0755);
                bad += 4 * !writer.CommitAndWait(20'000);
            }
        }
        return bad;
    });
    // Octal digits, a folder each: 1 written at once, 2 not told why, 4 not tried again.
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(Bytes(m_strPath), before);
    if (geteuid() == 0) {
        EXPECT_EQ(HistoryRows(locked + "/" + HISTORY_FILE_NAME, "SELECT child FROM runs"),
                  std::vector<std::string>{"Amy"});
    }
}

TEST_F(HistoryFile, InAFamilysSharedFolderTheRecordAndItsSideFilesAreTheGroups) {
    if (geteuid() != 0) GTEST_SKIP() << "giving files another group takes root";
    constexpr gid_t FAMILY = 4242;
    ASSERT_EQ(chown(m_strFolder.c_str(), uid_t(-1), FAMILY), 0);
    chmod(m_strFolder.c_str(), 0770);
    const mode_t umaskBefore = umask(077);
    StartWriter(3'600'000);
    HandRun(1, "Tom");
    EXPECT_TRUE(m_Writer.CommitAndWait(20'000));
    umask(umaskBefore);
    for (const char* suffix : {"", "-wal", "-shm"}) {
        struct stat info {};
        ASSERT_EQ(stat((m_strPath + suffix).c_str(), &info), 0) << suffix;
        EXPECT_EQ(info.st_mode & 0777, 0660u) << suffix;
        EXPECT_EQ(info.st_gid, FAMILY) << suffix;
    }
}

TEST_F(HistoryFile, PlantedLinksAreNeverWrittenThrough) {
    const std::string victim = m_strFolder + "/victim";
    Write(victim, {'m', 'i', 'n', 'e'});
    ASSERT_EQ(symlink(victim.c_str(), (m_strPath + "-wal").c_str()), 0);
    StartWriter();
    HandRun(1, "Tom");
    EXPECT_TRUE(m_Writer.CommitAndWait(20'000));
    m_Writer.Stop();
    EXPECT_EQ(Bytes(victim), (std::vector<uint8_t>{'m', 'i', 'n', 'e'}));
    EXPECT_EQ(One("SELECT count(*) FROM runs"), "1");
}

} // namespace
