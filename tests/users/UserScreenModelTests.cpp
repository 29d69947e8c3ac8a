// The user screen's model on its own: the settings panel following the hand, its arrows and
// boxes, and the name entry's OK; no window is involved.
#include "platform/Gbk.h"
#include "users/UserData.h"
#include "users/UserLayout.h"
#include "users/UserScreen.h"

#include <gtest/gtest.h>

namespace {

struct UserScreenModel : ::testing::Test {
    void SetUp() override {
        g_arrUsers.clear();
        g_nCurrentUser = -1;
        SetDefaultExerciseSets();
    }
    void TearDown() override { SetUp(); }

    // A point inside row k of the settings list.
    static std::pair<int, int> OnRow(int k) { return {UserRow(k).left + 10, UserRow(k).top + 5}; }

    CUserScreen screen;
};

} // namespace

TEST_F(UserScreenModel, ThePanelOpensUnderTheRowStaysWhileTheHandIsOnItAndClosesOffBoth) {
    const auto [rx, ry] = OnRow(2);
    screen.PlacePanel(rx, ry);
    ASSERT_EQ(screen.m_nPanelSet, 2);
    EXPECT_EQ(screen.m_rcPanel.top, UserRow(2).bottom);
    EXPECT_EQ(screen.m_rcPanel.left, UserRow(2).left);
    EXPECT_FALSE(screen.m_rcRangeDown.IsEmpty());
    EXPECT_LT(screen.m_rcRangeDown.right, screen.m_rcRangeUp.left);

    // On the panel (over rows further down) it stays with its set.
    const Rect panel = screen.m_rcPanel;
    screen.PlacePanel(panel.left + 5, panel.bottom - 5);
    EXPECT_EQ(screen.m_rcPanel, panel);
    EXPECT_EQ(screen.m_nPanelSet, 2);

    // On neither a row nor the panel it closes.
    screen.PlacePanel(900, 700);
    EXPECT_TRUE(screen.m_rcPanel.IsEmpty());
}

TEST_F(UserScreenModel, LeavingTheEnteredPanelClosesItOnceAndSaysSo) {
    const auto [rx, ry] = OnRow(0);
    screen.PlacePanel(rx, ry);
    const Rect panel = screen.m_rcPanel;
    EXPECT_FALSE(screen.TrackPanel(rx, ry)) << "not entered yet: the row keeps it";
    EXPECT_FALSE(screen.TrackPanel(panel.left + 5, panel.top + 5));
    EXPECT_TRUE(screen.TrackPanel(900, 700)) << "entered, then left: it closes";
    EXPECT_EQ(screen.m_nPanelSet, -1);
    EXPECT_TRUE(screen.m_rcPanel.IsEmpty());
    EXPECT_FALSE(screen.TrackPanel(900, 700)) << "a closed panel closes nothing";
}

TEST_F(UserScreenModel, ArrowsStepTheLimitIntoRangeAndBoxesSwitchTheirKind) {
    const auto [rx, ry] = OnRow(1);
    screen.PlacePanel(rx, ry);
    const Rect down = screen.m_rcRangeDown, up = screen.m_rcRangeUp;
    EXPECT_EQ(screen.ArrowAt(down.left + 1, down.top + 1), -1);
    EXPECT_EQ(screen.ArrowAt(up.left + 1, up.top + 1), +1);
    EXPECT_EQ(screen.ArrowAt(rx, ry), 0);

    g_ExerciseSets[1].nRange = 250; // from an edited file
    screen.ReleasePanel(up.left + 1, up.top + 1);
    EXPECT_EQ(g_ExerciseSets[1].nRange, RANGE_MAX);
    g_ExerciseSets[1].nRange = -7;
    screen.ReleasePanel(down.left + 1, down.top + 1);
    EXPECT_EQ(g_ExerciseSets[1].nRange, RANGE_MIN);
    screen.StepPanelRange(+1);
    EXPECT_EQ(g_ExerciseSets[1].nRange, RANGE_MIN + 1);

    const uint32_t before = g_ExerciseSets[1].nOperations;
    const Rect box = OperationBox(screen.m_rcPanel, 3);
    screen.ReleasePanel(box.left + 1, box.top + 1);
    EXPECT_EQ(g_ExerciseSets[1].nOperations, before ^ OP_CHAIN_SUBTRACT);
    EXPECT_EQ(g_ExerciseSets[0].nOperations, before) << "only the panel's own set changes";

    screen.PlacePanel(900, 700);
    screen.ReleasePanel(box.left + 1, box.top + 1);
    EXPECT_EQ(g_ExerciseSets[1].nOperations, before ^ OP_CHAIN_SUBTRACT) << "closed: no effect";
    EXPECT_EQ(screen.ArrowAt(up.left + 1, up.top + 1), 0);
}

TEST_F(UserScreenModel, OkAddsANewCurrentUserAndKeepsTheBoardForATakenName) {
    asUSERINFO tom;
    tom.strName = "Tom";
    AppendUser(tom);
    g_nCurrentUser = 0;

    screen.OpenNameEntry();
    EXPECT_TRUE(screen.m_strNotice.empty());
    for (char c : std::string("tOM"))
        ASSERT_TRUE(screen.TypeNameByte(static_cast<unsigned char>(c), false));
    EXPECT_FALSE(screen.ConfirmNewName()) << "names differ only in case: taken";
    EXPECT_EQ(screen.m_strNotice, GbkFromUtf8("新用户名已经存在，请重新输入！"));
    EXPECT_EQ(screen.m_strNewName, "tOM") << "kept to be corrected";
    EXPECT_EQ(g_arrUsers.size(), 1u);

    screen.EraseNameCharacter();
    EXPECT_TRUE(screen.m_strNotice.empty());
    EXPECT_TRUE(screen.ConfirmNewName());
    ASSERT_EQ(g_arrUsers.size(), 2u);
    EXPECT_EQ(g_arrUsers[1].strName, "tO");
    EXPECT_EQ(g_nCurrentUser, 1);

    screen.OpenNameEntry();
    EXPECT_TRUE(screen.m_strNewName.empty());
    EXPECT_TRUE(screen.ConfirmNewName()) << "an empty name adds nobody and closes the board";
    EXPECT_EQ(g_arrUsers.size(), 2u);
}
