// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Where an installed copy keeps its data: $XDG_DATA_HOME/zimbly/, else ~/.local/share/zimbly/,
// created on demand; relative settings are ignored as the XDG rules require. A copy started from
// its build tree keeps its data there too, and the results it kept in the build folder before are
// copied there once.
#include "storage/Paths.h"
#include "storage/ResultsCopy.h"
#include "tests/storage/FaultyFileOps.h"
#include "tests/storage/HistoryBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

class UserDataDirectory : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zimbly-paths-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_strRoot = pattern;
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(m_strRoot, ec);
    }
    std::string m_strRoot;
};

TEST_F(UserDataDirectory, XdgDataHomeIsUsedAndTheFolderIsCreated) {
    const std::string directory =
        GetUserDataDirectory({m_strRoot + "/home", m_strRoot + "/data", ""});
    EXPECT_EQ(directory, m_strRoot + "/data/zimbly/");
    EXPECT_TRUE(std::filesystem::is_directory(directory));
    EXPECT_TRUE(IsDirectoryWritable(directory));
    EXPECT_FALSE(std::filesystem::exists(m_strRoot + "/home"));
}

TEST_F(UserDataDirectory, WithoutXdgDataHomeTheHomesLocalShareIsUsed) {
    EXPECT_EQ(GetUserDataDirectory({m_strRoot + "/home", "", ""}),
              m_strRoot + "/home/.local/share/zimbly/");
    EXPECT_TRUE(std::filesystem::is_directory(m_strRoot + "/home/.local/share/zimbly"));
}

TEST_F(UserDataDirectory, ARelativeXdgDataHomeIsIgnored) {
    EXPECT_EQ(GetUserDataDirectory({m_strRoot + "/home", "relative/data", ""}),
              m_strRoot + "/home/.local/share/zimbly/");
    // The settings folder follows the same rules, and is only made when asked.
    EXPECT_EQ(GetUserConfigDirectory({m_strRoot + "/home", "", "relative/config"}, false),
              m_strRoot + "/home/.config/zimbly/");
    EXPECT_FALSE(std::filesystem::exists(m_strRoot + "/home/.config"));
    EXPECT_EQ(GetUserConfigDirectory({"", "", m_strRoot + "/config"}, true),
              m_strRoot + "/config/zimbly/");
    EXPECT_TRUE(std::filesystem::is_directory(m_strRoot + "/config/zimbly"));
}

TEST_F(UserDataDirectory, TheReportGoesToTheCacheFolderByTheSameRules) {
    EXPECT_EQ(GetUserCacheDirectory(m_strRoot + "/cache", m_strRoot + "/home"),
              m_strRoot + "/cache/zimbly/");
    EXPECT_EQ(GetUserCacheDirectory("relative", m_strRoot + "/home"),
              m_strRoot + "/home/.cache/zimbly/");
    EXPECT_TRUE(std::filesystem::is_directory(m_strRoot + "/home/.cache/zimbly"));
    EXPECT_EQ(GetUserCacheDirectory("", ""), "");
}

TEST_F(UserDataDirectory, NoHomeAtAllGivesNoDirectory) {
    EXPECT_EQ(GetUserDataDirectory({}), "");
    EXPECT_EQ(GetUserDataDirectory({"relative/home", "", ""}), "");
}

TEST_F(UserDataDirectory, AMissingDirectoryIsNotWritable) {
    EXPECT_TRUE(IsDirectoryWritable(m_strRoot + "/"));
    EXPECT_FALSE(IsDirectoryWritable(m_strRoot + "/missing/"));
    EXPECT_TRUE(std::filesystem::is_empty(m_strRoot)); // the probe leaves nothing behind
}

TEST_F(UserDataDirectory, ABuildTreeIsKnownByItsCacheBesideOrAbove) {
    namespace fs = std::filesystem;
    fs::create_directories(m_strRoot + "/build/release/app");
    EXPECT_FALSE(IsInBuildTree(m_strRoot + "/build/release/app/"));
    std::ofstream(m_strRoot + "/build/release/CMakeCache.txt") << "# cache\n";
    EXPECT_TRUE(IsInBuildTree(m_strRoot + "/build/release/"));
    EXPECT_TRUE(IsInBuildTree(m_strRoot + "/build/release/app/"));
    EXPECT_FALSE(IsInBuildTree(m_strRoot + "/build/"));
    EXPECT_FALSE(IsInBuildTree(""));
}

// The results a game started from its build folder kept there: copied once to the per-user
// folder, the old files left exactly as they were.
class ResultsCopy : public UserDataDirectory {
protected:
    void SetUp() override {
        UserDataDirectory::SetUp();
        m_strBuild = m_strRoot + "/build";
        m_strData = m_strRoot + "/data";
        std::filesystem::create_directories(m_strBuild);
        std::filesystem::create_directories(m_strData);
    }
    static std::string Bytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static void Write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    std::vector<std::string> NamesIn(const std::string& directory) const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(directory))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string m_strBuild, m_strData;
};

TEST_F(ResultsCopy, TheResultsAreCopiedOnceWithTheirModeAndTheOldFilesStay) {
    Write(m_strBuild + "/Sumora.cfg", "family results");
    chmod((m_strBuild + "/Sumora.cfg").c_str(), 0640);
    { CHistoryBuilder record(m_strBuild + "/" + HISTORY_FILE_NAME); }
    const std::string recordBytes = Bytes(m_strBuild + "/" + HISTORY_FILE_NAME);
    const std::string waiting = std::string(HISTORY_FILE_NAME) + ".waiting";
    Write(m_strBuild + "/" + waiting, "answers of the last close");

    ASSERT_TRUE(HasResultsToCopy(m_strBuild, m_strData, "Sumora.cfg"));
    const asRESULTSCOPY copy = CopyResultsOnce(m_strBuild, m_strData, "Sumora.cfg");
    EXPECT_EQ(copy.strFailed, "");
    EXPECT_EQ(copy.arrCopied, (std::vector<std::string>{HISTORY_FILE_NAME, waiting, "Sumora.cfg"}));
    EXPECT_EQ(Bytes(m_strData + "/" + waiting), "answers of the last close");
    EXPECT_EQ(Bytes(m_strData + "/Sumora.cfg"), "family results");
    EXPECT_EQ(Bytes(m_strData + "/" + HISTORY_FILE_NAME), recordBytes);
    struct stat copied {};
    stat((m_strData + "/Sumora.cfg").c_str(), &copied);
    EXPECT_EQ(copied.st_mode & 07777, 0640u);
    EXPECT_EQ(Bytes(m_strBuild + "/Sumora.cfg"), "family results");
    EXPECT_EQ(NamesIn(m_strBuild),
              (std::vector<std::string>{"Sumora.cfg", HISTORY_FILE_NAME, waiting}));

    // Once the data file is there, nothing is copied again, however the old one changes.
    Write(m_strBuild + "/Sumora.cfg", "an older game wrote again");
    EXPECT_FALSE(HasResultsToCopy(m_strBuild, m_strData, "Sumora.cfg"));
    EXPECT_TRUE(CopyResultsOnce(m_strBuild, m_strData, "Sumora.cfg").arrCopied.empty());
    EXPECT_EQ(Bytes(m_strData + "/Sumora.cfg"), "family results");
    EXPECT_FALSE(HasResultsToCopy(m_strData, m_strData, "Sumora.cfg"));
}

// A game killed while it played leaves its answers in the write-ahead log: the copy holds them,
// as one file at rest, and the old record and its log are not touched.
TEST_F(ResultsCopy, ARecordThatIsNotAtRestIsCopiedWithItsLoggedAnswers) {
    const std::string record = m_strBuild + "/" + HISTORY_FILE_NAME;
    CHistoryBuilder killed(record);
    killed.Exec("PRAGMA journal_mode = WAL; PRAGMA wal_autocheckpoint = 0");
    killed.AddRun("Tom", 1000, 10, 90);
    ASSERT_GT(std::filesystem::file_size(record + "-wal"), 0u);
    const std::string old = Bytes(record), oldLog = Bytes(record + "-wal");

    const asRESULTSCOPY copy = CopyResultsOnce(m_strBuild, m_strData, "Sumora.cfg");
    EXPECT_EQ(copy.strFailed, "");
    EXPECT_EQ(NamesIn(m_strData), (std::vector<std::string>{HISTORY_FILE_NAME}));
    EXPECT_EQ(Bytes(record), old);
    EXPECT_EQ(Bytes(record + "-wal"), oldLog);
    // Read as the file alone (immutable: no log is looked for): the run is in it.
    sqlite3* db = nullptr;
    const std::string uri = "file:" + m_strData + "/" + HISTORY_FILE_NAME + "?immutable=1";
    ASSERT_EQ(sqlite3_open_v2(uri.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr),
              SQLITE_OK);
    sqlite3_stmt* count = nullptr;
    sqlite3_prepare_v2(db, "SELECT count(*) FROM runs WHERE score = 90", -1, &count, nullptr);
    ASSERT_EQ(sqlite3_step(count), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(count, 0), 1);
    sqlite3_finalize(count);
    sqlite3_close(db);
}

// A copy that fails at any step leaves the new folder as it was, so the next start tries again.
TEST_F(ResultsCopy, ACopyCutShortLeavesNothingAndIsTriedAgain) {
    Write(m_strBuild + "/Sumora.cfg", "family results");
    Write(m_strBuild + "/" + HISTORY_FILE_NAME, "answers");
    int step = 1;
    for (;; ++step) {
        const asRESULTSCOPY copy =
            CopyResultsOnce(m_strBuild, m_strData, "Sumora.cfg", FileOpsFailingAtStep(step));
        if (copy.strFailed.empty()) break;
        EXPECT_TRUE(copy.arrCopied.empty());
        ASSERT_TRUE(NamesIn(m_strData).empty()) << "after a failure at step " << step;
    }
    EXPECT_EQ(step, 11); // two copies of create, write, flush, close, rename
    EXPECT_EQ(Bytes(m_strData + "/Sumora.cfg"), "family results");
    EXPECT_EQ(Bytes(m_strData + "/" + HISTORY_FILE_NAME), "answers");
}

} // namespace
