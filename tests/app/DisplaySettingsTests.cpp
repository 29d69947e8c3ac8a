// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The remembered full-screen choice: what the settings file says, what it ignores, and how the
// file is written (the user's umask, the user's own links only).
#include "app/DisplaySettings.h"

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

// An unreadable file is replaced with the user's umask (not its own bits, which would keep it
// unreadable); the user's link stays a link, and one another account could have planted is left
// alone.
TEST(SettingsFile, IsWrittenWithTheUmaskThroughTheUsersOwnLinksOnly) {
    std::string root = (std::filesystem::temp_directory_path() / "zimbly-settings-XXXXXX").string();
    ASSERT_NE(mkdtemp(root.data()), nullptr);
    const asUSERPLACES places{root, "", root + "/config"};
    const std::string folder = root + "/config/zimbly", path = folder + "/settings";
    const std::string target = root + "/kept-settings";
    std::filesystem::create_directories(folder);
    std::ofstream(path) << "fullscreen=0\n";
    ASSERT_EQ(chmod(path.c_str(), 0), 0);
    const mode_t before = umask(022);
    SaveFullScreenSetting(places, true);
    umask(before);
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0644u);
    EXPECT_EQ(LoadFullScreenSetting(places), true);

    std::filesystem::remove(path);
    std::filesystem::create_symlink(target, path);
    SaveFullScreenSetting(places, false);
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    EXPECT_EQ(LoadFullScreenSetting(places), false) << "written where the link points";
    ASSERT_EQ(chmod(folder.c_str(), 0777), 0); // now anyone could have made it
    SaveFullScreenSetting(places, true);
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    EXPECT_EQ(LoadFullScreenSetting(places), false);
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
}

// The mute and full-screen choices share the file: writing one keeps the other's line, and a
// line neither knows stays too.
TEST(DisplaySettings, EachChoiceIsWrittenBesideTheOtherAndUnknownLinesStay) {
    EXPECT_EQ(WithSwitchSetting("fullscreen=1\n# kept\n", "mute", true),
              "fullscreen=1\n# kept\nmute=1\n");
    EXPECT_EQ(WithSwitchSetting("mute=1\r\nfullscreen=0\nmute=0", "mute", false),
              "fullscreen=0\nmute=0\n");
    EXPECT_EQ(ParseSwitchSetting("muted=1\nmute=1\n", "mute"), true);
    EXPECT_EQ(ParseSwitchSetting("mute=1\nmute=2\n", "mute"), true);
    EXPECT_EQ(ParseSwitchSetting("fullscreen=1\n", "mute"), std::nullopt);
    // A parent turns review off by hand, in words.
    EXPECT_EQ(ParseSwitchSetting("mute=1\nreview=off\n", "review"), false);
    EXPECT_EQ(ParseSwitchSetting("review=off\r\nreview=on\n", "review"), true);
    EXPECT_EQ(ParseSwitchSetting("review=no\n", "review"), std::nullopt);

    std::string root = (std::filesystem::temp_directory_path() / "zimbly-mute-XXXXXX").string();
    ASSERT_NE(mkdtemp(root.data()), nullptr);
    const asUSERPLACES places{root, "", root + "/config"};
    EXPECT_EQ(LoadMuteSetting(places), std::nullopt);
    SaveFullScreenSetting(places, true);
    SaveMuteSetting(places, true);
    SaveFullScreenSetting(places, false);
    EXPECT_EQ(LoadMuteSetting(places), true);
    EXPECT_EQ(LoadFullScreenSetting(places), false);
    SaveMuteSetting(places, false);
    EXPECT_EQ(LoadMuteSetting(places), false);
    EXPECT_EQ(LoadFullScreenSetting(places), false);
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
}
