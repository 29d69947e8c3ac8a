// A window opened on the user management screen, with helpers to add users, type and look at
// the composed frame.
#pragma once

#include "exercise/ExerciseLayout.h"
#include "platform/Gbk.h"
#include "platform/Pictures.h"
#include "tests/app/WindowTestSupport.h"
#include "users/UserLayout.h"
#include "users/UserScreen.h"

#include <string>

struct UserScreenTest : WindowTest {
    void SetUp() override {
        WindowTest::SetUp();
        wnd.m_nScreenState = SCREEN_USERS;
    }

    static int AddUser(const std::string& utf8Name) {
        asUSERINFO user;
        user.strName = GbkFromUtf8(utf8Name);
        return AppendUser(user);
    }
    static std::string Name(int k) { return Utf8FromGbk(g_arrUsers.at(size_t(k)).strName); }

    void Type(std::string_view utf8) {
        for (char byte : GbkFromUtf8(utf8))
            wnd.OnChar(static_cast<unsigned char>(byte), false);
    }
    void TypeBytes(std::string_view gbk) {
        for (char byte : gbk)
            wnd.OnChar(static_cast<unsigned char>(byte), false);
    }

    // The user screen's own painting, without the hand picture that follows the pointer; the
    // panel first follows the hand, as the handlers have it do before they repaint.
    const Surface& Screen() {
        if (wnd.m_nScreenState == SCREEN_USERS)
            wnd.m_UserScreen.PlacePanel(wnd.m_nHandX, wnd.m_nHandY);
        PaintUserScreen(wnd, wnd.m_UserScreen, UserPageOf(wnd.m_nScreenState), wnd.m_nHandX,
                        wnd.m_nHandY);
        return *wnd.m_hBitmap;
    }

    static Color PixelAt(const Surface& frame, int x, int y) {
        return frame.GetPixel(x, y) & 0xFFFFFF;
    }
    static int CountColor(const Surface& frame, const Rect& rc, Color color) {
        int count = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                count += PixelAt(frame, x, y) == color;
        return count;
    }
    // Pixels of rc that differ from the background picture.
    static Rect ChangedBox(const Surface& frame, const Rect& rc) {
        const asPICTUREINFO* background = FindPicture(USERS_BACKGROUND_PICTURE);
        Rect box{rc.right, rc.bottom, rc.left, rc.top};
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                if (PixelAt(frame, x, y) != (background->View().At(x, y) & 0xFFFFFF))
                    box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                           std::max(box.bottom, y + 1)};
        return box;
    }
    // True when the picture's pixels lie in the frame with its top left corner at (x, y).
    static bool ShowsPicture(const Surface& frame, int id, int x, int y) {
        const asPICTUREINFO* picture = FindPicture(id);
        for (int py = 0; py < picture->nHeight; ++py)
            for (int px = 0; px < picture->nWidth; ++px)
                if (PixelAt(frame, x + px, y + py) != (picture->View().At(px, py) & 0xFFFFFF))
                    return false;
        return true;
    }
};
