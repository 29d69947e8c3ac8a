// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Keeping the data file safe across a session: what cannot be read or copied aside is never
// written over, rescue copies keep their mode and are never replaced or repeated, links stay links,
// killed saves leave nothing behind, saves as results are made write only real changes, and what
// another program put there is kept first.
#include "tests/users/DataFileBuilder.h"
#include "tests/users/UserDataFixture.h"
#include "users/DataFile.h"

#include <sys/stat.h>

using DataFileKeeping = CUserDataTest;

namespace {

std::vector<uint8_t> OneUserFile() {
    CDataFileBuilder file;
    file.Start().I32(1).U8(3).Text("Tom").History(80, 0);
    return file.I32(0).Bytes();
}

struct stat StatOf(const std::string& path) {
    struct stat info {};
    lstat(path.c_str(), &info);
    return info;
}

} // namespace

TEST_F(DataFileKeeping, WhatCannotBeReadIsNeverWrittenOverAndSaysWhy) {
    const std::string fifo = m_strDirectory + "/fifo.cfg";
    const std::string folder = m_strDirectory + "/folder.cfg";
    const std::string huge = m_strDirectory + "/huge.cfg";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    std::filesystem::create_directory(folder);
    // A valid start followed by more bytes than any data file holds: still not read whole.
    std::vector<uint8_t> large = OneUserFile();
    large.resize(MAX_DATA_FILE_BYTES + 1, 0x5A);
    WriteFile(huge, large);

    for (const std::string& path : {fifo, folder, huge}) {
        UseDataFilePlace({path, path});
        EXPECT_TRUE(DataFileProblem().empty()) << path;
        // Opening the FIFO must not wait for a writer (the test would hang here).
        EXPECT_FALSE(LoadUserData()) << path;
        EXPECT_TRUE(g_arrUsers.empty()) << path;
        EXPECT_NE(DataFileProblem().find("cannot be read"), std::string::npos) << path;
        EXPECT_FALSE(MayWriteUserData()) << path;
        BeginKeepingUserData();
        AppendUser(User("Amy", {90}));
        EXPECT_FALSE(SaveUserDataIfChanged()) << path;
        EXPECT_FALSE(SaveUserData()) << path;
        g_arrUsers.clear();
    }
    EXPECT_TRUE(S_ISFIFO(StatOf(fifo).st_mode));
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    EXPECT_EQ(FileBytes(huge), large);
    EXPECT_EQ(StrayFiles().size(), 3u) << "no copies, no temporary files";
}

TEST_F(DataFileKeeping, AFileWithoutReadPermissionKeepsItsBytesAndMode) {
    const std::vector<uint8_t> bytes = OneUserFile();
    WriteFile(m_strPath, bytes);
    ASSERT_EQ(chmod(m_strPath.c_str(), 0), 0);
    ASSERT_EQ(chmod(m_strDirectory.c_str(), 0777), 0);
    const std::string path = m_strPath;
    const int failed = RunWithoutRoot([&] {
        UseDataFilePlace({path, path});
        if (LoadUserData()) return 1;
        if (MayWriteUserData() || DataFileProblem().empty()) return 2;
        AppendUser(User("Amy", {90}));
        if (SaveUserData() || SaveUserDataIfChanged()) return 3;
        return 0;
    });
    ASSERT_EQ(chmod(m_strDirectory.c_str(), 0700), 0);
    EXPECT_EQ(failed, 0) << "check " << failed << (failed == 100 ? " (could not drop root)" : "");
    EXPECT_EQ(StatOf(m_strPath).st_mode & 07777, 0u);
    ASSERT_EQ(chmod(m_strPath.c_str(), 0600), 0);
    EXPECT_EQ(FileBytes(m_strPath), bytes);
    EXPECT_TRUE(StrayFiles().empty());
}

TEST_F(DataFileKeeping, RescueCopiesKeepTheModeAndNeverReplaceEachOther) {
    std::vector<uint8_t> first = OneUserFile();
    first[0] = 's'; // one wrong header byte
    std::vector<uint8_t> second = OneUserFile();
    second.resize(second.size() - 1); // cut short
    WriteFile(m_strPath, first);
    ASSERT_EQ(chmod(m_strPath.c_str(), 0640), 0);
    EXPECT_FALSE(LoadUserData());
    SetDefaultExerciseSets();
    ASSERT_TRUE(SaveUserData());
    WriteFile(m_strPath, second);
    EXPECT_FALSE(LoadUserData());
    ASSERT_TRUE(SaveUserData());

    EXPECT_EQ(FileBytes(m_strPath + ".bad"), first);
    EXPECT_EQ(FileBytes(m_strPath + ".bad.1"), second);
    EXPECT_EQ(StatOf(m_strPath + ".bad").st_mode & 07777, 0640u);
    EXPECT_EQ(StatOf(m_strPath + ".bad.1").st_mode & 07777, 0640u);
    EXPECT_TRUE(IsDataFileValid(m_strPath));
    EXPECT_TRUE(DataFileProblem().empty());
}

TEST_F(DataFileKeeping, ADamagedFileWhoseCopyFailsAtAnyStepIsNeverWrittenOver) {
    std::vector<uint8_t> damaged = OneUserFile();
    damaged.resize(damaged.size() - 1);
    WriteFile(m_strPath, damaged);
    for (int step = 1; step <= 4; ++step) { // create, write, flush, close
        UseDataFilePlace({m_strPath, m_strPath}, FileOpsFailingAtStep(step));
        EXPECT_FALSE(LoadUserData()) << "step " << step;
        EXPECT_FALSE(MayWriteUserData()) << "step " << step;
        EXPECT_NE(DataFileProblem().find("no copy"), std::string::npos) << "step " << step;
        SetDefaultExerciseSets();
        EXPECT_FALSE(SaveUserData()) << "step " << step;
        EXPECT_EQ(FileBytes(m_strPath), damaged) << "step " << step;
        EXPECT_TRUE(StrayFiles().empty()) << "step " << step;
        EXPECT_FALSE(std::filesystem::exists(m_strPath + ".bad")) << "step " << step;
    }
}

TEST_F(DataFileKeeping, ALinkedDataFileStaysALinkAndItsTargetIsReplaced) {
    const std::string target = m_strDirectory + "/elsewhere/Sumora.cfg";
    std::filesystem::create_directory(m_strDirectory + "/elsewhere");
    WriteFile(target, OneUserFile());
    std::filesystem::create_symlink("elsewhere/Sumora.cfg", m_strPath);
    UseDataFilePlace({m_strPath, m_strPath});
    ASSERT_TRUE(LoadUserData());
    ASSERT_EQ(g_arrUsers.size(), 1u);
    AppendScore(g_arrUsers[0], 55);
    ASSERT_TRUE(SaveUserData());

    EXPECT_TRUE(std::filesystem::is_symlink(m_strPath));
    asDATAFILE saved;
    ASSERT_EQ(DecodeDataFile(FileBytes(target), saved), DataFileStatus::VALID);
    EXPECT_EQ(saved.arrUsers.at(0).nLastScore, 1);
    EXPECT_EQ(saved.arrUsers.at(0).byScores[1], 55);

    // A link whose target is not there yet gets its file where it points.
    const std::string dangling = m_strDirectory + "/dangling.cfg";
    std::filesystem::create_symlink("elsewhere/new.cfg", dangling);
    UseDataFilePlace({dangling, dangling});
    EXPECT_FALSE(LoadUserData());
    ASSERT_TRUE(SaveUserData());
    EXPECT_TRUE(std::filesystem::is_symlink(dangling));
    EXPECT_TRUE(IsDataFileValid(m_strDirectory + "/elsewhere/new.cfg"));
}

TEST_F(DataFileKeeping, TemporaryFilesOfKilledSavesGoAtTheNextStartAndNothingElseDoes) {
    WriteFile(m_strPath, OneUserFile());
    // What saves killed in earlier sessions (any pid, also this one's) leave behind.
    const std::vector<std::string> stale = {"Sumora.cfg.tmp-2-0", "Sumora.cfg.tmp-0123456789abcdef",
                                            "Sumora.cfg.tmp-" + std::to_string(getpid()) + "-0"};
    for (const std::string& name : stale)
        WriteFile(m_strDirectory + "/" + name, {1, 2});
    WriteFile(m_strDirectory + "/Sumora.cfg.bad", {3});
    WriteFile(m_strDirectory + "/notes.tmp-1", {4});

    ASSERT_TRUE(LoadUserData());
    BeginKeepingUserData();
    std::vector<std::string> left = StrayFiles();
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"notes.tmp-1"}));
    EXPECT_TRUE(std::filesystem::exists(m_strPath + ".bad"));
    AppendScore(g_arrUsers[0], 70);
    EXPECT_TRUE(SaveUserData());
    EXPECT_EQ(StrayFiles(), left);
}

TEST_F(DataFileKeeping, SavesAsResultsAreMadeWriteOnlyRealChanges) {
    WriteFile(m_strPath, OneUserFile());
    ASSERT_TRUE(LoadUserData());
    BeginKeepingUserData();
    const ino_t loaded = StatOf(m_strPath).st_ino;
    EXPECT_TRUE(SaveUserDataIfChanged());
    EXPECT_EQ(StatOf(m_strPath).st_ino, loaded) << "nothing changed, nothing written";

    AppendScore(g_arrUsers[0], 95);
    EXPECT_TRUE(SaveUserDataIfChanged());
    const ino_t written = StatOf(m_strPath).st_ino;
    EXPECT_NE(written, loaded);
    asDATAFILE saved;
    ASSERT_EQ(DecodeDataFile(FileBytes(m_strPath), saved), DataFileStatus::VALID);
    EXPECT_EQ(saved.arrUsers.at(0).byScores[1], 95);
    EXPECT_TRUE(SaveUserDataIfChanged());
    EXPECT_EQ(StatOf(m_strPath).st_ino, written);
    EXPECT_TRUE(SaveUserDataAtExit());
    EXPECT_EQ(StatOf(m_strPath).st_ino, written) << "the close finds its bytes on disk already";
    WriteFile(m_strPath, OneUserFile()); // another program's
    EXPECT_TRUE(SaveUserDataAtExit());
    EXPECT_EQ(FileBytes(m_strPath + ".bad"), OneUserFile());
    ASSERT_EQ(DecodeDataFile(FileBytes(m_strPath), saved), DataFileStatus::VALID);
    EXPECT_EQ(saved.arrUsers.at(0).byScores[1], 95);
}

TEST_F(DataFileKeeping, AFailedSaveIsReportedUntilOneSucceedsAndAStoppedSessionWritesNothing) {
    UseDataFilePlace({m_strPath, m_strPath}, FileOpsFailingAtStep(1));
    SetDefaultExerciseSets();
    BeginKeepingUserData();
    AppendUser(User("Tom", {80}));
    EXPECT_FALSE(SaveUserDataIfChanged());
    EXPECT_FALSE(DataFileProblem().empty());
    EXPECT_TRUE(MayWriteUserData());
    EXPECT_TRUE(SaveUserDataIfChanged()) << "the next change check tries again";
    EXPECT_TRUE(DataFileProblem().empty());

    const std::vector<uint8_t> before = FileBytes(m_strPath);
    StopKeepingUserData("another copy is the writer");
    AppendScore(g_arrUsers[0], 10);
    EXPECT_FALSE(SaveUserData());
    EXPECT_EQ(DataFileProblem(), "another copy is the writer");
    EXPECT_EQ(FileBytes(m_strPath), before);
}

TEST_F(DataFileKeeping, RescueCopiesAreNeverRepeatedAndTheirCountNeverStopsTheSaves) {
    std::vector<uint8_t> damaged = OneUserFile();
    damaged.resize(damaged.size() - 1);
    WriteFile(m_strPath, damaged);
    for (int start = 0; start < 15; ++start) { // starts that end before any save
        UseDataFilePlace({m_strPath, m_strPath});
        EXPECT_FALSE(LoadUserData());
        EXPECT_TRUE(MayWriteUserData()) << "start " << start;
    }
    EXPECT_EQ(FileBytes(m_strPath + ".bad"), damaged);
    EXPECT_TRUE(StrayFiles().empty()) << "one copy of the same bytes";

    for (int n = 1; n < 1000; ++n)
        WriteFile(m_strPath + ".bad." + std::to_string(n), {uint8_t(n), uint8_t(n >> 8)});
    damaged[0] = 's';
    WriteFile(m_strPath, damaged);
    UseDataFilePlace({m_strPath, m_strPath});
    EXPECT_FALSE(LoadUserData());
    EXPECT_EQ(FileBytes(m_strPath + ".bad.1000"), damaged);
    SetDefaultExerciseSets();
    EXPECT_TRUE(SaveUserData());
    EXPECT_TRUE(IsDataFileValid(m_strPath));
}

// A file replaced by a rename is tried end to end; here it is written into in place, and then
// once more when no copy can be made.
TEST_F(DataFileKeeping, AFileAnotherProgramChangedIsKeptBeforeTheSaveOrNotWrittenOver) {
    std::vector<std::string> told;
    WriteFile(m_strPath, OneUserFile());
    WatchSaves({nullptr, [&](const std::string& line) { told.push_back(line); }});
    ASSERT_TRUE(LoadUserData());
    AppendScore(g_arrUsers[0], 60);
    ASSERT_TRUE(SaveUserData());
    ASSERT_TRUE(SaveUserData());
    EXPECT_TRUE(told.empty()) << "its own saves are no one else's";
    WriteFile(m_strPath, {1, 2, 3});
    ASSERT_TRUE(SaveUserData());
    EXPECT_EQ(FileBytes(m_strPath + ".bad"), (std::vector<uint8_t>{1, 2, 3}));
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("kept as " + m_strPath + ".bad"), std::string::npos) << told[0];

    UseDataFilePlace({m_strPath, m_strPath}, FileOpsFailingAtStep(1));
    ASSERT_TRUE(LoadUserData());
    WriteFile(m_strPath, {4, 5});
    EXPECT_FALSE(SaveUserData());
    EXPECT_FALSE(MayWriteUserData());
    EXPECT_EQ(FileBytes(m_strPath), (std::vector<uint8_t>{4, 5}));
}
