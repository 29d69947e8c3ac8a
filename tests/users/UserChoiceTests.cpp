// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing the current user and deleting users by a click on their rows.
#include "tests/users/UserScreenFixture.h"

namespace {

// A point on user row k, away from where its text is drawn.
int RowY(int k) {
    return UserRow(k).top + 17;
}

// Anna, Tom and 小明, Anna current.
struct UserChoice : CUserScreenTest {
    void SetUp() override {
        CUserScreenTest::SetUp();
        AddUser("Anna");
        AddUser("Tom");
        AddUser("小明");
        g_nCurrentUser = 0;
    }
};

} // namespace

TEST_F(UserChoice, AClickOnARowMakesThatUserCurrentAndOffTheRowsNothing) {
    ChooseUserAt(300, RowY(2));
    EXPECT_EQ(g_nCurrentUser, 2);
    ChooseUserAt(700, RowY(1));
    EXPECT_EQ(g_nCurrentUser, 1);
    ChooseUserAt(300, RowY(3)); // below the last row
    ChooseUserAt(100, RowY(0)); // left of the rows
    EXPECT_EQ(g_nCurrentUser, 1);
}

TEST_F(UserChoice, DeletingTheCurrentUserMakesTheFirstCurrent) {
    g_nCurrentUser = 1;
    DeleteUserAt(500, RowY(1));
    ASSERT_EQ(g_arrUsers.size(), 2u);
    EXPECT_EQ(Name(0), "Anna");
    EXPECT_EQ(Name(1), "小明");
    EXPECT_EQ(g_nCurrentUser, 0);
}

TEST_F(UserChoice, DeletingAnEarlierUserKeepsTheSamePersonCurrent) {
    g_nCurrentUser = 2;
    DeleteUserAt(500, RowY(0));
    ASSERT_EQ(g_arrUsers.size(), 2u);
    EXPECT_EQ(g_nCurrentUser, 1);
    EXPECT_EQ(Name(g_nCurrentUser), "小明");
}

TEST_F(UserChoice, AClickOffTheRowsDeletesNobody) {
    g_nCurrentUser = 2;
    DeleteUserAt(500, RowY(3)); // below the last row
    DeleteUserAt(100, 300);     // left of the rows
    EXPECT_EQ(g_arrUsers.size(), 3u);
    EXPECT_EQ(g_nCurrentUser, 2);
}

TEST_F(UserChoice, DeletingEveryUserLeavesNoCurrentUser) {
    for (int left = 3; left > 0; --left) {
        DeleteUserAt(500, RowY(0));
        EXPECT_EQ(g_nCurrentUser, left > 1 ? 0 : -1);
    }
    EXPECT_TRUE(g_arrUsers.empty());
    DeleteUserAt(500, RowY(0)); // no users: nothing happens
    ChooseUserAt(500, RowY(0));
    EXPECT_EQ(g_nCurrentUser, -1);
}
