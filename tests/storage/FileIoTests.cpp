// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-file reads, crash-safe writes and rescue copies: exact bytes, kept permissions, failures
// at every step; and which symbolic links are followed.
#include "storage/FileIo.h"
#include "storage/FileLinks.h"
#include "tests/storage/FaultyFileOps.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

namespace {

class FileIo : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zimbly-io-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_strDirectory = pattern;
        m_strPath = m_strDirectory + "/file.bin";
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(m_strDirectory, ec);
    }
    size_t FileCount() const {
        return size_t(std::distance(std::filesystem::directory_iterator(m_strDirectory),
                                    std::filesystem::directory_iterator()));
    }
    std::string m_strDirectory;
    std::string m_strPath;
};

const std::vector<uint8_t> OLD_BYTES = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
const std::vector<uint8_t> NEW_BYTES = {0xAA, 0x00, 0xBB};

} // namespace

TEST_F(FileIo, AMissingFileOrADirectoryCannotBeRead) {
    EXPECT_FALSE(ReadFileBytes(m_strPath).has_value());
    EXPECT_FALSE(ReadFileBytes(m_strDirectory).has_value());
}

TEST_F(FileIo, WrittenBytesReadBackExactly) {
    std::vector<uint8_t> large(200000);
    for (size_t i = 0; i < large.size(); ++i)
        large[i] = uint8_t(i * 7);
    ASSERT_TRUE(WriteFileAtomically(m_strPath, large));
    EXPECT_EQ(ReadFileBytes(m_strPath), large);
    EXPECT_EQ(ReadFileBytes(m_strPath, 5), std::vector<uint8_t>(large.begin(), large.begin() + 5));
    ASSERT_TRUE(WriteFileAtomically(m_strPath, {}));
    EXPECT_EQ(ReadFileBytes(m_strPath), std::vector<uint8_t>{});
}

TEST_F(FileIo, ReplacingAFileLeavesOnlyTheNewBytesAndKeepsItsPermissions) {
    ASSERT_TRUE(WriteFileAtomically(m_strPath, OLD_BYTES));
    ASSERT_EQ(chmod(m_strPath.c_str(), 0640), 0);
    ASSERT_TRUE(WriteFileAtomically(m_strPath, NEW_BYTES));
    EXPECT_EQ(ReadFileBytes(m_strPath), NEW_BYTES);
    struct stat info {};
    ASSERT_EQ(stat(m_strPath.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(FileCount(), 1u);
}

TEST_F(FileIo, AWriteThatFailsAtAnyStepLeavesTheOldFileAndNoLeftovers) {
    ASSERT_TRUE(WriteFileAtomically(m_strPath, OLD_BYTES));
    int step = 1;
    for (; step < 20; ++step) {
        if (WriteFileAtomically(m_strPath, NEW_BYTES, FileOpsFailingAtStep(step))) break;
        ASSERT_EQ(ReadFileBytes(m_strPath), OLD_BYTES) << "step " << step;
        ASSERT_EQ(FileCount(), 1u) << "step " << step;
    }
    EXPECT_EQ(step, 6); // create, write, flush, close, rename
    EXPECT_EQ(ReadFileBytes(m_strPath), NEW_BYTES);
}

TEST_F(FileIo, AWriteAfterAFailedOneSucceeds) {
    const asFILEOPS ops = FileOpsFailingAtStep(1);
    EXPECT_FALSE(WriteFileAtomically(m_strPath, NEW_BYTES, ops));
    EXPECT_TRUE(WriteFileAtomically(m_strPath, NEW_BYTES, ops));
    EXPECT_EQ(ReadFileBytes(m_strPath), NEW_BYTES);
    EXPECT_EQ(FileCount(), 1u);
}

TEST_F(FileIo, ARescueCopyThatFailsAtAnyStepLeavesNothingBehind) {
    ASSERT_TRUE(WriteFileAtomically(m_strPath, OLD_BYTES));
    int step = 1;
    for (; step < 20; ++step) {
        const std::string copy = KeepRescueCopy(m_strPath, FileOpsFailingAtStep(step));
        if (!copy.empty()) break;
        ASSERT_EQ(ReadFileBytes(m_strPath), OLD_BYTES) << "step " << step;
        ASSERT_EQ(FileCount(), 1u) << "step " << step;
    }
    EXPECT_EQ(step, 5); // create, write, flush, close
    EXPECT_EQ(ReadFileBytes(m_strPath + ".bad"), OLD_BYTES);
}

TEST(FileLinks, OnlyLinksNobodyElseCouldHaveMadeAreFollowed) {
    constexpr uid_t ME = 1000, ROOT = 0, OTHER = 1001;
    struct {
        uid_t nLink, nFolder;
        mode_t nFolderMode;
        bool bFollowed;
    } const CASES[] = {
        {ME, ME, 0755, true},       // the user's own
        {ROOT, ROOT, 0755, true},   // an administrator's
        {ME, ROOT, 0700, true},     // the user's link in a folder root made
        {OTHER, ME, 0755, false},   // another account's link
        {ME, OTHER, 0755, false},   // in another account's folder
        {ME, ME, 0775, false},      // the group may write there
        {ME, ME, 0757, false},      // everyone may
        {ROOT, ROOT, 01777, false}, // a sticky folder for all, as /tmp
    };
    for (const auto& c : CASES)
        EXPECT_EQ(MayFollowLink(c.nLink, c.nFolder, c.nFolderMode, ME), c.bFollowed)
            << c.nLink << " " << c.nFolder << " " << std::oct << c.nFolderMode;
}

TEST_F(FileIo, WritingIntoAMissingDirectoryFails) {
    EXPECT_FALSE(WriteFileAtomically(m_strDirectory + "/no/such/file", NEW_BYTES));
}
