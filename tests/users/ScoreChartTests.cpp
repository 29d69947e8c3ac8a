// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The score chart: the value axis, the lit View scores button and the red line through the
// current user's results.
#include "tests/users/UserScreenFixture.h"

#include <vector>

namespace {

constexpr Color RED = RGB(255, 0, 0);
constexpr Rect CHART_AREA{187, 300, 861, 480};

struct ScoreChart : CUserScreenTest {
    const Surface& Chart() { return Paint(USER_PAGE_SCORES); }
    void AddUserWithScores(const std::vector<int>& scores) {
        g_nCurrentUser = AddUser("小明");
        for (int score : scores)
            AppendScore(g_arrUsers[size_t(g_nCurrentUser)], score);
    }
};

} // namespace

TEST_F(ScoreChart, ResultsHundredZeroFiftyDrawTheLineThroughTheirPoints) {
    AddUserWithScores({100, 0, 50});
    const Surface& frame = Chart();
    EXPECT_EQ(PixelAt(frame, 190, 371), RED);
    EXPECT_EQ(PixelAt(frame, 191, 471), RED);
    EXPECT_EQ(PixelAt(frame, 192, 421), RED);
    // One pixel wide: the steep segments cover every row between their ends, in two columns.
    for (int y = 371; y <= 471; ++y)
        EXPECT_TRUE(PixelAt(frame, 190, y) == RED || PixelAt(frame, 191, y) == RED) << y;
    EXPECT_EQ(CountColor(frame, {193, 300, 861, 480}, RED), 0);
    EXPECT_EQ(CountColor(frame, {190, 300, 193, 371}, RED), 0) << "nothing above 100 %";
}

TEST_F(ScoreChart, NoResultOrOneResultDrawsNoLine) {
    AddUserWithScores({});
    EXPECT_EQ(CountColor(Chart(), CHART_AREA, RED), 0);
    AppendScore(g_arrUsers[0], 80);
    EXPECT_EQ(CountColor(Chart(), CHART_AREA, RED), 0);
}

TEST_F(ScoreChart, FullHistorySpansTheWholeTimeAxis) {
    std::vector<int> scores(SCORE_HISTORY_SIZE, 30);
    scores.back() = 60;
    AddUserWithScores(scores);
    const Surface& frame = Chart();
    EXPECT_EQ(PixelAt(frame, 190, 441), RED);
    EXPECT_EQ(PixelAt(frame, 858, 441), RED);
    EXPECT_EQ(PixelAt(frame, 859, 411), RED);
    EXPECT_EQ(CountColor(frame, {860, 300, 1024, 480}, RED), 0);
}

TEST_F(ScoreChart, OnlyTheCurrentUsersResultsAreDrawn) {
    AddUserWithScores({10, 10});
    AddUserWithScores({90, 90});
    const Surface& frame = Chart();
    EXPECT_EQ(PixelAt(frame, 191, 381), RED);
    EXPECT_EQ(CountColor(frame, {190, 455, 192, 465}, RED), 0);
}

TEST_F(ScoreChart, WithoutUsersOnlyTheAxesAndTheLitButtonAreShown) {
    g_nCurrentUser = 0; // left over from a deleted user
    const Surface& frame = Chart();
    EXPECT_EQ(CountColor(frame, CHART_AREA, RED), 0);
    EXPECT_TRUE(ShowsPicture(frame, VIEW_SCORES_HOVER_PICTURE, 428, 491));
    // The value axis: face (187..189, 322..470), shadow one pixel right and down.
    EXPECT_EQ(PixelAt(frame, 187, 322), ENGRAVED_FACE_COLOR);
    EXPECT_EQ(PixelAt(frame, 189, 470), ENGRAVED_FACE_COLOR);
    EXPECT_EQ(PixelAt(frame, 190, 323), COLOR_BLACK);
    EXPECT_EQ(PixelAt(frame, 190, 470), COLOR_BLACK);
    EXPECT_NE(PixelAt(frame, 187, 321), ENGRAVED_FACE_COLOR);
    // The time axis that every sub-screen draws.
    EXPECT_EQ(PixelAt(frame, 187, 471), ENGRAVED_FACE_COLOR);
    EXPECT_EQ(PixelAt(frame, 858, 473), ENGRAVED_FACE_COLOR);
    EXPECT_EQ(PixelAt(frame, 859, 474), COLOR_BLACK);
}
