// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Decoding data files: versions, every length-prefix form, counts, damaged and foreign files,
// and what is made safe on the way into memory.
#include "gfx/Gbk.h"
#include "tests/users/DataFileBuilder.h"
#include "users/DataFile.h"

#include <gtest/gtest.h>

#include <random>

namespace {

asDATAFILE DecodeValid(const std::vector<uint8_t>& bytes) {
    asDATAFILE file;
    EXPECT_EQ(DecodeDataFile(bytes, file), DataFileStatus::VALID);
    return file;
}

DataFileStatus StatusOf(const std::vector<uint8_t>& bytes) {
    asDATAFILE file;
    return DecodeDataFile(bytes, file);
}

// A file with one user whose name is given by raw prefix and name bytes.
std::vector<uint8_t> OneUserFile(const CDataFileBuilder& nameBytes) {
    CDataFileBuilder file;
    file.Start().I32(1).Text(
        {reinterpret_cast<const char*>(nameBytes.Bytes().data()), nameBytes.Bytes().size()});
    return file.History(55, 0).I32(0).Bytes();
}

std::string DecodedName(const CDataFileBuilder& nameBytes) {
    const asDATAFILE file = DecodeValid(OneUserFile(nameBytes));
    return file.arrUsers.empty() ? std::string("<no user>") : file.arrUsers[0].strName;
}

std::vector<uint8_t> TwoUserFile() {
    CDataFileBuilder file;
    file.Start().I32(2);
    file.U8(3).Text("Tom").History(80, 0);
    file.U8(4).Text(GbkFromUtf8("小明")).History(100, 0);
    return file.I32(1).Bytes();
}

} // namespace

TEST(DataFileDecode, ReadsSetsUsersHistoriesAndCurrentIndex) {
    const asDATAFILE file = DecodeValid(TwoUserFile());
    EXPECT_EQ(file.dwVersion, DATA_FILE_VERSION);
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(file.arrSets[size_t(k)].nRange, k + 1);
        EXPECT_EQ(file.arrSets[size_t(k)].nReserved, 20 + k);
        EXPECT_EQ(file.arrSets[size_t(k)].nOperations, uint32_t(40 + k));
    }
    ASSERT_EQ(file.arrUsers.size(), 2u);
    EXPECT_EQ(file.arrUsers[0].strName, "Tom");
    EXPECT_EQ(file.arrUsers[0].byScores[0], 80);
    EXPECT_EQ(file.arrUsers[0].nLastScore, 0);
    EXPECT_EQ(file.arrUsers[1].strName, GbkFromUtf8("小明"));
    EXPECT_EQ(file.arrUsers[1].byScores[0], 100);
    EXPECT_EQ(file.nCurrentUser, 1);
}

TEST(DataFileDecode, WhatTheEncoderWritesDecodesToTheSameState) {
    asUSERINFO user;
    user.strName = GbkFromUtf8("小红 Amy");
    for (int i = 0; i < SCORE_HISTORY_SIZE; ++i)
        user.byScores[size_t(i)] = uint8_t(i % 101);
    user.nLastScore = 400;
    ExerciseSet sets[EXERCISE_SET_COUNT] = {{3, 2, 35}, {100, -5, 63}, {}, {}, {}, {},
                                            {},         {7, 0, 1}};
    const asDATAFILE file = DecodeValid(EncodeDataFile(sets, {user, asUSERINFO{"b"}}, 1));
    ASSERT_EQ(file.arrUsers.size(), 2u);
    EXPECT_EQ(file.arrUsers[0].strName, user.strName);
    EXPECT_EQ(file.arrUsers[0].byScores, user.byScores);
    EXPECT_EQ(file.arrUsers[0].nLastScore, 400);
    EXPECT_EQ(file.arrUsers[1].nLastScore, -1);
    EXPECT_EQ(file.arrSets[1].nReserved, -5);
    EXPECT_EQ(file.arrSets[1].nOperations, 63u);
    EXPECT_EQ(file.arrSets[7].nRange, 7);
    EXPECT_EQ(file.nCurrentUser, 1);
}

TEST(DataFileDecode, AnOlderVersionHasNoSetsAndTheUserCountFollowsTheVersion) {
    CDataFileBuilder bytes;
    bytes.Start(DATA_FILE_VERSION - 1).I32(1).U8(1).Text("a").History(42, 0).I32(0);
    const asDATAFILE file = DecodeValid(bytes.Bytes());
    EXPECT_EQ(file.dwVersion, DATA_FILE_VERSION - 1);
    for (const ExerciseSet& set : file.arrSets)
        EXPECT_EQ(set.nRange, 0);
    ASSERT_EQ(file.arrUsers.size(), 1u);
    EXPECT_EQ(file.arrUsers[0].byScores[0], 42);
}

TEST(DataFileDecode, HeaderVersionCountAndIndexAloneMakeAnEmptyOlderFile) {
    CDataFileBuilder bytes;
    bytes.Start(DATA_FILE_VERSION - 1).I32(0).I32(0);
    EXPECT_EQ(bytes.Bytes().size(), 38u);
    const asDATAFILE file = DecodeValid(bytes.Bytes());
    EXPECT_TRUE(file.arrUsers.empty());
    EXPECT_EQ(file.nCurrentUser, 0);
}

TEST(DataFileDecode, ANewerVersionIsReadLikeTheCurrentOne) {
    CDataFileBuilder bytes;
    bytes.Start(0xFFFFFFFF).I32(0).I32(0);
    const asDATAFILE file = DecodeValid(bytes.Bytes());
    EXPECT_EQ(file.dwVersion, 0xFFFFFFFFu);
    EXPECT_EQ(file.arrSets[7].nRange, 8);
    EXPECT_EQ(file.arrSets[7].nOperations, 47u);
}

TEST(DataFileDecode, EveryLengthPrefixFormIsAccepted) {
    EXPECT_EQ(DecodedName(CDataFileBuilder().U8(3).Text("Tom")), "Tom");
    EXPECT_EQ(DecodedName(CDataFileBuilder().U8(0xFF).U16(3).Text("Tom")), "Tom");
    EXPECT_EQ(DecodedName(CDataFileBuilder().U8(0xFF).U16(0xFFFF).U32(3).Text("Tom")), "Tom");
    EXPECT_EQ(
        DecodedName(CDataFileBuilder().U8(0xFF).U16(0xFFFF).U32(0xFFFFFFFF).U64(3).Text("Tom")),
        "Tom");
}

TEST(DataFileDecode, WideNamesAreConvertedFromUtf16ToGbk) {
    const std::string xiaoMing = GbkFromUtf8("小明");
    // 小 U+5C0F, 明 U+660E, as little-endian UTF-16 units.
    CDataFileBuilder shortForm;
    shortForm.U8(0xFF).U16(0xFFFE).U8(2).U16(0x5C0F).U16(0x660E);
    EXPECT_EQ(DecodedName(shortForm), xiaoMing);
    CDataFileBuilder wordForm;
    wordForm.U8(0xFF).U16(0xFFFE).U8(0xFF).U16(2).U16(0x5C0F).U16(0x660E);
    EXPECT_EQ(DecodedName(wordForm), xiaoMing);
    CDataFileBuilder longForm;
    longForm.U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFF).U32(2).U16(0x5C0F).U16(0x660E);
    EXPECT_EQ(DecodedName(longForm), xiaoMing);
    CDataFileBuilder ascii;
    ascii.U8(0xFF).U16(0xFFFE).U8(3).U16('T').U16('o').U16('m');
    EXPECT_EQ(DecodedName(ascii), "Tom");
}

TEST(DataFileDecode, BehindTheWideMarker0xFFFEIsALengthNotASecondMarker) {
    CDataFileBuilder name;
    name.U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFE);
    for (int i = 0; i < 0xFFFE; ++i)
        name.U16('a');
    EXPECT_EQ(DecodedName(name), std::string(MAX_NAME_BYTES, 'a'));
}

TEST(DataFileDecode, LengthsBeyondTheDataAreRejectedWithoutAllocating) {
    const uint64_t hugeLengths[] = {uint64_t(1) << 63, ~uint64_t(0), uint64_t(1) << 40, 1000};
    for (uint64_t length : hugeLengths) {
        CDataFileBuilder name;
        name.U8(0xFF).U16(0xFFFF).U32(0xFFFFFFFF).U64(length).Text("Tom");
        EXPECT_EQ(StatusOf(OneUserFile(name)), DataFileStatus::DAMAGED) << length;
        CDataFileBuilder wide;
        wide.U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFF).U32(0xFFFFFFFF).U64(length);
        EXPECT_EQ(StatusOf(OneUserFile(wide)), DataFileStatus::DAMAGED) << length;
    }
    CDataFileBuilder longWord;
    longWord.U8(0xFF).U16(0xFFFF).U32(0xFFFFFFFE).Text("Tom");
    EXPECT_EQ(StatusOf(OneUserFile(longWord)), DataFileStatus::DAMAGED);
}

TEST(DataFileDecode, AWideNameCountsTwoBytesAUnitAgainstWhatIsLeft) {
    // 677 bytes follow the length: 339 units would need 678.
    CDataFileBuilder tooLong;
    tooLong.Start().I32(1).U8(0xFF).U16(0xFFFE).U8(0xFF).U16(339).Repeat('a', 677);
    EXPECT_EQ(StatusOf(tooLong.Bytes()), DataFileStatus::DAMAGED);
    CDataFileBuilder exact;
    exact.Start().I32(1).U8(0xFF).U16(0xFFFE).U8(2).U16('o').U16('k').History(9, 0).I32(0);
    EXPECT_EQ(DecodeValid(exact.Bytes()).arrUsers.at(0).strName, "ok");
}

TEST(DataFileDecode, ACountOfZeroOrBelowReadsNoRecords) {
    for (int32_t count : {0, -1, INT32_MIN}) {
        CDataFileBuilder bytes;
        bytes.Start().I32(count).I32(0).Repeat(0xAB, 700);
        const asDATAFILE file = DecodeValid(bytes.Bytes());
        EXPECT_TRUE(file.arrUsers.empty()) << count;
        EXPECT_EQ(file.nCurrentUser, 0) << count;
    }
}

TEST(DataFileDecode, ACountLargerThanTheRecordsIsDamaged) {
    for (int32_t count : {INT32_MAX, 3}) {
        CDataFileBuilder bytes;
        bytes.Start().I32(count).U8(1).Text("a").History(1, 0).U8(1).Text("b").History(2, 0);
        bytes.I32(0);
        EXPECT_EQ(StatusOf(bytes.Bytes()), DataFileStatus::DAMAGED) << count;
    }
}

TEST(DataFileDecode, EveryCutAfterTheHeaderIsDamagedAndEveryCutInsideItForeign) {
    std::vector<uint8_t> bytes = TwoUserFile();
    CDataFileBuilder older;
    older.Start(DATA_FILE_VERSION - 1).I32(1).U8(0xFF).U16(0xFFFE).U8(1).U16('w').History(1, 0);
    older.I32(0);
    for (const std::vector<uint8_t>& whole : {bytes, older.Bytes()}) {
        for (size_t length = 0; length < whole.size(); ++length) {
            const std::vector<uint8_t> cut(whole.begin(), whole.begin() + std::ptrdiff_t(length));
            const DataFileStatus expected =
                length < DATA_FILE_HEADER_SIZE ? DataFileStatus::FOREIGN : DataFileStatus::DAMAGED;
            ASSERT_EQ(StatusOf(cut), expected) << "cut to " << length << " of " << whole.size();
        }
        EXPECT_EQ(StatusOf(whole), DataFileStatus::VALID);
    }
}

TEST(DataFileDecode, BytesAfterTheCurrentIndexAreIgnored) {
    std::vector<uint8_t> bytes = TwoUserFile();
    bytes.insert(bytes.end(), 1000, 0xEE);
    const asDATAFILE file = DecodeValid(bytes);
    EXPECT_EQ(file.arrUsers.size(), 2u);
    EXPECT_EQ(file.nCurrentUser, 1);
}

TEST(DataFileDecode, AnyDifferenceInTheHeaderMakesTheFileForeign) {
    std::vector<uint8_t> bytes = TwoUserFile();
    for (size_t i = 0; i < DATA_FILE_HEADER_SIZE; ++i) {
        std::vector<uint8_t> changed = bytes;
        changed[i] ^= 0x20; // "sumora", "Sumora Configuration", ...
        EXPECT_EQ(StatusOf(changed), DataFileStatus::FOREIGN) << i;
    }
    EXPECT_FALSE(HasDataFileHeader(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 25)));
    EXPECT_TRUE(HasDataFileHeader(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 26)));
}

TEST(DataFileDecode, NamesLongerThan42BytesAreCutAtACharacterBoundary) {
    EXPECT_EQ(DecodedName(CDataFileBuilder().U8(50).Text(std::string(50, 'z'))),
              std::string(42, 'z'));
    // 41 ASCII bytes then a two-byte character: taking its first byte would leave half of it.
    const std::string name = std::string(41, 'a') + GbkFromUtf8("明明");
    EXPECT_EQ(DecodedName(CDataFileBuilder().U8(uint8_t(name.size())).Text(name)),
              std::string(41, 'a'));
    const std::string chinese =
        GbkFromUtf8("小明小明小明小明小明小明小明小明小明小明小明"); // 44 bytes
    EXPECT_EQ(DecodedName(CDataFileBuilder().U8(uint8_t(chinese.size())).Text(chinese)),
              chinese.substr(0, 42));
}

TEST(DataFileDecode, EmptyNamesAreKeptWithTheirHistory) {
    CDataFileBuilder bytes;
    bytes.Start().I32(1).U8(0).History(77, 0).I32(0);
    const asDATAFILE file = DecodeValid(bytes.Bytes());
    ASSERT_EQ(file.arrUsers.size(), 1u);
    EXPECT_EQ(file.arrUsers[0].strName, "");
    EXPECT_EQ(file.arrUsers[0].byScores[0], 77);
}

TEST(DataFileDecode, TheNewestScoreIndexIsHeldWithinTheHistory) {
    for (auto [stored, kept] : {std::pair{5000, 669},
                                {669, 669},
                                {670, 669},
                                {-1, -1},
                                {-7, -1},
                                {INT32_MIN, -1},
                                {12, 12}}) {
        CDataFileBuilder bytes;
        bytes.Start().I32(1).U8(1).Text("a").History(1, stored).I32(0);
        EXPECT_EQ(DecodeValid(bytes.Bytes()).arrUsers.at(0).nLastScore, kept) << stored;
    }
}

TEST(DataFileDecode, ACurrentIndexOutsideTheListBecomesTheFirstUser) {
    struct {
        int users;
        int32_t stored;
        int32_t kept;
    } cases[] = {{2, 1, 1}, {2, 0, 0},   {2, 2, 0},  {2, -1, 0},        {2, INT32_MAX, 0},
                 {0, 0, 0}, {0, -1, -1}, {0, 3, -1}, {0, INT32_MIN, -1}};
    for (const auto& c : cases) {
        CDataFileBuilder bytes;
        bytes.Start().I32(c.users);
        for (int i = 0; i < c.users; ++i)
            bytes.U8(1).Text("u").History(0, -1);
        bytes.I32(c.stored);
        EXPECT_EQ(DecodeValid(bytes.Bytes()).nCurrentUser, c.kept)
            << c.users << " users, stored " << c.stored;
    }
}

TEST(DataFileDecode, RandomlyDamagedFilesNeverBreakWhatMemoryRelies) {
    CDataFileBuilder start;
    start.Start().I32(2).U8(3).Text("Tom").History(80, 5).U8(0xFF).U16(0xFFFE).U8(1).U16('w');
    start.History(9, 0).I32(1);
    std::mt19937 random(20131120);
    int valid = 0;
    for (int round = 0; round < 20000; ++round) {
        std::vector<uint8_t> bytes = start.Bytes();
        const int changes = 1 + int(random() % 4);
        for (int i = 0; i < changes; ++i) {
            // Mostly in the parts with counts and lengths, where damage matters most.
            const size_t at =
                DATA_FILE_HEADER_SIZE +
                random() % (random() % 2 ? 120 : bytes.size() - DATA_FILE_HEADER_SIZE);
            switch (random() % 3) {
            case 0:
                bytes[at] = uint8_t(random());
                break;
            case 1:
                bytes[at] = uint8_t(random() % 2 ? 0xFF : 0x00);
                break;
            case 2:
                bytes.resize(at);
                break;
            }
            if (bytes.size() <= DATA_FILE_HEADER_SIZE + 1) break;
        }
        asDATAFILE file;
        if (DecodeDataFile(bytes, file) != DataFileStatus::VALID) continue;
        ++valid;
        for (const asUSERINFO& user : file.arrUsers) {
            ASSERT_LE(user.strName.size(), size_t(MAX_NAME_BYTES));
            ASSERT_GE(user.nLastScore, -1);
            ASSERT_LT(user.nLastScore, SCORE_HISTORY_SIZE);
        }
        if (file.arrUsers.empty())
            ASSERT_TRUE(file.nCurrentUser == 0 || file.nCurrentUser == -1);
        else
            ASSERT_LT(size_t(file.nCurrentUser), file.arrUsers.size());
    }
    EXPECT_GT(valid, 100); // the check above did run on many files
}
