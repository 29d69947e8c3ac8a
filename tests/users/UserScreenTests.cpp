// The user management screen: choosing and deleting users, the user list, the current-user
// line and the button highlights, seen through the real handlers and the painted frame.
#include "tests/users/UserScreenFixture.h"

namespace {

constexpr int CHANGE_USER_X = 780, CHANGE_USER_Y = 580;
constexpr int DELETE_USER_X = 350, DELETE_USER_Y = 500;

// A point on user row k, away from where its text is drawn.
int RowY(int k) {
    return UserRow(k).top + 17;
}

struct UserScreenListTest : UserScreenTest {
    void SetUp() override {
        UserScreenTest::SetUp();
        AddUser("Anna");
        AddUser("Tom");
        AddUser("小明");
    }
};

// The right end of the embossed face colour in rc.
int FaceRight(const Surface& frame, const Rect& rc) {
    int right = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            if (UserScreenTest::PixelAt(frame, x, y) == EMBOSSED_TEXT_COLOR)
                right = std::max(right, x + 1);
    return right;
}

} // namespace

TEST_F(UserScreenListTest, ChoosingARowMakesThatUserCurrentAndTheSubScreenStays) {
    Click(CHANGE_USER_X, CHANGE_USER_Y);
    ASSERT_EQ(wnd.m_nScreenState, SCREEN_USERS_CHOOSE);
    Click(300, RowY(2));
    EXPECT_EQ(g_nCurrentUser, 2);
    Click(700, RowY(1));
    EXPECT_EQ(g_nCurrentUser, 1);
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_USERS_CHOOSE);
    Click(300, RowY(3)); // below the last row
    EXPECT_EQ(g_nCurrentUser, 1);
    Click(CHANGE_USER_X, CHANGE_USER_Y);
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_USERS);
}

TEST_F(UserScreenListTest, DeletingTheCurrentUserMakesTheFirstCurrent) {
    g_nCurrentUser = 1;
    Click(DELETE_USER_X, DELETE_USER_Y);
    ASSERT_EQ(wnd.m_nScreenState, SCREEN_USERS_DELETE);
    Click(500, RowY(1));
    ASSERT_EQ(g_arrUsers.size(), 2u);
    EXPECT_EQ(Name(1), "小明");
    EXPECT_EQ(g_nCurrentUser, 0);
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_USERS_DELETE);
}

TEST_F(UserScreenListTest, DeletingAnEarlierUserKeepsTheSamePersonCurrent) {
    g_nCurrentUser = 2;
    Click(DELETE_USER_X, DELETE_USER_Y);
    Click(500, RowY(0));
    ASSERT_EQ(g_arrUsers.size(), 2u);
    EXPECT_EQ(g_nCurrentUser, 1);
    EXPECT_EQ(Name(g_nCurrentUser), "小明");
}

TEST_F(UserScreenListTest, AClickBelowTheLastRowDeletesNobody) {
    g_nCurrentUser = 2;
    Click(DELETE_USER_X, DELETE_USER_Y);
    Click(500, RowY(3));
    Click(100, 300); // off the rows to the left
    EXPECT_EQ(g_arrUsers.size(), 3u);
    EXPECT_EQ(g_nCurrentUser, 2);
}

TEST_F(UserScreenListTest, DeletingEveryUserLeavesMinusOneAndRemovesTheCurrentUserLine) {
    Click(DELETE_USER_X, DELETE_USER_Y);
    ASSERT_GT(CountColor(Screen(), g_rcCurrentUser, EMBOSSED_TEXT_COLOR), 0);
    for (int left = 3; left > 0; --left)
        Click(500, RowY(0));
    EXPECT_TRUE(g_arrUsers.empty());
    EXPECT_EQ(g_nCurrentUser, -1);
    const Surface& frame = Screen();
    EXPECT_EQ(CountColor(frame, g_rcCurrentUser, EMBOSSED_TEXT_COLOR), 0);
    EXPECT_EQ(ChangedBox(frame, UserRow(0)), (Rect{774, 215, 250, 180})) << "nothing drawn";
    Click(500, RowY(0)); // no users: nothing happens
    EXPECT_EQ(g_nCurrentUser, -1);
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_USERS_DELETE);
}

TEST_F(UserScreenListTest, CurrentUserLineIsEmbossedWithTheName) {
    const Surface& frame = Screen();
    const Rect rc = g_rcCurrentUser;
    // Face and shadow colours both appear, and the shadow lies one pixel down and right.
    EXPECT_GT(CountColor(frame, rc, EMBOSSED_TEXT_COLOR), 50);
    int shadowed = 0;
    for (int y = rc.top; y + 1 < rc.bottom; ++y)
        for (int x = rc.left; x + 1 < rc.right; ++x)
            if (PixelAt(frame, x, y) == EMBOSSED_TEXT_COLOR)
                shadowed += PixelAt(frame, x + 1, y + 1) == COLOR_BLACK;
    EXPECT_GT(shadowed, 10);
    const Rect text = ChangedBox(frame, rc);
    EXPECT_LE(text.left, rc.left + 2) << "aligned left";

    // A longer name reaches further right.
    g_arrUsers[0].strName = GbkFromUtf8("Anna Anna Anna");
    EXPECT_GT(ChangedBox(Screen(), rc).right, text.right + 40);
}

TEST_F(UserScreenTest, WithoutUsersThereIsNoCurrentUserLine) {
    const Surface& frame = Screen();
    EXPECT_EQ(ChangedBox(frame, g_rcCurrentUser), (Rect{496, 602, 206, 563}));
}

TEST_F(UserScreenListTest, PointedRowGoesLeftCurrentUserCentreAndOthersRight) {
    g_nCurrentUser = 1;
    Click(CHANGE_USER_X, CHANGE_USER_Y);
    wnd.OnMouseMove(700, RowY(2), 0);
    const Surface& frame = Screen();
    const Rect anna = ChangedBox(frame, UserRow(0));
    const Rect tom = ChangedBox(frame, UserRow(1));
    const Rect ming = ChangedBox(frame, UserRow(2));
    EXPECT_GE(anna.right, 770);
    EXPECT_GT(anna.left, 600);
    EXPECT_NEAR((tom.left + tom.right) / 2, 512, 4);
    EXPECT_LE(ming.left, 252);
    EXPECT_LT(ming.right, 400);
}

TEST_F(UserScreenListTest, SubScreensKeepTheirButtonLit) {
    Click(CHANGE_USER_X, CHANGE_USER_Y);
    wnd.OnMouseMove(600, 700, 0);
    EXPECT_TRUE(ShowsPicture(Screen(), CHANGE_USER_HOVER_PICTURE, 740, 566));
    Click(CHANGE_USER_X, CHANGE_USER_Y);
    Click(DELETE_USER_X, DELETE_USER_Y);
    wnd.OnMouseMove(600, 700, 0);
    EXPECT_TRUE(ShowsPicture(Screen(), DELETE_USER_HOVER_PICTURE, 317, 491));
    EXPECT_FALSE(ShowsPicture(Screen(), CHANGE_USER_HOVER_PICTURE, 740, 566));
}

TEST_F(UserScreenTest, MainViewLightsOnlyTheButtonUnderThePointer) {
    const struct {
        Rect rc;
        int picture;
    } buttons[] = {{g_rcUserButtons[0], NEW_USER_HOVER_PICTURE},
                   {g_rcUserButtons[1], DELETE_USER_HOVER_PICTURE},
                   {g_rcUserButtons[2], VIEW_SCORES_HOVER_PICTURE},
                   {g_rcUserButtons[3], DEFAULT_SETTINGS_HOVER_PICTURE},
                   {g_rcChangeUser, CHANGE_USER_HOVER_PICTURE}};
    for (const auto& pointed : buttons) {
        wnd.OnMouseMove(pointed.rc.left + 5, pointed.rc.top + 5, 0);
        const Surface& frame = Screen();
        for (const auto& button : buttons)
            EXPECT_EQ(ShowsPicture(frame, button.picture, button.rc.left, button.rc.top),
                      &button == &pointed)
                << "picture " << button.picture;
    }
}

TEST_F(UserScreenTest, NameBoardShowsTheTypedNameTheCaretAndTheNotice) {
    AddUser("tom");
    Click(250, 500);
    wnd.OnMouseMove(700, 380, 0);
    const Surface& empty = Screen();
    EXPECT_TRUE(ShowsPicture(empty, NEW_USER_HOVER_PICTURE, 206, 491));
    EXPECT_TRUE(ShowsPicture(empty, NAME_OK_HOVER_PICTURE, 678, 366));
    EXPECT_FALSE(ShowsPicture(empty, NAME_CANCEL_HOVER_PICTURE, 585, 366));
    // Only the caret: a narrow embossed mark at the left of the field.
    const int caretRight = FaceRight(empty, g_rcNameText);
    EXPECT_GT(caretRight, g_rcNameText.left);
    EXPECT_LT(caretRight, g_rcNameText.left + 25);

    Type("tom");
    Click(700, 380);
    ASSERT_FALSE(wnd.m_UserScreen.m_strNotice.empty());
    const Surface& frame = Screen();
    EXPECT_GT(FaceRight(frame, g_rcNameText), caretRight + 20) << "name before the caret";
    EXPECT_GT(CountColor(frame, g_rcNameNotice, COLOR_BLACK), 30) << "black notice";
    EXPECT_EQ(CountColor(frame, g_rcNameNotice, EMBOSSED_TEXT_COLOR), 0) << "not embossed";
}
