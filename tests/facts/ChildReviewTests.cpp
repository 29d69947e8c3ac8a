// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The current child's book is never in the way: nothing is due while it is read, what happens
// meanwhile reaches it afterwards, and a record that cannot be read means no review.
#include "facts/ChildReview.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <future>

namespace {

const auto ALL = [](const asREVIEWFACT&) { return true; };
constexpr int DAY = 20000;

asREVIEWREAD ReadOf(const std::string& child) {
    asREVIEWREAD read;
    read.strChild = child;
    return read;
}

void WaitReady(CChildReview& review) {
    for (int i = 0; i < 5000 && !review.Ready(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_TRUE(review.Ready());
}

} // namespace

TEST(ChildReview, NothingIsDueWhileTheBookIsReadAndWhatHappensMeanwhileIsKept) {
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    CChildReview review([released](const asREVIEWREAD&) {
        released.wait(); // a slow disk
        CReviewBook book;
        book.BeginRun();
        book.Add({7, '+', 8}, Verdict::MISSED, 1, DAY - 1, 1);
        return std::optional<CReviewBook>(book);
    });
    review.ChooseChild(ReadOf("Tom"));
    review.BeginRun();
    EXPECT_TRUE(review.Due(1, DAY, 3, ALL).empty()); // the first page does not wait
    review.Add({2, '+', 2}, Verdict::MISSED, 1, DAY, 5);
    EXPECT_FALSE(review.Ready());
    release.set_value();
    WaitReady(review);
    // The record's miss and this run's, the latter on the run it happened in.
    const std::vector<asREVIEWFACT> expected = {{7, '+', 8}, {2, '+', 2}};
    EXPECT_EQ(review.Due(2, DAY, 3, ALL), expected);
    EXPECT_EQ(review.Due(1, DAY, 3, ALL), std::vector<asREVIEWFACT>({{7, '+', 8}}));
}

TEST(ChildReview, NoChildOrAnUnreadableRecordMeansNoReviewAndChildrenKeepTheirOwn) {
    std::atomic<int> reads = 0;
    CChildReview review([&](const asREVIEWREAD& read) -> std::optional<CReviewBook> {
        ++reads;
        if (read.strChild == "Locked") return std::nullopt;
        return CReviewBook();
    });
    review.ChooseChild(ReadOf("Locked"));
    WaitReady(review);
    review.BeginRun();
    review.Add({3, '+', 4}, Verdict::MISSED, 1, DAY, 1);
    EXPECT_TRUE(review.Due(2, DAY, 3, ALL).empty());

    review.ChooseChild(ReadOf("Tom"));
    WaitReady(review);
    review.BeginRun();
    review.Add({3, '+', 4}, Verdict::MISSED, 1, DAY, 1);
    review.ChooseChild(ReadOf("Ann")); // a sister plays: Tom's facts are not hers
    WaitReady(review);
    review.BeginRun();
    EXPECT_TRUE(review.Due(1, DAY, 3, ALL).empty());
    review.ChooseChild(std::nullopt);
    EXPECT_TRUE(review.Due(1, DAY, 3, ALL).empty());
    review.ChooseChild(ReadOf("Tom")); // back from memory, not read again
    EXPECT_TRUE(review.Ready());
    review.BeginRun();
    EXPECT_EQ(review.Due(1, DAY, 3, ALL).size(), 1u);
    EXPECT_EQ(reads, 3);
    review.ForgetChild("Tom"); // deleted: a new Tom starts afresh
    EXPECT_TRUE(review.Due(1, DAY, 3, ALL).empty());
}

TEST(ChildReview, ARecordThatCannotBeReadGivesNoBookAndNoRecordYetAnEmptyOne) {
    const std::string dir = testing::TempDir() + "zimbly-review-read";
    std::filesystem::create_directories(dir);
    const std::string missing = dir + "/none.sqlite", damaged = dir + "/damaged.sqlite";
    std::ofstream(damaged) << "not a database, but a child's drawing";
    const auto none = ReadReviewBook(missing, ReadOf("Tom"));
    ASSERT_TRUE(none.has_value()); // a fresh game: review starts from the first answer
    EXPECT_TRUE(none->Entries().empty());
    EXPECT_FALSE(ReadReviewBook(damaged, ReadOf("Tom")).has_value());
    std::filesystem::remove_all(dir);
}
