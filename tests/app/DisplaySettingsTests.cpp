// The remembered full-screen choice: what the settings file says, what it ignores, and how the
// file is written (the user's umask, the user's own links only).
#include "app/DisplaySettings.h"
#include "platform/FileIo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

TEST(DisplaySettings, TheLastFullScreenLineCountsAndAnythingElseIsIgnored) {
    EXPECT_EQ(ParseFullScreenSetting(FormatFullScreenSetting(true)), true);
    EXPECT_EQ(ParseFullScreenSetting(FormatFullScreenSetting(false)), false);
    EXPECT_EQ(ParseFullScreenSetting(""), std::nullopt);
    EXPECT_EQ(ParseFullScreenSetting("fullscreen=yes\nfullscreen=\n"), std::nullopt);
    EXPECT_EQ(ParseFullScreenSetting("# a note\r\nfullscreen=1\r\n"), true);
    EXPECT_EQ(ParseFullScreenSetting("fullscreen=1\nfullscreen=0"), false);
    EXPECT_EQ(ParseFullScreenSetting(std::string("fullscreen=1\0\n", 14)), std::nullopt);
}

namespace {

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zimbly-settings-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_strRoot = pattern;
        m_Places = {m_strRoot, "", m_strRoot + "/config"};
        m_strFolder = m_strRoot + "/config/zimbly";
        std::filesystem::create_directories(m_strFolder);
        m_strPath = m_strFolder + "/settings";
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(m_strRoot, ec);
    }
    std::string Read(const std::string& path) const {
        const auto bytes = ReadFileBytes(path);
        return bytes ? std::string(bytes->begin(), bytes->end()) : "(none)";
    }
    std::string m_strRoot, m_strFolder, m_strPath;
    asUSERPLACES m_Places;
};

} // namespace

TEST_F(SettingsFile, AnUnreadableFileIsReplacedWithTheUsersUmask) {
    std::ofstream(m_strPath) << "fullscreen=0\n";
    ASSERT_EQ(chmod(m_strPath.c_str(), 0), 0);
    const mode_t before = umask(022);
    SaveFullScreenSetting(m_Places, true);
    umask(before);
    struct stat info {};
    ASSERT_EQ(stat(m_strPath.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0644u);
    EXPECT_EQ(LoadFullScreenSetting(m_Places), true);
}

TEST_F(SettingsFile, TheUsersLinkIsKeptAndOneOthersCouldHavePlantedIsLeftAlone) {
    const std::string target = m_strRoot + "/kept-settings";
    std::ofstream(target) << "fullscreen=0\n";
    std::filesystem::create_symlink(target, m_strPath);
    SaveFullScreenSetting(m_Places, true);
    EXPECT_TRUE(std::filesystem::is_symlink(m_strPath));
    EXPECT_EQ(Read(target), "fullscreen=1\n");

    // The same link in a folder anyone may write in could be another account's.
    ASSERT_EQ(chmod(m_strFolder.c_str(), 0777), 0);
    SaveFullScreenSetting(m_Places, false);
    EXPECT_TRUE(std::filesystem::is_symlink(m_strPath));
    EXPECT_EQ(Read(target), "fullscreen=1\n");
}
