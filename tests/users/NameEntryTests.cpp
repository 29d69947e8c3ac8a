// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The name entry of a new user: which typed bytes it takes, the 42-byte limit, whole-character
// Backspace, its two notices and OK.
#include "tests/users/UserScreenFixture.h"

namespace {

using NameEntry = CUserScreenTest;

const std::string NAME_TAKEN = GbkFromUtf8("新用户名已经存在，请重新输入！");
const std::string LIST_FULL = GbkFromUtf8("用户数量已满！");

} // namespace

TEST_F(NameEntry, OkMakesTheNewNameANewCurrentUserWithoutResults) {
    AddUser("tom");
    g_nCurrentUser = 0;
    m_Screen.OpenNameEntry();
    EXPECT_TRUE(m_Screen.m_strNotice.empty());
    Type("小红");
    EXPECT_TRUE(m_Screen.ConfirmNewName());
    ASSERT_EQ(g_arrUsers.size(), 2u);
    EXPECT_EQ(Name(1), "小红");
    EXPECT_EQ(g_arrUsers[1].nLastScore, -1);
    EXPECT_EQ(g_nCurrentUser, 1);
}

TEST_F(NameEntry, OkWithAnEmptyNameAddsNobodyAndClosesTheBoard) {
    m_Screen.OpenNameEntry();
    EXPECT_TRUE(m_Screen.ConfirmNewName());
    EXPECT_TRUE(g_arrUsers.empty());
    EXPECT_EQ(g_nCurrentUser, -1);
}

TEST_F(NameEntry, ANameTakenInOtherLetterCaseKeepsTheBoardWithANoticeUntilTheNameChanges) {
    AddUser("Tom");
    g_nCurrentUser = 0;
    m_Screen.OpenNameEntry();
    Type("tOM");
    EXPECT_FALSE(m_Screen.ConfirmNewName());
    EXPECT_EQ(m_Screen.m_strNotice, NAME_TAKEN);
    EXPECT_EQ(m_Screen.m_strNewName, "tOM") << "kept to be corrected";
    EXPECT_EQ(g_arrUsers.size(), 1u);
    EXPECT_EQ(g_nCurrentUser, 0);

    Type("2");
    EXPECT_TRUE(m_Screen.m_strNotice.empty()) << "an accepted character clears it";
    m_Screen.EraseNameCharacter();
    EXPECT_FALSE(m_Screen.ConfirmNewName());
    ASSERT_EQ(m_Screen.m_strNotice, NAME_TAKEN);
    m_Screen.EraseNameCharacter();
    EXPECT_TRUE(m_Screen.m_strNotice.empty()) << "Backspace clears it";
    EXPECT_EQ(m_Screen.m_strNewName, "tO");

    EXPECT_TRUE(m_Screen.ConfirmNewName());
    ASSERT_EQ(g_arrUsers.size(), 2u);
    EXPECT_EQ(Name(1), "tO");
    EXPECT_EQ(g_nCurrentUser, 1);
}

TEST_F(NameEntry, AFullListShowsItsNoticeAndRefusesTypingBackspaceAndOk) {
    for (int k = 0; k < MAX_USERS; ++k)
        AddUser("u" + std::to_string(k));
    m_Screen.OpenNameEntry();
    EXPECT_EQ(m_Screen.m_strNotice, LIST_FULL);
    EXPECT_FALSE(m_Screen.TypeNameByte('x', false));
    Type("中");
    EXPECT_TRUE(m_Screen.m_strNewName.empty());
    m_Screen.EraseNameCharacter();
    EXPECT_EQ(m_Screen.m_strNotice, LIST_FULL) << "Backspace does nothing on a full list";
    EXPECT_TRUE(m_Screen.ConfirmNewName()) << "OK only closes the board";
    EXPECT_EQ(g_arrUsers.size(), size_t(MAX_USERS));
}

TEST_F(NameEntry, ReopeningTheBoardEmptiesTheNameAndTheNotice) {
    AddUser("tom");
    m_Screen.OpenNameEntry();
    Type("tom");
    ASSERT_FALSE(m_Screen.ConfirmNewName());
    ASSERT_FALSE(m_Screen.m_strNotice.empty());
    m_Screen.OpenNameEntry();
    EXPECT_TRUE(m_Screen.m_strNewName.empty());
    EXPECT_TRUE(m_Screen.m_strNotice.empty());

    // A first byte refused for want of room is forgotten too: what comes next is a letter.
    Type(std::string(MAX_NAME_BYTES - 1, 'a'));
    EXPECT_EQ(m_Screen.TypeNameByte(0x81, false), NAME_BYTE_NO_ROOM);
    m_Screen.OpenNameEntry();
    EXPECT_TRUE(m_Screen.TypeNameByte('A', false));
    EXPECT_EQ(m_Screen.m_strNewName, "A");
}

TEST_F(NameEntry, ControlCharactersAndCtrlLettersAreRefused) {
    m_Screen.OpenNameEntry();
    EXPECT_FALSE(m_Screen.TypeNameByte('a', true));
    for (unsigned char control : {'\r', '\b', '\x1B', '\x7F'})
        EXPECT_FALSE(m_Screen.TypeNameByte(control, false)) << int(control);
    EXPECT_TRUE(m_Screen.TypeNameByte(' ', false));
    EXPECT_TRUE(m_Screen.TypeNameByte('~', false));
    EXPECT_EQ(m_Screen.m_strNewName, " ~");
}

TEST_F(NameEntry, ANameOf42BytesAcceptsNoFurtherCharacter) {
    m_Screen.OpenNameEntry();
    Type(std::string(MAX_NAME_BYTES, 'a'));
    EXPECT_EQ(m_Screen.TypeNameByte('b', false), NAME_BYTE_NO_ROOM);
    EXPECT_EQ(m_Screen.m_strNewName, std::string(MAX_NAME_BYTES, 'a'));
    EXPECT_TRUE(m_Screen.ConfirmNewName());
    ASSERT_EQ(g_arrUsers.size(), 1u);
    EXPECT_EQ(g_arrUsers[0].strName.size(), size_t(MAX_NAME_BYTES));
}

TEST_F(NameEntry, ATwoByteCharacterTakesTheLastTwoBytesOrIsRefusedWhole) {
    m_Screen.OpenNameEntry();
    const std::string twoLeft(MAX_NAME_BYTES - 2, 'a');
    Type(twoLeft);
    Type("中");
    EXPECT_EQ(m_Screen.m_strNewName, twoLeft + GbkFromUtf8("中"));

    m_Screen.OpenNameEntry();
    const std::string oneLeft(MAX_NAME_BYTES - 1, 'a');
    Type(oneLeft);
    Type("中");
    EXPECT_EQ(m_Screen.m_strNewName, oneLeft);
    // A character whose second byte lies in the ASCII range leaves nothing behind either.
    TypeBytes("\x81\x40");
    EXPECT_EQ(m_Screen.m_strNewName, oneLeft);
    Type("b");
    EXPECT_EQ(m_Screen.m_strNewName, oneLeft + "b");
}

TEST_F(NameEntry, BackspaceErasesWholeCharactersEvenWhenASecondByteLooksLikeAscii) {
    m_Screen.OpenNameEntry();
    // 0x81 0x40 and 0x81 0x41 are one character each, their second bytes '@' and 'A'; the last
    // 'A' is a letter of its own.
    Type("a中");
    TypeBytes("\x81\x40\x81\x41"
              "A");
    const std::string chinese = GbkFromUtf8("中");
    const std::string after[] = {
        "a" + chinese + "\x81\x40\x81\x41", "a" + chinese + "\x81\x40", "a" + chinese, "a", "", ""};
    for (const std::string& expected : after) {
        m_Screen.EraseNameCharacter();
        EXPECT_EQ(m_Screen.m_strNewName, expected);
    }
}
