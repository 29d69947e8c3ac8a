// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The user screen's model and painters without a window: the data globals reset, a screen model,
// a layer the size of the screen to paint on, and helpers to add users, type and look at pixels.
#pragma once

#include "gfx/Gbk.h"
#include "gfx/Pictures.h"
#include "users/UserData.h"
#include "users/UserLayout.h"
#include "users/UserScreen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

class CUserScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetUserData();
        const asPICTUREINFO* background = FindPicture(USERS_BACKGROUND_PICTURE);
        ASSERT_EQ(m_Layer.CreateSurface(background->nWidth, background->nHeight), 1);
    }
    void TearDown() override { ResetUserData(); }

    static void ResetUserData() {
        g_arrUsers.clear();
        g_nCurrentUser = -1;
        SetDefaultExerciseSets();
    }
    static int AddUser(const std::string& utf8Name) {
        asUSERINFO user;
        user.strName = GbkFromUtf8(utf8Name);
        return AppendUser(user);
    }
    static std::string Name(int k) { return Utf8FromGbk(g_arrUsers.at(size_t(k)).strName); }

    // Typed bytes reach the name entry one at a time, a two-byte character as two of them.
    void Type(std::string_view utf8) { TypeBytes(GbkFromUtf8(utf8)); }
    void TypeBytes(std::string_view gbk) {
        for (char byte : gbk)
            m_Screen.TypeNameByte(static_cast<unsigned char>(byte), false);
    }

    // The page as painted with the hand at (handX, handY); the hand picture itself is the
    // window's and is not drawn.
    const Surface& Paint(UserPage page, int handX = -1, int handY = -1) {
        PaintUserScreen(m_Layer, m_Screen, page, handX, handY);
        return *m_Layer.m_hBitmap;
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
    // Pixels of rc that differ from the background picture; inside out when there are none.
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

    CUserScreen m_Screen;
    CImageLayer m_Layer;
};
