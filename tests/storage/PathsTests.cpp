// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Where an installed copy keeps its data: $XDG_DATA_HOME/zimbly/, else ~/.local/share/zimbly/,
// created on demand; relative settings are ignored as the XDG rules require.
#include "storage/Paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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

} // namespace
