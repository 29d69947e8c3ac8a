// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The waiting file's lines: every kind of record comes back as it went, whatever bytes its texts
// hold, and a file that is not one is refused whole.
#include "storage/HistoryWaiting.h"

#include <gtest/gtest.h>

namespace {

TEST(HistoryWaiting, EveryRecordComesBackAsItWent) {
    const std::vector<HistoryRecord> records = {
        asHISTORYRUN{-3, "\xd0\xa1 \n\xc3\xf7", 7, 63, 100, 1'700'000'000'123},
        asHISTORYRUN{4, "", 0, 1, 3, 0},
        asHISTORYANSWER{-3, 2, 11, 1'700'000'000'999, "\u25A1+3=8", "5", "", false, true, true, 0,
                        true},
        asHISTORYRUNEND{-3, 1'700'000'009'000, 91, 12, 11},
        asHISTORYFORGET{"Ann", 1'700'000'010'000},
    };
    std::vector<HistoryRecord> read;
    ASSERT_TRUE(DecodeWaitingRecords(EncodeWaitingRecords(records), read));
    ASSERT_EQ(read.size(), records.size());
    const auto& run = std::get<asHISTORYRUN>(read[0]);
    EXPECT_EQ(run.strChild, "\xd0\xa1 \n\xc3\xf7");
    EXPECT_EQ(run.nStartedUtcMs, 1'700'000'000'123);
    EXPECT_EQ(std::get<asHISTORYRUN>(read[1]).strChild, "");
    const auto& answer = std::get<asHISTORYANSWER>(read[2]);
    EXPECT_EQ(answer.strProblem, "\u25A1+3=8");
    EXPECT_EQ(answer.strTyped, "");
    EXPECT_TRUE(answer.bFirstTry && answer.bByMagnifier && !answer.bRight && answer.bReview);
    EXPECT_EQ(std::get<asHISTORYRUNEND>(read[3]).nScore, 91);
    EXPECT_EQ(std::get<asHISTORYFORGET>(read[4]).nUtcMs, 1'700'000'010'000);
    const std::string first = "zimbly answers waiting 1\nanswer 1 1 0 5 31 32 33 1 1 0 7\n";
    ASSERT_TRUE(DecodeWaitingRecords({(const uint8_t*)first.data(), first.size()}, read));
    EXPECT_FALSE(std::get<asHISTORYANSWER>(read.at(0)).bReview) << "the first format has no flag";
}

TEST(HistoryWaiting, AFileThatIsNotOneIsRefusedWhole) {
    const std::string head = "zimbly answers waiting 1\n";
    for (const std::string& text : {
             std::string(),
             std::string("zimbly answers waiting 3\n"),
             head + "run 1 416e6e 0 35 3 5", // cut before its end
             head + "run 1 416e6 0 35 3 5\n",
             head + "run 1 416e6e 0 35 3\n",
             head + "run 1 416e6e 0 35 3 5 6\n",
             head + "end 1 2 3 4 99999999999\n",
             head + "answer 1 1 0 5 31 32 33 1 2 0 7\n",
             head + "answer 1 1 0 5 31 32 33 1 1 0 7 1\n", // a review flag in the first format
             std::string("zimbly answers waiting 2\nanswer 1 1 0 5 31 32 33 1 1 0 7\n"), // none
             head + "forget 416e6e x\n",
             head + "start 1\n",
         }) {
        std::vector<HistoryRecord> read{asHISTORYFORGET{}};
        EXPECT_FALSE(DecodeWaitingRecords(
            {reinterpret_cast<const uint8_t*>(text.data()), text.size()}, read))
            << text;
        EXPECT_TRUE(read.empty());
    }
}

} // namespace
