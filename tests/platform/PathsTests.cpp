// Where an installed copy keeps its data: $XDG_DATA_HOME/zimbly/, else ~/.local/share/zimbly/,
// created on demand; relative settings are ignored as the XDG rules require.
#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace {

class UserDataDirectory : public ::testing::Test {
protected:
    void SetUp() override {
        Save("HOME", m_oldHome);
        Save("XDG_DATA_HOME", m_oldXdg);
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zimbly-paths-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_strRoot = pattern;
    }
    void TearDown() override {
        Restore("HOME", m_oldHome);
        Restore("XDG_DATA_HOME", m_oldXdg);
        std::error_code ec;
        std::filesystem::remove_all(m_strRoot, ec);
    }
    static void Save(const char* name, std::optional<std::string>& slot) {
        if (const char* value = std::getenv(name)) slot = value;
    }
    static void Restore(const char* name, const std::optional<std::string>& slot) {
        if (slot)
            setenv(name, slot->c_str(), 1);
        else
            unsetenv(name);
    }
    std::string m_strRoot;
    std::optional<std::string> m_oldHome, m_oldXdg;
};

TEST_F(UserDataDirectory, XdgDataHomeIsUsedAndTheFolderIsCreated) {
    setenv("XDG_DATA_HOME", (m_strRoot + "/data").c_str(), 1);
    setenv("HOME", (m_strRoot + "/home").c_str(), 1);
    const std::string directory = GetUserDataDirectory();
    EXPECT_EQ(directory, m_strRoot + "/data/zimbly/");
    EXPECT_TRUE(std::filesystem::is_directory(directory));
    EXPECT_TRUE(IsDirectoryWritable(directory));
    EXPECT_FALSE(std::filesystem::exists(m_strRoot + "/home"));
}

TEST_F(UserDataDirectory, WithoutXdgDataHomeTheHomesLocalShareIsUsed) {
    unsetenv("XDG_DATA_HOME");
    setenv("HOME", (m_strRoot + "/home").c_str(), 1);
    EXPECT_EQ(GetUserDataDirectory(), m_strRoot + "/home/.local/share/zimbly/");
    EXPECT_TRUE(std::filesystem::is_directory(m_strRoot + "/home/.local/share/zimbly"));
}

TEST_F(UserDataDirectory, ARelativeXdgDataHomeIsIgnored) {
    setenv("XDG_DATA_HOME", "relative/data", 1);
    setenv("HOME", (m_strRoot + "/home").c_str(), 1);
    EXPECT_EQ(GetUserDataDirectory(), m_strRoot + "/home/.local/share/zimbly/");
}

TEST_F(UserDataDirectory, NoHomeAtAllGivesNoDirectory) {
    unsetenv("XDG_DATA_HOME");
    unsetenv("HOME");
    EXPECT_EQ(GetUserDataDirectory(), "");
}

TEST_F(UserDataDirectory, AMissingDirectoryIsNotWritable) {
    EXPECT_TRUE(IsDirectoryWritable(m_strRoot + "/"));
    EXPECT_FALSE(IsDirectoryWritable(m_strRoot + "/missing/"));
    EXPECT_TRUE(std::filesystem::is_empty(m_strRoot)); // the probe leaves nothing behind
}

} // namespace
