// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Every text the game draws itself, in English through the built catalogue, fits the box its
// painter draws it in, at the painter's size and weight.
#include "app/Language.h"
#include "app/TitleScreen.h"
#include "exercise/Certificate.h"
#include "exercise/ExerciseLayout.h"
#include "exercise/ExerciseScreen.h"
#include "gfx/Gbk.h"
#include "gfx/Text.h"
#include "platform/Translate.h"
#include "users/UserLayout.h"
#include "users/UserScreen.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

class EnglishTextFit : public testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string error;
        ASSERT_TRUE(InitTextRenderer(error)) << error;
        // The painters keep their texts from the first call: none has been made before this.
        ASSERT_EQ(UseDesktopLanguage({"en", "", "", ""}), "en");
    }
};

// A whole text in English; a row whose text the code no longer marks fails here.
std::string English(const char* chinese) {
    const std::string english = Tr(chinese);
    EXPECT_NE(english, chinese) << "no English for " << chinese;
    return GbkFromUtf8(english);
}

// The lines DT_WORDBREAK gives text in width, broken at spaces; 0 when a word is cut.
int WrappedLines(const std::string& gbk, int width, int weight, int height) {
    std::istringstream words(gbk);
    std::string word, line;
    int lines = 0;
    while (words >> word) {
        if (GbkTextWidth(word, weight, height) > width) return 0;
        const std::string longer = line.empty() ? word : line + " " + word;
        if (GbkTextWidth(longer, weight, height) <= width) {
            line = longer;
        } else {
            ++lines;
            line = word;
        }
    }
    return lines + (line.empty() ? 0 : 1);
}

TEST_F(EnglishTextFit, EveryOneLineTextFitsItsBox) {
    ExerciseSet sets[EXERCISE_SET_COUNT];
    for (ExerciseSet& set : sets)
        set = {RANGE_MAX, 0, 0x3f}; // the widest number, every kind
    asTITLEITEMS title = MakeTitleItems();
    RebuildTitleCaptions(title, sets);
    CUserScreen users;
    const std::string name = GbkFromUtf8("Alexandra");
    const Rect certificateLine = OffsetRect(InflateRect(g_rcRowBands[5], -320, 0), 0, -32);
    constexpr int NOTICE_OUTLINE = 2;
    const Rect dataFileNotice = InflateRect({262, 732, 762, 762}, -NOTICE_OUTLINE, 0);

    struct asROW {
        const char* szWhat;
        std::string strText;
        Rect rcBox;
        int nWeight;
        int nHeight;
        int nShadow; // pixels the shadow or lifted copy stands beside the text
    };
    const asROW rows[] = {
        {"lifted set plank", title[0].strCaption, TITLE_ITEM_RECTS[0], 700, 25, 4},
        {"lifted information plank", title[INFO_PLANK].strCaption, TITLE_ITEM_RECTS[INFO_PLANK],
         700, 25, 4},
        {"exercise page heading", title[0].strCaption, OffsetRect(g_rcProblemLines[0], 0, -40), 900,
         28, 0},
        {"page time", FormatPageTime((99 * 60 + 59) * 1000), {640, 704, 896, 768}, 700, 20, 0},
        {"first-try count", FormatFirstTryCount(12), {261, 709, 315, 763}, 700, 20, 0},
        {"award with a name", CertificateAwardLine(name), certificateLine, 900, 24, 0},
        {"award without a name", CertificateAwardLine(""), certificateLine, 900, 24, 0},
        {"certificate counts", CertificateCountsLine(120, 120), certificateLine, 900, 18, 0},
        {"final score", English("最后得分"), certificateLine, 900, 18, 0},
        {"score", CertificateScoreText(100), OffsetRect(certificateLine, 128, 64 * 2), 900, 56, 0},
        {"player line", English("当前用户：") + name, g_rcCurrentUser, EMBOSSED_WEIGHT,
         EMBOSSED_HEIGHT, 1},
        {"settings row", SettingsRowText(sets[0]), UserRow(0), EMBOSSED_WEIGHT, EMBOSSED_HEIGHT, 1},
        {"character refused", English("这个字不能用！"), g_rcNameNotice, 700, 14, 0},
        {"name too long", English("名字太长了！"), g_rcNameNotice, 700, 14, 0},
        {"list full", English("用户数量已满！"), g_rcNameNotice, 700, 14, 0},
        {"name taken", English("新用户名已经存在，请重新输入！"), g_rcNameNotice, 700, 14, 0},
        {"data-file notice", English("注意：成绩文件无法使用，这次的成绩不会被保存。"),
         dataFileNotice, 400, 16, 0},
        {"waiting heading", English("游戏正在关闭，还在保存成绩。"), {20, 24, 460, 60}, 700, 20, 0},
        {"waiting detail",
         English("请稍候：保存完毕后，游戏会自动打开。"),
         {20, 70, 460, 100},
         400,
         16,
         0},
    };
    for (const asROW& row : rows) {
        const int width = GbkTextWidth(row.strText, row.nWeight, row.nHeight);
        EXPECT_LE(width + row.nShadow, row.rcBox.Width())
            << row.szWhat << ": \"" << Utf8FromGbk(row.strText) << "\"";
        EXPECT_LE(row.nHeight, row.rcBox.Height()) << row.szWhat;
    }
}

TEST_F(EnglishTextFit, BalloonHintsWrapInsideTheBalloonWithoutCuttingAWord) {
    ExerciseSet sets[EXERCISE_SET_COUNT];
    for (ExerciseSet& set : sets)
        set = {RANGE_MAX, 0, 0x3f};
    asTITLEITEMS title = MakeTitleItems();
    RebuildTitleCaptions(title, sets);
    for (const int k : {0, INFO_PLANK}) {
        const std::string& hint = title[size_t(k)].strHint;
        const int height = HintTextHeight(hint);
        EXPECT_GT(height, 14) << "letters as small as Chinese characters: " << Utf8FromGbk(hint);
        const int lines = WrappedLines(hint, HINT_TEXT_RECT.Width(), 400, height);
        EXPECT_GE(lines, 1) << "a word is cut: " << Utf8FromGbk(hint);
        EXPECT_LE(lines * height, HINT_TEXT_RECT.Height()) << Utf8FromGbk(hint);
    }
}

TEST_F(EnglishTextFit, TheGreetingShowsAnOrdinaryNameWhole) {
    const asSIGNTEXT sign = FitNameSign(GbkFromUtf8("Alexandra"));
    EXPECT_EQ(Utf8FromGbk(sign.strText), Tr("你好，") + std::string("Alexandra") + Tr("！"));
}

} // namespace
