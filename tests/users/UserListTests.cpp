// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The in-memory operations: default sets, score history, appending, removing and finding users.
#include "gfx/Gbk.h"
#include "tests/users/UserDataFixture.h"

using UserList = CUserDataTest;

TEST_F(UserList, DefaultSetsRangeFrom3To10WithAddSubtractAndFillIn) {
    AppendUser(User("Tom"));
    g_nCurrentUser = 0;
    SetDefaultExerciseSets();
    for (int k = 0; k < EXERCISE_SET_COUNT; ++k) {
        EXPECT_EQ(g_ExerciseSets[k].nRange, k + 3);
        EXPECT_EQ(g_ExerciseSets[k].nReserved, 2);
        EXPECT_EQ(g_ExerciseSets[k].nOperations, 35u);
    }
    EXPECT_EQ(g_arrUsers.size(), 1u);
    EXPECT_EQ(g_nCurrentUser, 0);
}

TEST_F(UserList, ScoresFillTheHistoryFromIndexZero) {
    asUSERINFO user;
    AppendScore(user, 80);
    AppendScore(user, 100);
    EXPECT_EQ(user.nLastScore, 1);
    EXPECT_EQ(user.byScores[0], 80);
    EXPECT_EQ(user.byScores[1], 100);
    EXPECT_EQ(user.byScores[2], 0);
}

TEST_F(UserList, AFullHistoryDropsTheOldestAndKeeps670) {
    asUSERINFO user;
    for (int i = 0; i < SCORE_HISTORY_SIZE; ++i)
        AppendScore(user, i % 100);
    EXPECT_EQ(user.nLastScore, 669);
    EXPECT_EQ(user.byScores[669], 669 % 100);

    AppendScore(user, 100);
    EXPECT_EQ(user.nLastScore, 669);
    EXPECT_EQ(user.byScores[669], 100);
    for (int i = 0; i < 669; ++i)
        ASSERT_EQ(user.byScores[size_t(i)], (i + 1) % 100) << i;
}

TEST_F(UserList, ScoresOutsidePercentagesAreHeldTo0Through100) {
    asUSERINFO user;
    AppendScore(user, 250);
    AppendScore(user, -3);
    EXPECT_EQ(user.byScores[0], 100);
    EXPECT_EQ(user.byScores[1], 0);
}

TEST_F(UserList, AppendedUsersGoToTheEndAndGetTheirIndex) {
    EXPECT_EQ(AppendUser(User("a")), 0);
    EXPECT_EQ(AppendUser(User("b")), 1);
    EXPECT_EQ(AppendUser(User("c")), 2);
    EXPECT_EQ(g_arrUsers[2].strName, "c");
    EXPECT_EQ(g_arrUsers[2].nLastScore, -1);
}

TEST_F(UserList, RemovingAUserClosesTheGap) {
    for (const char* name : {"a", "b", "c"})
        AppendUser(User(name));
    RemoveUser(1);
    ASSERT_EQ(g_arrUsers.size(), 2u);
    EXPECT_EQ(g_arrUsers[0].strName, "a");
    EXPECT_EQ(g_arrUsers[1].strName, "c");
}

TEST_F(UserList, RemovingKeepsTheSamePersonCurrentOrFallsBackToTheFirst) {
    for (const char* name : {"a", "b", "c"})
        AppendUser(User(name));
    g_nCurrentUser = 2;
    RemoveUser(0); // an earlier user: "c" stays current one index lower
    EXPECT_EQ(g_nCurrentUser, 1);
    EXPECT_EQ(g_arrUsers[size_t(g_nCurrentUser)].strName, "c");
    RemoveUser(1); // the current user itself
    EXPECT_EQ(g_nCurrentUser, 0);
    RemoveUser(0); // the last one
    EXPECT_TRUE(g_arrUsers.empty());
    EXPECT_EQ(g_nCurrentUser, -1);
}

TEST_F(UserList, RemovingAUserAfterTheCurrentOneLeavesTheIndexAlone) {
    for (const char* name : {"a", "b", "c"})
        AppendUser(User(name));
    g_nCurrentUser = 1;
    RemoveUser(2);
    EXPECT_EQ(g_nCurrentUser, 1);
}

TEST_F(UserList, RemovingAtAnIndexOutsideTheListDoesNothing) {
    AppendUser(User("a"));
    RemoveUser(1);
    RemoveUser(-1);
    EXPECT_EQ(g_arrUsers.size(), 1u);
    EXPECT_EQ(g_nCurrentUser, 0);
}

TEST_F(UserList, FindingANameIgnoresLetterCase) {
    AppendUser(User("Anna"));
    AppendUser(User("tom"));
    EXPECT_EQ(FindUserByName("Tom"), 1);
    EXPECT_EQ(FindUserByName("TOM"), 1);
    EXPECT_EQ(FindUserByName("anna"), 0);
    EXPECT_EQ(FindUserByName("to"), -1);
    EXPECT_EQ(FindUserByName("tomm"), -1);
    EXPECT_EQ(FindUserByName(""), -1);
}

TEST_F(UserList, FindingReturnsTheFirstOfEqualNames) {
    AppendUser(User("x"));
    AppendUser(User("Amy"));
    AppendUser(User("AMY"));
    EXPECT_EQ(FindUserByName("amy"), 1);
}

TEST_F(UserList, FindingComparesChineseCharactersExactly) {
    AppendUser(User(GbkFromUtf8("小明")));
    EXPECT_EQ(FindUserByName(GbkFromUtf8("小明")), 0);
    EXPECT_EQ(FindUserByName(GbkFromUtf8("小红")), -1);
    // Two characters whose second bytes are 'A' and 'a': folding those would make them equal.
    g_arrUsers.clear();
    AppendUser(User("\x81\x41"));
    EXPECT_EQ(FindUserByName("\x81\x61"), -1);
    EXPECT_EQ(FindUserByName("\x81\x41"), 0);
}
