// The name entry of a new user: typed bytes, the 42-byte limit, whole-character Backspace and OK.
#include "tests/users/UserScreenFixture.h"

namespace {

constexpr int NEW_USER_X = 220, NEW_USER_Y = 500; // left of any open panel
constexpr int OK_X = 700, OK_Y = 380;

struct NameEntryTest : UserScreenTest {
    void OpenBoard() {
        Click(NEW_USER_X, NEW_USER_Y);
        ASSERT_EQ(wnd.m_nScreenState, SCREEN_USERS_NEWNAME);
    }
};

const std::string NAME_TAKEN = GbkFromUtf8("新用户名已经存在，请重新输入！");
const std::string LIST_FULL = GbkFromUtf8("用户数量已满！");

} // namespace

TEST_F(NameEntryTest, NewNameIsAddedAsCurrentUserAndTextInputEnds) {
    AddUser("tom");
    OpenBoard();
    EXPECT_TRUE(host.m_bTextInput);
    Type("小红");
    Click(OK_X, OK_Y);
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_USERS);
    ASSERT_EQ(g_arrUsers.size(), 2u);
    EXPECT_EQ(Name(1), "小红");
    EXPECT_EQ(g_arrUsers[1].nLastScore, -1);
    EXPECT_EQ(g_nCurrentUser, 1);
    EXPECT_FALSE(host.m_bTextInput);
}

TEST_F(NameEntryTest, SameNameInOtherLetterCaseShowsTheNoticeAndKeepsTheTypedName) {
    AddUser("tom");
    OpenBoard();
    Type("Tom");
    Click(OK_X, OK_Y);
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_USERS_NEWNAME);
    EXPECT_EQ(wnd.m_UserScreen.m_strNotice, NAME_TAKEN);
    EXPECT_EQ(wnd.m_UserScreen.m_strNewName, "Tom");
    EXPECT_EQ(g_arrUsers.size(), 1u);
    EXPECT_TRUE(host.m_bTextInput);

    // The next accepted character clears the notice, and the corrected name goes in.
    Type("2");
    EXPECT_TRUE(wnd.m_UserScreen.m_strNotice.empty());
    Click(OK_X, OK_Y);
    ASSERT_EQ(g_arrUsers.size(), 2u);
    EXPECT_EQ(Name(1), "Tom2");
}

TEST_F(NameEntryTest, OkWithAnEmptyNameReturnsWithoutAUser) {
    OpenBoard();
    Click(OK_X, OK_Y);
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_USERS);
    EXPECT_TRUE(g_arrUsers.empty());
    EXPECT_FALSE(host.m_bTextInput);
}

TEST_F(NameEntryTest, FullListShowsTheNoticeRefusesTypingAndOkReturns) {
    for (int k = 0; k < MAX_USERS; ++k)
        AddUser("u" + std::to_string(k));
    OpenBoard();
    EXPECT_EQ(wnd.m_UserScreen.m_strNotice, LIST_FULL);
    Type("x中");
    wnd.OnKeyDown(VK_BACK);
    EXPECT_TRUE(wnd.m_UserScreen.m_strNewName.empty());
    EXPECT_EQ(wnd.m_UserScreen.m_strNotice, LIST_FULL) << "Backspace does nothing on a full list";
    Click(OK_X, OK_Y);
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_USERS);
    EXPECT_EQ(g_arrUsers.size(), size_t(MAX_USERS));
}

TEST_F(NameEntryTest, ReopeningTheBoardEmptiesNameAndNotice) {
    AddUser("tom");
    OpenBoard();
    Type("tom");
    Click(OK_X, OK_Y);
    ASSERT_FALSE(wnd.m_UserScreen.m_strNotice.empty());
    Click(630, 380); // cancel
    OpenBoard();
    EXPECT_TRUE(wnd.m_UserScreen.m_strNewName.empty());
    EXPECT_TRUE(wnd.m_UserScreen.m_strNotice.empty());
}

TEST_F(NameEntryTest, ControlCharactersAndCtrlLettersAreIgnored) {
    OpenBoard();
    wnd.OnChar('a', true);
    wnd.OnChar('\r', false);
    wnd.OnChar('\b', false);
    wnd.OnChar(0x7F, false);
    wnd.OnChar(' ', false);
    wnd.OnChar('~', false);
    EXPECT_EQ(wnd.m_UserScreen.m_strNewName, " ~");
}

TEST_F(NameEntryTest, AnAcceptedByteIsShownAtOnce) {
    OpenBoard();
    const int before = host.m_nPresents;
    wnd.OnChar('a', false);
    EXPECT_EQ(host.m_nPresents, before + 1);
    wnd.OnChar('a', true); // refused: no repaint
    EXPECT_EQ(host.m_nPresents, before + 1);
}

TEST_F(NameEntryTest, NameOf42BytesAcceptsNoFurtherCharacter) {
    OpenBoard();
    Type(std::string(MAX_NAME_BYTES, 'a'));
    Type("b");
    EXPECT_EQ(wnd.m_UserScreen.m_strNewName, std::string(MAX_NAME_BYTES, 'a'));
    Click(OK_X, OK_Y);
    ASSERT_EQ(g_arrUsers.size(), 1u);
    EXPECT_EQ(g_arrUsers[0].strName.size(), size_t(MAX_NAME_BYTES));
}

TEST_F(NameEntryTest, BackspaceAfterAChineseCharacterRemovesBothBytes) {
    OpenBoard();
    Type("a中");
    ASSERT_EQ(wnd.m_UserScreen.m_strNewName.size(), 3u);
    wnd.OnKeyDown(VK_BACK);
    EXPECT_EQ(wnd.m_UserScreen.m_strNewName, "a");
    wnd.OnKeyDown(VK_BACK);
    EXPECT_TRUE(wnd.m_UserScreen.m_strNewName.empty());
    wnd.OnKeyDown(VK_BACK); // nothing left: no harm
    EXPECT_TRUE(wnd.m_UserScreen.m_strNewName.empty());
}

TEST_F(NameEntryTest, BackspaceRemovesACharacterWhoseSecondByteLooksLikeAscii) {
    OpenBoard();
    // 0x81 0x40 is one character; its second byte is '@'. Then 0x41 is a letter A of its own.
    TypeBytes("\x81\x40\x81\x41");
    TypeBytes("A");
    wnd.OnKeyDown(VK_BACK);
    EXPECT_EQ(wnd.m_UserScreen.m_strNewName, "\x81\x40\x81\x41");
    wnd.OnKeyDown(VK_BACK);
    EXPECT_EQ(wnd.m_UserScreen.m_strNewName, "\x81\x40");
    wnd.OnKeyDown(VK_BACK);
    EXPECT_TRUE(wnd.m_UserScreen.m_strNewName.empty());
}

TEST_F(NameEntryTest, BackspaceClearsTheNotice) {
    AddUser("tom");
    OpenBoard();
    Type("tom");
    Click(OK_X, OK_Y);
    ASSERT_EQ(wnd.m_UserScreen.m_strNotice, NAME_TAKEN);
    wnd.OnKeyDown(VK_BACK);
    EXPECT_TRUE(wnd.m_UserScreen.m_strNotice.empty());
    EXPECT_EQ(wnd.m_UserScreen.m_strNewName, "to");
}

TEST_F(NameEntryTest, TwoByteCharacterWithOnlyOneByteOfRoomIsRefusedWhole) {
    OpenBoard();
    const std::string start(MAX_NAME_BYTES - 1, 'a');
    Type(start);
    Type("中");
    EXPECT_EQ(wnd.m_UserScreen.m_strNewName, start);
    // A character whose second byte lies in the ASCII range leaves nothing behind either.
    TypeBytes("\x81\x40");
    EXPECT_EQ(wnd.m_UserScreen.m_strNewName, start);
    Type("b");
    EXPECT_EQ(wnd.m_UserScreen.m_strNewName, start + "b");
}

TEST_F(NameEntryTest, TwoByteCharacterFillsTheLastTwoBytes) {
    OpenBoard();
    const std::string start(MAX_NAME_BYTES - 2, 'a');
    Type(start);
    Type("中");
    EXPECT_EQ(wnd.m_UserScreen.m_strNewName, start + GbkFromUtf8("中"));
}
