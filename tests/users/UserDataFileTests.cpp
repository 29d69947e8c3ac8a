// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Loading and saving the data file: first run, round trips, stale tails, foreign and damaged
// files, older versions, failed saves, and where the file lives.
#include "storage/Paths.h"
#include "tests/users/DataFileBuilder.h"
#include "tests/users/UserDataFixture.h"
#include "users/DataFile.h"

#include <algorithm>
#include <filesystem>

using UserDataFile = CUserDataTest;

namespace {

std::vector<uint8_t> TwoUserFile() {
    CDataFileBuilder file;
    file.Start().I32(2).U8(3).Text("Tom").History(80, 0).U8(3).Text("Amy").History(60, 0);
    return file.I32(1).Bytes();
}

} // namespace

TEST_F(UserDataFile, FirstRunFindsNoFileAndWritesThe134ByteFile) {
    EXPECT_FALSE(LoadUserData());
    EXPECT_TRUE(g_arrUsers.empty());
    EXPECT_EQ(g_nCurrentUser, 0);
    EXPECT_EQ(g_ExerciseSets[0].nRange, 0);
    SetDefaultExerciseSets();
    ASSERT_TRUE(SaveUserData());

    const std::vector<uint8_t> bytes = FileBytes(m_strPath);
    ASSERT_EQ(bytes.size(), 134u);
    EXPECT_TRUE(IsDataFileValid(m_strPath));
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 126, bytes.end()),
              (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(StrayFiles().empty());
}

TEST_F(UserDataFile, SavedStateLoadsBackExactly) {
    SetDefaultExerciseSets();
    g_ExerciseSets[4] = {57, 9, 63};
    AppendUser(User("Tom", {80, 90}));
    AppendUser(User("\xD0\xA1\xC3\xF7", {100}));
    g_nCurrentUser = 1;
    ASSERT_TRUE(SaveUserData());
    const std::vector<asUSERINFO> savedUsers = g_arrUsers;

    g_arrUsers.clear();
    g_nCurrentUser = 0;
    std::fill(std::begin(g_ExerciseSets), std::end(g_ExerciseSets), ExerciseSet{});
    ASSERT_TRUE(LoadUserData());
    ASSERT_EQ(g_arrUsers.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(g_arrUsers[i].strName, savedUsers[i].strName);
        EXPECT_EQ(g_arrUsers[i].byScores, savedUsers[i].byScores);
        EXPECT_EQ(g_arrUsers[i].nLastScore, savedUsers[i].nLastScore);
    }
    EXPECT_EQ(g_nCurrentUser, 1);
    EXPECT_EQ(g_ExerciseSets[4].nRange, 57);
    EXPECT_EQ(g_ExerciseSets[4].nReserved, 9);
    EXPECT_EQ(g_ExerciseSets[0].nRange, 3);
}

TEST_F(UserDataFile, AfterDeletingAUserTheFileKeepsItsSizeAndLoadsTheRemainingUsers) {
    SetDefaultExerciseSets();
    AppendUser(User("Tom", {50}));
    AppendUser(User("Amy", {60}));
    AppendUser(User("Bob", {70}));
    ASSERT_TRUE(SaveUserData());
    const std::vector<uint8_t> before = FileBytes(m_strPath);
    ASSERT_EQ(before.size(), 134u + 3 * 678u);

    // The next session deletes one.
    UseDataFilePlace({m_strPath, m_strPath});
    g_arrUsers.clear();
    ASSERT_TRUE(LoadUserData());
    RemoveUser(1);
    ASSERT_TRUE(SaveUserData());
    const std::vector<uint8_t> after = FileBytes(m_strPath);
    const std::vector<uint8_t> content = EncodeDataFile(g_ExerciseSets, g_arrUsers, 0);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_TRUE(std::equal(content.begin(), content.end(), after.begin()));
    EXPECT_TRUE(std::equal(before.begin() + std::ptrdiff_t(content.size()), before.end(),
                           after.begin() + std::ptrdiff_t(content.size())));

    g_arrUsers.clear();
    ASSERT_TRUE(LoadUserData());
    ASSERT_EQ(g_arrUsers.size(), 2u);
    EXPECT_EQ(g_arrUsers[0].strName, "Tom");
    EXPECT_EQ(g_arrUsers[1].strName, "Bob");
    EXPECT_EQ(g_arrUsers[1].byScores[0], 70);
}

TEST_F(UserDataFile, SavesWithinASessionWriteWhatOneSaveAtExitWould) {
    // The tail comes from the file the session began with, not from the session's own saves:
    // a user added and deleted again leaves the file as it was.
    SetDefaultExerciseSets();
    AppendUser(User("Tom", {50}));
    ASSERT_TRUE(SaveUserData());
    const std::vector<uint8_t> first = FileBytes(m_strPath);
    UseDataFilePlace({m_strPath, m_strPath});
    g_arrUsers.clear();
    ASSERT_TRUE(LoadUserData());
    AppendUser(User("Amy", {60}));
    ASSERT_TRUE(SaveUserData());
    EXPECT_EQ(FileBytes(m_strPath).size(), first.size() + 678u);
    RemoveUser(1);
    ASSERT_TRUE(SaveUserData());
    EXPECT_EQ(FileBytes(m_strPath), first);
}

TEST_F(UserDataFile, AForeignFileIsKeptAsideThenOverwrittenFromTheStart) {
    std::vector<uint8_t> foreign = TwoUserFile();
    foreign[0] = 'X';
    foreign.resize(2000, 0x5A);
    WriteFile(m_strPath, foreign);
    EXPECT_FALSE(IsDataFileValid(m_strPath));

    EXPECT_FALSE(LoadUserData());
    EXPECT_TRUE(g_arrUsers.empty());
    EXPECT_EQ(g_ExerciseSets[0].nRange, 0);
    // One wrong header byte must not cost a family its results: the whole file is kept.
    EXPECT_EQ(FileBytes(m_strPath + ".bad"), foreign);

    SetDefaultExerciseSets();
    ASSERT_TRUE(SaveUserData());
    const std::vector<uint8_t> bytes = FileBytes(m_strPath);
    ASSERT_EQ(bytes.size(), 2000u);
    EXPECT_TRUE(IsDataFileValid(m_strPath));
    EXPECT_TRUE(std::equal(foreign.begin() + 134, foreign.end(), bytes.begin() + 134));
}

TEST_F(UserDataFile, ValidityNeedsTheWholeHeaderExactly) {
    EXPECT_FALSE(IsDataFileValid(m_strPath));
    WriteFile(m_strPath, CDataFileBuilder().Text("Sumora configuration file").Bytes());
    EXPECT_FALSE(IsDataFileValid(m_strPath));
    WriteFile(m_strPath, CDataFileBuilder().Text("sumora configuration file.").Bytes());
    EXPECT_FALSE(IsDataFileValid(m_strPath));
    WriteFile(m_strPath, CDataFileBuilder().Text("Sumora configuration file.").Bytes());
    EXPECT_TRUE(IsDataFileValid(m_strPath));
    EXPECT_FALSE(IsDataFileValid(m_strDirectory));
}

TEST_F(UserDataFile, AnOlderFileGetsTheDefaultSetsAndKeepsItsUsers) {
    g_ExerciseSets[0] = {99, 99, 99};
    CDataFileBuilder file;
    file.Start(DATA_FILE_VERSION - 1).I32(1).U8(3).Text("Tom").History(88, 0).I32(0);
    WriteFile(m_strPath, file.Bytes());
    ASSERT_TRUE(LoadUserData());
    for (int k = 0; k < EXERCISE_SET_COUNT; ++k)
        EXPECT_EQ(g_ExerciseSets[k].nRange, k + 3);
    ASSERT_EQ(g_arrUsers.size(), 1u);
    EXPECT_EQ(g_arrUsers[0].byScores[0], 88);
}

TEST_F(UserDataFile, CurrentAndNewerFilesBringTheirOwnSets) {
    for (uint32_t version : {DATA_FILE_VERSION, DATA_FILE_VERSION + 1}) {
        WriteFile(m_strPath, CDataFileBuilder().Start(version).I32(0).I32(0).Bytes());
        ASSERT_TRUE(LoadUserData()) << version;
        EXPECT_EQ(g_ExerciseSets[0].nRange, 1) << version;
        EXPECT_EQ(g_ExerciseSets[7].nReserved, 27) << version;
    }
}

TEST_F(UserDataFile, ALoadedCurrentIndexOutsideTheListBecomesTheFirstUser) {
    std::vector<uint8_t> bytes = TwoUserFile();
    bytes[bytes.size() - 4] = 7;
    WriteFile(m_strPath, bytes);
    ASSERT_TRUE(LoadUserData());
    EXPECT_EQ(g_nCurrentUser, 0);
}

TEST_F(UserDataFile, EveryCutFileIsSetAsideAndChangesNothing) {
    const std::vector<uint8_t> whole = TwoUserFile();
    g_ExerciseSets[2] = {5, 6, 7};
    AppendUser(User("keep", {1}));
    const std::vector<asUSERINFO> usersBefore = g_arrUsers;
    for (size_t length = DATA_FILE_HEADER_SIZE; length < whole.size(); ++length) {
        const std::vector<uint8_t> cut(whole.begin(), whole.begin() + std::ptrdiff_t(length));
        WriteFile(m_strPath, cut);
        ASSERT_FALSE(LoadUserData()) << length;
        ASSERT_EQ(g_arrUsers.size(), 1u) << length;
        ASSERT_EQ(g_arrUsers[0].strName, "keep") << length;
        ASSERT_EQ(g_nCurrentUser, 0) << length;
        ASSERT_EQ(g_ExerciseSets[2].nRange, 5) << length;
        ASSERT_EQ(g_ExerciseSets[0].nRange, 0) << length;
        // Each damaged file gets a copy of its own; none replaces an earlier one. The copies
        // are cleared every fourth file so that the numbering restarts.
        const size_t copy = (length - DATA_FILE_HEADER_SIZE) % 4;
        const std::string rescue = m_strPath + ".bad" + (copy ? "." + std::to_string(copy) : "");
        ASSERT_EQ(FileBytes(rescue), cut) << length;
        for (size_t earlier = 0; earlier < copy; ++earlier)
            ASSERT_EQ(FileBytes(m_strPath + ".bad" + (earlier ? "." + std::to_string(earlier) : ""))
                          .size(),
                      length - copy + earlier)
                << length;
        if (copy == 3)
            for (const char* suffix : {".bad", ".bad.1", ".bad.2", ".bad.3"})
                std::filesystem::remove(m_strPath + suffix);
        ASSERT_EQ(FileBytes(m_strPath), cut) << length;
    }
}

TEST_F(UserDataFile, ADamagedFileSurvivesTheSaveThatReplacesIt) {
    CDataFileBuilder file;
    file.Start().I32(1).U8(0xFF).U16(0xFFFF).U32(0xFFFFFFFF).U64(uint64_t(1) << 63).Text("x");
    const std::vector<uint8_t> damaged = file.Bytes();
    WriteFile(m_strPath, damaged);
    EXPECT_FALSE(LoadUserData());
    SetDefaultExerciseSets();
    ASSERT_TRUE(SaveUserData());
    EXPECT_EQ(FileBytes(m_strPath + ".bad"), damaged);
    const std::vector<uint8_t> saved = FileBytes(m_strPath);
    ASSERT_EQ(saved.size(), damaged.size());
    EXPECT_TRUE(IsDataFileValid(m_strPath));
    EXPECT_EQ(saved[126], 0); // no users
    EXPECT_EQ(saved[134], damaged[134]);
}

TEST_F(UserDataFile, ASaveThatFailsAtAnyStepLeavesTheOldFileWhole) {
    SetDefaultExerciseSets();
    AppendUser(User("Tom", {80}));
    ASSERT_TRUE(SaveUserData());
    const std::vector<uint8_t> old = FileBytes(m_strPath);
    AppendUser(User("Amy", {90}));
    const std::vector<uint8_t> updated = EncodeDataFile(g_ExerciseSets, g_arrUsers, 0);

    int step = 1;
    for (; step < 20; ++step) {
        UseDataFilePlace({m_strPath, m_strPath}, FileOpsFailingAtStep(step));
        if (SaveUserData()) break;
        ASSERT_EQ(FileBytes(m_strPath), old) << "failed at step " << step;
        ASSERT_TRUE(StrayFiles().empty()) << "failed at step " << step;
    }
    EXPECT_EQ(step, 6); // create, write, flush, close, rename
    EXPECT_EQ(FileBytes(m_strPath), updated);
    EXPECT_TRUE(StrayFiles().empty());
}

TEST(DataFilePlace, TheFamilysFileIsReadWhereverItIsAndSavesGoWhereTheyCan) {
    const std::string exe = "/opt/zimbly/", user = "/home/a/.local/share/zimbly/";
    std::vector<std::string> existing;
    const auto exists = [&](const std::string& path) {
        return std::find(existing.begin(), existing.end(), path) != existing.end();
    };
    auto place = ChooseDataFilePlace(exe, true, user, exists);
    EXPECT_EQ(place.strReadPath, exe + "Sumora.cfg");
    EXPECT_EQ(place.strWritePath, exe + "Sumora.cfg");

    // A read-only install with no file anywhere: the per-user folder.
    place = ChooseDataFilePlace(exe, false, user, exists);
    EXPECT_EQ(place.strReadPath, user + "Sumora.cfg");
    EXPECT_EQ(place.strWritePath, user + "Sumora.cfg");

    // The family's file beside a read-only executable is read; the saves go to the user's.
    existing = {exe + "Sumora.cfg"};
    place = ChooseDataFilePlace(exe, false, user, exists);
    EXPECT_EQ(place.strReadPath, exe + "Sumora.cfg");
    EXPECT_EQ(place.strWritePath, user + "Sumora.cfg");

    // Once saved there, that newer file is the one read.
    existing.push_back(user + "Sumora.cfg");
    place = ChooseDataFilePlace(exe, false, user, exists);
    EXPECT_EQ(place.strReadPath, user + "Sumora.cfg");

    // No home: the file beside the executable, even if it cannot be written.
    place = ChooseDataFilePlace(exe, false, "", exists);
    EXPECT_EQ(place.strWritePath, exe + "Sumora.cfg");
}
