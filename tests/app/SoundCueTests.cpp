// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Which sound each input plays on the real handlers, silence for inputs that change nothing or
// while muted, and the M switch: its speaker sign, shown for 2 s and repainted away alone, and
// the letter M while a name is typed.
#include "app/SoundCues.h"
#include "exercise/ExerciseLayout.h"
#include "sound/Sounds.h"
#include "tests/app/WindowTestSupport.h"
#include "tests/exercise/ScriptedRand.h"
#include "users/UserLayout.h"

#include <utility>
#include <vector>

namespace {

// Records what the game asks to play.
struct CRecordedSound : CSoundOutput {
    void Play(int id) override { arrPlayed.push_back(id); }
    void Prepare() override { ++nPrepared; }
    std::vector<int> arrPlayed;
    int nPrepared = 0;
};

struct SoundCueTest : WindowTest {
    CRecordedSound sound;
    std::vector<bool> arrMuteChoices;

    void SetUp() override {
        WindowTest::SetUp();
        g_ExerciseSets[0] = ExerciseSet{3, 0, OP_ADD};
        wnd.m_fnRand = ScriptedRand({}, 2024);
        wnd.m_pSound = &sound;
        wnd.m_fnOnMuteChanged = [this](bool muted) { arrMuteChoices.push_back(muted); };
    }
    // What the input played, and the recording cleared for the next.
    std::vector<int> Played() { return std::exchange(sound.arrPlayed, {}); }
    std::string Answer() const { return wnd.m_Run.m_arrAnswers.at(size_t(wnd.m_Run.m_nCurrent)); }
    unsigned WrongDigitKey() const { return VK_0 + (Answer() == "1" ? 2 : 1); }
    void ClickBall(int m) { Click(g_rcKeypad[m].left + 5, g_rcKeypad[m].top + 5); }
};

using Sounds = std::vector<int>;

} // namespace

TEST_F(SoundCueTest, APageKeysAnswersAndTheMagnifierEachPlayTheirSoundOnce) {
    ClickPlank(0);
    EXPECT_EQ(Played(), Sounds{SOUND_PAGE});

    wnd.OnKeyDown(WrongDigitKey());
    EXPECT_EQ(Played(), Sounds{SOUND_KEY}) << "a typed digit";
    wnd.OnKeyDown(VK_RETURN);
    EXPECT_EQ(Played(), Sounds{SOUND_WRONG});
    wnd.OnKeyDown(VK_RETURN);
    EXPECT_EQ(Played(), Sounds{SOUND_WRONG}) << "the same wrong answer again";
    wnd.OnKeyDown(VK_BACK);
    EXPECT_EQ(Played(), Sounds{SOUND_KEY}) << "a digit erased";

    ClickBall(10); // clear: nothing left to clear now
    EXPECT_EQ(Played(), Sounds{});
    ClickBall(11); // submit with nothing typed
    EXPECT_EQ(Played(), Sounds{});

    for (char digit : Answer())
        ClickBall(digit - '0');
    EXPECT_EQ(Played(), Sounds(Answer().size(), SOUND_KEY)) << "the digit balls";
    const int done = wnd.m_Run.m_nTotalDone;
    ClickBall(11);
    EXPECT_EQ(wnd.m_Run.m_nTotalDone, done + 1);
    EXPECT_EQ(Played(), Sounds{SOUND_RIGHT});

    Click(g_rcHint.left + 5, g_rcHint.top + 5);
    EXPECT_EQ(Played(), Sounds{SOUND_MAGNIFIER}) << "not the right answer's chime as well";
    Click(g_rcHint.left + 5, g_rcHint.top + 5);
    EXPECT_EQ(Played(), Sounds{}) << "the magnifier is used up";

    wnd.OnKeyDown(VK_NEXT);
    EXPECT_EQ(Played(), Sounds{SOUND_PAGE});
    Click(g_rcNewPage.left + 5, g_rcNewPage.top + 5);
    EXPECT_EQ(Played(), Sounds{SOUND_PAGE});
}

TEST_F(SoundCueTest, TheCertificateSoundsOnlyWhenItIsShown) {
    ClickPlank(0);
    wnd.OnKeyDown(VK_HOME);
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_TITLE);
    EXPECT_EQ(Played(), Sounds{SOUND_PAGE}) << "nothing done: no certificate, no fanfare";

    ClickPlank(0);
    for (char digit : Answer())
        wnd.OnKeyDown(VK_0 + unsigned(digit - '0'));
    wnd.OnKeyDown(VK_RETURN);
    Played();
    Click(g_rcFinish.left + 5, g_rcFinish.top + 5);
    EXPECT_EQ(wnd.m_nScreenState, SCREEN_CERTIFICATE);
    EXPECT_EQ(Played(), Sounds{SOUND_CERTIFICATE});
    Click(500, 400);
    EXPECT_EQ(Played(), Sounds{}) << "back to the title in silence";
}

TEST_F(SoundCueTest, MutedNothingPlaysAndEachSwitchIsToldToBeKept) {
    wnd.OnKeyDown(VK_M);
    EXPECT_TRUE(wnd.m_bMuted);
    ClickPlank(0);
    wnd.OnKeyDown(WrongDigitKey());
    wnd.OnKeyDown(VK_RETURN);
    EXPECT_EQ(Played(), Sounds{});
    wnd.OnKeyDown(VK_M);
    EXPECT_FALSE(wnd.m_bMuted);
    wnd.OnKeyDown(VK_RETURN);
    EXPECT_EQ(Played(), Sounds{SOUND_WRONG});
    EXPECT_EQ(arrMuteChoices, (std::vector<bool>{true, false}));
    EXPECT_GT(sound.nPrepared, 0) << "input readies the device";
}

TEST_F(SoundCueTest, APressOrAKeyOpensTheDeviceAPointerPassingOverDoesNot) {
    wnd.OnMouseMove(600, 650, 0);
    EXPECT_EQ(sound.nPrepared, 0) << "a move alone (or the window opening under the pointer)";
    wnd.OnLButtonDown(600, 650);
    EXPECT_EQ(sound.nPrepared, 1) << "a press, before the release asks for its sound";
    wnd.OnLButtonUp(600, 650);
    wnd.OnKeyDown(VK_0);
    EXPECT_EQ(sound.nPrepared, 2) << "a key, before its own sound";
}

TEST_F(SoundCueTest, TheSpeakerSignShowsForTwoSecondsAndOnlyItsCornerIsRepainted) {
    host.m_bKeepScreen = true;
    wnd.OnMouseMove(600, 650, 0);
    const Surface before = Frame();
    wnd.OnKeyDown(VK_M);
    EXPECT_EQ(host.m_rcLastChanged, MUTE_SIGN_RECT);
    EXPECT_EQ(host.m_mapTimers[TIMER_MUTE_SIGN], MUTE_SIGN_MS);
    // Muted and sounding show different signs, each inside its corner only.
    const Surface muted = host.m_Screen;
    wnd.OnKeyDown(VK_M);
    const Surface sounding = host.m_Screen;
    int changedInside = 0, changedOutside = 0, signsDiffer = 0;
    for (int y = 0; y < CLIENT_HEIGHT; ++y)
        for (int x = 0; x < CLIENT_WIDTH; ++x) {
            const bool differs = muted.GetPixel(x, y) != before.GetPixel(x, y);
            (PtInRect(MUTE_SIGN_RECT, x, y) ? changedInside : changedOutside) += differs;
            signsDiffer += muted.GetPixel(x, y) != sounding.GetPixel(x, y);
        }
    EXPECT_GT(changedInside, 300);
    EXPECT_EQ(changedOutside, 0);
    EXPECT_GT(signsDiffer, 30);

    wnd.OnTimer(TIMER_MUTE_SIGN);
    EXPECT_FALSE(host.HasTimer(TIMER_MUTE_SIGN));
    EXPECT_EQ(host.m_rcLastChanged, MUTE_SIGN_RECT);
    int left = 0;
    for (int y = 0; y < CLIENT_HEIGHT; ++y)
        for (int x = 0; x < CLIENT_WIDTH; ++x)
            left += host.m_Screen.GetPixel(x, y) != before.GetPixel(x, y);
    EXPECT_EQ(left, 0) << "the screen is as it was";

    wnd.OnKeyDown(VK_M);
    wnd.OnTimer(TIMER_MUTE_SIGN); // muted: a small sign stays, inside its corner alone
    int small = 0, elsewhere = 0;
    for (int y = 0; y < CLIENT_HEIGHT; ++y)
        for (int x = 0; x < CLIENT_WIDTH; ++x)
            (PtInRect(MUTED_SIGN_RECT, x, y) ? small : elsewhere) +=
                host.m_Screen.GetPixel(x, y) != before.GetPixel(x, y);
    EXPECT_GT(small, 200);
    EXPECT_EQ(elsewhere, 0);
}

TEST_F(SoundCueTest, WhileANameIsTypedMIsALetter) {
    Click(TITLE_ITEM_RECTS[INFO_PLANK].left + 40, TITLE_ITEM_RECTS[INFO_PLANK].top + 5);
    Click(g_rcUserButtons[0].left + 5, g_rcUserButtons[0].top + 5);
    ASSERT_EQ(wnd.m_nScreenState, SCREEN_USERS_NEWNAME);
    wnd.OnKeyDown(VK_M);
    wnd.OnChar('M', false);
    EXPECT_FALSE(wnd.m_bMuted);
    EXPECT_FALSE(host.HasTimer(TIMER_MUTE_SIGN));
    EXPECT_EQ(wnd.m_UserScreen.m_strNewName, "M");
}
