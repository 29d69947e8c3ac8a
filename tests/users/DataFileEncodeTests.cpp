// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes the encoder writes: the first file, record sizes, length prefixes, word order.
#include "tests/users/DataFileBuilder.h"
#include "users/DataFile.h"

#include <gtest/gtest.h>

#include <array>

namespace {

std::array<ExerciseSet, EXERCISE_SET_COUNT> DefaultSets() {
    std::array<ExerciseSet, EXERCISE_SET_COUNT> sets{};
    for (int k = 0; k < EXERCISE_SET_COUNT; ++k)
        sets[size_t(k)] = {k + 3, 2, 35};
    return sets;
}

asUSERINFO UserNamed(std::string name) {
    asUSERINFO user;
    user.strName = std::move(name);
    return user;
}

std::vector<uint8_t> Slice(const std::vector<uint8_t>& bytes, size_t from, size_t count) {
    return {bytes.begin() + std::ptrdiff_t(from), bytes.begin() + std::ptrdiff_t(from + count)};
}

} // namespace

TEST(DataFileEncode, FirstFileHoldsDefaultsNoUsersAndIs134Bytes) {
    const std::vector<uint8_t> bytes = EncodeDataFile(DefaultSets(), {}, 0);
    CDataFileBuilder expected;
    expected.Text("Sumora configuration file.").U8(0x20).U8(0x11).U8(0x13).U8(0x20);
    for (int k = 0; k < 8; ++k)
        expected.I32(k + 3).I32(2).U32(35);
    expected.I32(0).I32(0);
    EXPECT_EQ(bytes.size(), 134u);
    EXPECT_EQ(bytes, expected.Bytes());
}

TEST(DataFileEncode, A42ByteNameTakesOneLengthByteAndTheRecord717Bytes) {
    asUSERINFO user = UserNamed(std::string(42, 'n'));
    user.byScores[0] = 90;
    user.byScores[669] = 7;
    user.nLastScore = 669;
    const std::vector<uint8_t> bytes = EncodeDataFile(DefaultSets(), {user}, 0);

    ASSERT_EQ(bytes.size(), 134u + 717u);
    EXPECT_EQ(Slice(bytes, 126, 4), (std::vector<uint8_t>{1, 0, 0, 0}));
    EXPECT_EQ(bytes[130], 0x2A);
    EXPECT_EQ(Slice(bytes, 131, 42), std::vector<uint8_t>(42, 'n'));
    EXPECT_EQ(bytes[173], 90);
    EXPECT_EQ(bytes[173 + 669], 7);
    EXPECT_EQ(Slice(bytes, 843, 4), (std::vector<uint8_t>{0x9D, 0x02, 0, 0}));
    EXPECT_EQ(Slice(bytes, 847, 4), (std::vector<uint8_t>{0, 0, 0, 0}));
}

TEST(DataFileEncode, UsersFollowInListOrderAndTheCurrentIndexComesLastAsHeld) {
    const std::vector<uint8_t> bytes =
        EncodeDataFile(DefaultSets(), {UserNamed("ab"), UserNamed("c")}, -1);
    ASSERT_EQ(bytes.size(), 134u + 677u + 676u);
    EXPECT_EQ(Slice(bytes, 126, 4), (std::vector<uint8_t>{2, 0, 0, 0}));
    EXPECT_EQ(Slice(bytes, 130, 3), (std::vector<uint8_t>{2, 'a', 'b'}));
    EXPECT_EQ(Slice(bytes, 130 + 677, 2), (std::vector<uint8_t>{1, 'c'}));
    // A new user's nLastScore of -1 and the current index of -1.
    EXPECT_EQ(Slice(bytes, 130 + 673, 4), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Slice(bytes, bytes.size() - 4, 4), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(DataFileEncode, LongNamesGetTheThreeAndSevenByteLengthForms) {
    struct {
        size_t length;
        std::vector<uint8_t> prefix;
    } cases[] = {
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFD, 0xFF}},
        // 0xFFFE would read as the wide-text marker, so it takes the long form.
        {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {0x12345, {0xFF, 0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00}},
    };
    for (const auto& c : cases) {
        const std::vector<uint8_t> bytes =
            EncodeDataFile(DefaultSets(), {UserNamed(std::string(c.length, 'x'))}, 0);
        EXPECT_EQ(bytes.size(), 134u + c.prefix.size() + c.length + 674u) << c.length;
        EXPECT_EQ(Slice(bytes, 130, c.prefix.size()), c.prefix) << c.length;
        EXPECT_EQ(bytes[130 + c.prefix.size()], 'x') << c.length;
    }
}
