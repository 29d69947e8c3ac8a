// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the user screen's pages paint: the current-user line, the user list, the button
// highlights and the name board.
#include "tests/users/UserScreenFixture.h"

namespace {

// A point on user row k, away from where its text is drawn.
int RowY(int k) {
    return UserRow(k).top + 17;
}

struct UserScreenPainting : CUserScreenTest {
    // The right end of the embossed face colour in rc.
    static int FaceRight(const Surface& frame, const Rect& rc) {
        int right = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                if (PixelAt(frame, x, y) == EMBOSSED_TEXT_COLOR) right = std::max(right, x + 1);
        return right;
    }
};

} // namespace

TEST_F(UserScreenPainting, TheCurrentUserLineIsEmbossedWithTheName) {
    AddUser("Anna");
    g_nCurrentUser = 0;
    const Surface& frame = Paint(USER_PAGE_MAIN);
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
    EXPECT_GT(ChangedBox(Paint(USER_PAGE_MAIN), rc).right, text.right + 40);
}

TEST_F(UserScreenPainting, WithoutUsersThereIsNoCurrentUserLineAndNoUserRow) {
    for (int current : {-1, 0}) { // 0: a current index left over from a deleted user
        g_nCurrentUser = current;
        EXPECT_EQ(ChangedBox(Paint(USER_PAGE_MAIN), g_rcCurrentUser), (Rect{496, 602, 206, 563}))
            << "nothing drawn, current " << current;
        const Surface& frame = Paint(USER_PAGE_DELETE, 500, RowY(0));
        EXPECT_EQ(CountColor(frame, g_rcCurrentUser, EMBOSSED_TEXT_COLOR), 0) << current;
        EXPECT_EQ(ChangedBox(frame, UserRow(0)), (Rect{774, 215, 250, 180}))
            << "nothing drawn, current " << current;
    }
}

TEST_F(UserScreenPainting, ThePointedRowGoesLeftTheCurrentUserCentreAndTheOthersRight) {
    AddUser("Anna");
    AddUser("Tom");
    AddUser("小明");
    g_nCurrentUser = 1;
    for (UserPage page : {USER_PAGE_CHOOSE, USER_PAGE_DELETE}) {
        const Surface& frame = Paint(page, 700, RowY(2));
        const Rect anna = ChangedBox(frame, UserRow(0));
        const Rect tom = ChangedBox(frame, UserRow(1));
        const Rect ming = ChangedBox(frame, UserRow(2));
        EXPECT_GE(anna.right, 770) << page;
        EXPECT_GT(anna.left, 600) << page;
        EXPECT_NEAR((tom.left + tom.right) / 2, 512, 4) << page;
        EXPECT_LE(ming.left, 252) << page;
        EXPECT_LT(ming.right, 400) << page;
    }
}

TEST_F(UserScreenPainting, TheChooseAndDeletePagesKeepTheirButtonLit) {
    const Surface& choose = Paint(USER_PAGE_CHOOSE, 600, 700);
    EXPECT_TRUE(ShowsPicture(choose, CHANGE_USER_HOVER_PICTURE, 740, 566));
    EXPECT_FALSE(ShowsPicture(choose, DELETE_USER_HOVER_PICTURE, 317, 491));
    const Surface& remove = Paint(USER_PAGE_DELETE, 600, 700);
    EXPECT_TRUE(ShowsPicture(remove, DELETE_USER_HOVER_PICTURE, 317, 491));
    EXPECT_FALSE(ShowsPicture(remove, CHANGE_USER_HOVER_PICTURE, 740, 566));
}

TEST_F(UserScreenPainting, TheMainPageLightsOnlyTheButtonUnderTheHand) {
    const struct {
        Rect rc;
        int picture;
    } buttons[] = {{g_rcUserButtons[0], NEW_USER_HOVER_PICTURE},
                   {g_rcUserButtons[1], DELETE_USER_HOVER_PICTURE},
                   {g_rcUserButtons[2], VIEW_SCORES_HOVER_PICTURE},
                   {g_rcUserButtons[3], DEFAULT_SETTINGS_HOVER_PICTURE},
                   {g_rcChangeUser, CHANGE_USER_HOVER_PICTURE}};
    for (const auto& pointed : buttons) {
        const Surface& frame = Paint(USER_PAGE_MAIN, pointed.rc.left + 5, pointed.rc.top + 5);
        for (const auto& button : buttons)
            EXPECT_EQ(ShowsPicture(frame, button.picture, button.rc.left, button.rc.top),
                      &button == &pointed)
                << "picture " << button.picture;
    }
}

TEST_F(UserScreenPainting, TheNameBoardShowsTheTypedNameTheCaretAndTheNotice) {
    AddUser("tom");
    m_Screen.OpenNameEntry();
    const Surface& empty = Paint(USER_PAGE_NEW_NAME, 700, 380);
    EXPECT_TRUE(ShowsPicture(empty, NEW_USER_HOVER_PICTURE, 206, 491));
    EXPECT_TRUE(ShowsPicture(empty, NAME_OK_HOVER_PICTURE, 678, 366));
    EXPECT_FALSE(ShowsPicture(empty, NAME_CANCEL_HOVER_PICTURE, 585, 366));
    // Only the caret: a narrow embossed mark at the left of the field.
    const int caretRight = FaceRight(empty, g_rcNameText);
    EXPECT_GT(caretRight, g_rcNameText.left);
    EXPECT_LT(caretRight, g_rcNameText.left + 25);

    Type("tom");
    ASSERT_FALSE(m_Screen.ConfirmNewName());
    const Surface& frame = Paint(USER_PAGE_NEW_NAME, 600, 380);
    EXPECT_TRUE(ShowsPicture(frame, NAME_CANCEL_HOVER_PICTURE, 585, 366));
    EXPECT_FALSE(ShowsPicture(frame, NAME_OK_HOVER_PICTURE, 678, 366));
    EXPECT_GT(FaceRight(frame, g_rcNameText), caretRight + 20) << "name before the caret";
    EXPECT_GT(CountColor(frame, g_rcNameNotice, COLOR_BLACK), 30) << "black notice";
    EXPECT_EQ(CountColor(frame, g_rcNameNotice, EMBOSSED_TEXT_COLOR), 0) << "not embossed";
}
