// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// GBK conversions: round trips, characters without a GBK form, broken bytes.
#include "gfx/Gbk.h"

#include <gtest/gtest.h>

TEST(Gbk, ChineseTextRoundTripsAndTakesTwoBytesACharacter) {
    const std::string gbk = GbkFromUtf8("小明");
    ASSERT_EQ(gbk.size(), 4u);
    EXPECT_EQ(static_cast<unsigned char>(gbk[0]), 0xD0); // 小 = D0 A1
    EXPECT_EQ(static_cast<unsigned char>(gbk[1]), 0xA1);
    EXPECT_EQ(Utf8FromGbk(gbk), "小明");
    EXPECT_EQ(Utf8FromGbk(GbkFromUtf8("Tom 3 + ( 12 ) = 5")), "Tom 3 + ( 12 ) = 5");
}

TEST(Gbk, CharactersWithoutAGbkFormAreDropped) {
    EXPECT_EQ(Utf8FromGbk(GbkFromUtf8("a😀b")), "ab");
    EXPECT_EQ(Utf8FromGbk(GbkFromUtf16(u"x\U0001F600y")), "xy");
}

TEST(Gbk, Utf16NamesConvert) {
    EXPECT_EQ(GbkFromUtf16(u"小明"), GbkFromUtf8("小明"));
}

TEST(Gbk, BrokenBytesBecomeReplacementCharacters) {
    const std::u32string text = Utf32FromGbk(std::string("a\xD0", 2));
    ASSERT_EQ(text.size(), 2u);
    EXPECT_EQ(text[0], U'a');
    EXPECT_EQ(text[1], U'\uFFFD');
}
