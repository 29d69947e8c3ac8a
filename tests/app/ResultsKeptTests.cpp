// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Results reach the data file as they are made, through the real handlers: a finished run, a
// user added, chosen and deleted, a set changed (a held arrow once, at its release) or reset;
// and a session that may not write shows the parent its notice on the title screen.
#include "app/CSumoraWnd.h"
#include "app/TitleScreen.h"
#include "exercise/ExerciseLayout.h"
#include "platform/HeadlessWindow.h"
#include "tests/app/WindowTestSupport.h"
#include "tests/users/UserDataFixture.h"
#include "users/DataFile.h"
#include "users/UserLayout.h"

namespace {

class ResultsKept : public CUserDataTest {
protected:
    void SetUp() override {
        CUserDataTest::SetUp();
        SetDefaultExerciseSets();
        AppendUser(User("Tom"));
        g_nCurrentUser = 0;
        BeginKeepingUserData();
        ASSERT_EQ(wnd.OnCreate(), 0);
    }
    void TearDown() override {
        wnd.OnDestroy();
        CUserDataTest::TearDown();
    }

    void ClickAt(const Rect& rc) { ClickMiddle(wnd, rc); }
    void Key(unsigned vk) { wnd.OnKeyDown(vk); }

    asDATAFILE OnDisk() {
        asDATAFILE file;
        EXPECT_EQ(DecodeDataFile(FileBytes(m_strPath), file), DataFileStatus::VALID);
        return file;
    }
    bool FileExists() const { return std::filesystem::exists(m_strPath); }
    // Pixels of the notice label's paper in the window's last frame.
    int NoticePaper() const {
        const Rect label = {262, 732, 762, 762};
        int count = 0;
        for (int y = label.top; y < label.bottom; ++y)
            for (int x = label.left; x < label.right; ++x)
                count += wnd.m_hBitmap->GetPixel(x, y) == RGB(0xff, 0xfd, 0xf5);
        return count;
    }

    CHeadlessWindow host;
    CSumoraWnd wnd{host};
};

} // namespace

TEST_F(ResultsKept, AFinishedRunIsOnDiskAsTheCertificateShows) {
    ClickAt(TITLE_ITEM_RECTS[0]);
    ASSERT_EQ(ScreenOf(wnd.m_nScreenState), SCREEN_EXERCISE);
    EXPECT_FALSE(FileExists()) << "starting a run changes nothing worth writing";
    for (char digit : wnd.m_Run.m_arrAnswers.at(0))
        Key(VK_0 + unsigned(digit - '0'));
    Key(VK_RETURN);
    EXPECT_FALSE(FileExists());
    ClickAt(g_rcFinish);
    ASSERT_EQ(wnd.m_nScreenState, SCREEN_CERTIFICATE);
    const asDATAFILE file = OnDisk();
    ASSERT_EQ(file.arrUsers.size(), 1u);
    EXPECT_EQ(file.arrUsers[0].nLastScore, 0);
    EXPECT_EQ(file.arrUsers[0].byScores[0], 100);
}

TEST_F(ResultsKept, UsersAddedChosenAndDeletedAreOnDiskAtOnce) {
    ClickAt(TITLE_ITEM_RECTS[8]);
    ASSERT_EQ(wnd.m_nScreenState, SCREEN_USERS);
    ClickAt(g_rcUserButtons[0]);
    for (char c : std::string("Amy"))
        wnd.OnChar(static_cast<unsigned char>(c), false);
    EXPECT_FALSE(FileExists()) << "a name being typed is not a result";
    ClickAt(g_rcNameOk);
    asDATAFILE file = OnDisk();
    ASSERT_EQ(file.arrUsers.size(), 2u);
    EXPECT_EQ(file.arrUsers[1].strName, "Amy");
    EXPECT_EQ(file.nCurrentUser, 1);

    ClickAt(g_rcChangeUser);
    ClickAt(UserRow(0));
    EXPECT_EQ(OnDisk().nCurrentUser, 0);

    ClickAt(g_rcChangeUser);
    ClickAt(g_rcUserButtons[1]);
    ClickAt(UserRow(0));
    file = OnDisk();
    ASSERT_EQ(file.arrUsers.size(), 1u);
    EXPECT_EQ(file.arrUsers[0].strName, "Amy");
    EXPECT_EQ(file.nCurrentUser, 0);
}

TEST_F(ResultsKept, AHeldArrowIsWrittenOnceAtItsReleaseAndDefaultsAtOnce) {
    wnd.m_nScreenState = SCREEN_USERS;
    wnd.OnMouseMove(300, UserRow(3).top + 10, 0);
    ASSERT_EQ(wnd.m_UserScreen.m_nPanelSet, 3);
    const Rect up = wnd.m_UserScreen.m_rcRangeUp;
    const int x = (up.left + up.right) / 2, y = (up.top + up.bottom) / 2;
    wnd.OnMouseMove(x, y, 0);
    wnd.OnLButtonDown(x, y);
    wnd.OnTimer(TIMER_INCREASE_DELAY);
    for (int tick = 0; tick < 5; ++tick)
        wnd.OnTimer(TIMER_INCREASE_REPEAT);
    EXPECT_EQ(g_ExerciseSets[3].nRange, 11);
    EXPECT_FALSE(FileExists()) << "no write per repeat step";
    wnd.OnLButtonUp(x, y);
    EXPECT_EQ(OnDisk().arrSets[3].nRange, 12);

    ClickAt(g_rcUserButtons[3]); // default settings
    EXPECT_EQ(OnDisk().arrSets[3].nRange, 6);
}

TEST_F(ResultsKept, ASessionThatMayNotWriteShowsItsNoticeOnTheTitleOnly) {
    wnd.ComposeFrame();
    EXPECT_LT(NoticePaper(), 100) << "no notice while results are kept";
    StopKeepingUserData("test: another copy writes");
    wnd.ComposeFrame();
    EXPECT_GT(NoticePaper(), 496 * 26 / 2) << "the label is drawn";
    EXPECT_EQ(wnd.m_hBitmap->GetPixel(512, 732), RGB(0x5b, 0x3a, 0x1e)) << "its outline";
    wnd.m_nScreenState = SCREEN_USERS;
    wnd.ComposeFrame();
    EXPECT_LT(NoticePaper(), 100) << "other screens are left alone";
}

TEST_F(ResultsKept, TheTitleShowsAtOnceWhetherASaveKeptTheResults) {
    UseDataFilePlace({m_strPath, m_strPath}, FileOpsFailingAtStep(1));
    BeginKeepingUserData();
    AppendScore(g_arrUsers[0], 50);
    wnd.RedrawWindow();
    Key(VK_HOME); // changes nothing on the title; the save after it fails
    EXPECT_GT(NoticePaper(), 496 * 26 / 2) << "the failed save is shown";
    Key(VK_HOME); // the next one is tried again, and succeeds
    EXPECT_TRUE(FileExists());
    EXPECT_LT(NoticePaper(), 100) << "the notice went with the save that kept the results";
}
