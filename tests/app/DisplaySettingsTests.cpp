// The remembered full-screen choice: what the settings file says, and what it ignores.
#include "app/DisplaySettings.h"

#include <gtest/gtest.h>

TEST(DisplaySettings, TheLastFullScreenLineCountsAndAnythingElseIsIgnored) {
    EXPECT_EQ(ParseFullScreenSetting(FormatFullScreenSetting(true)), true);
    EXPECT_EQ(ParseFullScreenSetting(FormatFullScreenSetting(false)), false);
    EXPECT_EQ(ParseFullScreenSetting(""), std::nullopt);
    EXPECT_EQ(ParseFullScreenSetting("fullscreen=yes\nfullscreen=\n"), std::nullopt);
    EXPECT_EQ(ParseFullScreenSetting("# a note\r\nfullscreen=1\r\n"), true);
    EXPECT_EQ(ParseFullScreenSetting("fullscreen=1\nfullscreen=0"), false);
    EXPECT_EQ(ParseFullScreenSetting(std::string("fullscreen=1\0\n", 14)), std::nullopt);
}
