// The name entry of a new user: opening the board, typed bytes, Backspace and OK.
#include "app/CSumoraWnd.h"
#include "platform/Gbk.h"
#include "users/UserData.h"

namespace {

bool ListIsFull() {
    return int(g_arrUsers.size()) >= MAX_USERS;
}

// Where the last character of a GBK string starts, walking from the front so that a second
// byte that looks like ASCII is never taken for a character of its own.
size_t LastCharacterStart(const std::string& gbk) {
    size_t last = 0;
    for (size_t i = 0; i < gbk.size();) {
        last = i;
        i += (IsGbkLeadByte(static_cast<unsigned char>(gbk[i])) && i + 1 < gbk.size()) ? 2 : 1;
    }
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

void CSumoraWnd::OpenNameEntry() {
    static const std::string listFull = GbkFromUtf8("用户数量已满！");
    m_strNotice = ListIsFull() ? listFull : std::string();
    m_strNewName.clear();
    m_bSkipTrailByte = 0;
    m_nScreenState = SCREEN_USERS_NEWNAME;
    Host().EnableTextInput(true);
}

void CSumoraWnd::ConfirmNewName() {
    static const std::string nameTaken = GbkFromUtf8("新用户名已经存在，请重新输入！");
    if (!m_strNewName.empty() && !ListIsFull()) {
        if (FindUserByName(m_strNewName) >= 0) {
            m_strNotice = nameTaken; // the typed name stays so that it can be corrected
            return;
        }
        asUSERINFO user;
        user.strName = m_strNewName;
        g_nCurrentUser = AppendUser(user);
    }
    Host().EnableTextInput(false);
    m_nScreenState = SCREEN_USERS;
}

// The platform delivers a two-byte character as two calls in a row. A first byte that would
// leave no room for its second is refused, and so is that second byte when it arrives, so the
// name never ends in half a character.
void CSumoraWnd::TypeNameByte(unsigned char byte, bool ctrlHeld) {
    if (ListIsFull()) return;
    if (m_bSkipTrailByte) {
        m_bSkipTrailByte = 0;
        if (IsGbkTrailByte(byte)) return;
    }
    const bool secondByte = AwaitsSecondByte(m_strNewName);
    if (secondByte) {
        if (!IsGbkTrailByte(byte)) return;
    } else if (byte < 0x80 && (byte < 0x20 || byte > 0x7E || ctrlHeld)) {
        return;
    }
    const int room = MAX_NAME_BYTES - int(m_strNewName.size());
    if (room <= 0) return;
    if (!secondByte && IsGbkLeadByte(byte) && room < 2) {
        m_bSkipTrailByte = 1;
        return;
    }
    m_strNotice.clear();
    m_strNewName.push_back(char(byte));
    RedrawWindow();
}

void CSumoraWnd::EraseNameCharacter() {
    if (ListIsFull()) return;
    if (!m_strNewName.empty()) m_strNewName.erase(LastCharacterStart(m_strNewName));
    m_bSkipTrailByte = 0;
    m_strNotice.clear();
}
