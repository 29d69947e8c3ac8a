// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The name entry of a new user: opening the board, typed bytes (and why one is refused),
// Backspace and OK.
#include "gfx/Gbk.h"
#include "platform/Translate.h"
#include "users/UserData.h"
#include "users/UserScreen.h"

namespace {

bool ListIsFull() {
    return int(g_arrUsers.size()) >= MAX_USERS;
}

// Where the last character of a GBK string starts.
size_t LastCharacterStart(const std::string& gbk) {
    size_t last = 0;
    for (size_t i = 0; i < gbk.size(); i += GbkCharacterSize(gbk, i))
        last = i;
    return last;
}

// True when the string ends in the first byte of a character whose second byte is still due.
bool AwaitsSecondByte(const std::string& gbk) {
    if (gbk.empty()) return false;
    const size_t last = LastCharacterStart(gbk);
    return last + 1 == gbk.size() && IsGbkLeadByte(static_cast<unsigned char>(gbk[last]));
}

constexpr bool IsGbkTrailByte(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

} // namespace

void CUserScreen::OpenNameEntry() {
    static const std::string listFull = GbkFromUtf8(Tr("用户数量已满！"));
    m_strNotice = ListIsFull() ? listFull : std::string();
    m_strNewName.clear();
    m_bSkipTrailByte = 0;
    m_nRefusal = NAME_REFUSAL_NONE;
}

bool CUserScreen::ConfirmNewName() {
    static const std::string nameTaken = GbkFromUtf8(Tr("新用户名已经存在，请重新输入！"));
    if (m_strNewName.empty() || ListIsFull()) return true;
    if (FindUserByName(m_strNewName) >= 0) {
        m_strNotice = nameTaken; // the typed name stays so that it can be corrected
        return false;
    }
    asUSERINFO user;
    user.strName = m_strNewName;
    g_nCurrentUser = AppendUser(user);
    return true;
}

// The platform delivers a two-byte character as two calls in a row. A first byte that would
// leave no room for its second is refused, and so is that second byte when it arrives, so the
// name never ends in half a character.
NameByte CUserScreen::TypeNameByte(unsigned char byte, bool ctrlHeld) {
    if (ListIsFull()) return NAME_BYTE_IGNORED;
    if (m_bSkipTrailByte) {
        m_bSkipTrailByte = 0;
        if (IsGbkTrailByte(byte)) return NAME_BYTE_IGNORED;
    }
    const bool secondByte = AwaitsSecondByte(m_strNewName);
    if (secondByte) {
        if (!IsGbkTrailByte(byte)) return NAME_BYTE_IGNORED;
    } else if (byte < 0x80 && (byte < 0x20 || byte > 0x7E || ctrlHeld)) {
        return NAME_BYTE_IGNORED;
    }
    const int room = MAX_NAME_BYTES - int(m_strNewName.size());
    if (room <= 0 || (!secondByte && IsGbkLeadByte(byte) && room < 2)) {
        m_bSkipTrailByte = IsGbkLeadByte(byte); // its second byte is no character of its own
        m_nRefusal = NAME_REFUSAL_NO_ROOM;
        return NAME_BYTE_NO_ROOM;
    }
    m_strNotice.clear();
    m_nRefusal = NAME_REFUSAL_NONE;
    m_strNewName.push_back(char(byte));
    return NAME_BYTE_TAKEN;
}

bool CUserScreen::RefuseCharacter() {
    if (ListIsFull()) return false;
    m_nRefusal = NAME_REFUSAL_NO_FORM;
    return true;
}

void CUserScreen::EraseNameCharacter() {
    if (ListIsFull()) return;
    if (!m_strNewName.empty()) m_strNewName.erase(LastCharacterStart(m_strNewName));
    m_bSkipTrailByte = 0;
    m_strNotice.clear();
    m_nRefusal = NAME_REFUSAL_NONE;
}
