// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Random input through every handler of the main window on the headless platform, with the
// invariants the rest of the program relies on checked after every event. ZIMBLY_SOAK_EVENTS
// sets the number of events (a short run by default), ZIMBLY_SOAK_SEED the random seed.
#include "app/CSumoraWnd.h"
#include "app/TitleScreen.h"
#include "exercise/ExerciseLayout.h"
#include "exercise/ExerciseScreen.h"
#include "gfx/Gbk.h"
#include "platform/HeadlessWindow.h"
#include "tests/users/UserDataFixture.h"
#include "users/UserData.h"
#include "users/UserLayout.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <random>

namespace {

// Enough events for the driver to reach every screen and edge it aims at.
constexpr long REACHING_EVENTS = 20000;
#if defined(__SANITIZE_THREAD__)
// The thread sanitizer slows each event twentyfold; its interest here is the butterfly worker.
constexpr long DEFAULT_SOAK_EVENTS = 4000;
#else
constexpr long DEFAULT_SOAK_EVENTS = REACHING_EVENTS;
#endif

long EnvironmentNumber(const char* name, long fallback) {
    const char* text = std::getenv(name);
    if (!text || !*text) return fallback;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    return (end && *end == '\0' && value > 0) ? value : fallback;
}

// What the run reached, so that a driver stuck on one screen shows up as a failure.
struct SoakTally {
    long nEvents = 0;
    long nScreenEvents[5] = {}; // title, exercise, certificate, users main, user sub-screens
    long nRunsStarted = 0;
    long nPagesDone = 0;
    long nCertificates = 0;
    long nUsersCreated = 0;
    long nUsersDeleted = 0;
    long nRestarts = 0;
    long nTimerSteps = 0;
    long nRestores = 0;
    int nMostResults = 0;
    int nLowestRange = 100;
    int nHighestRange = 3;
    size_t nLongestName = 0;
};

class RandomInputSoak : public CUserDataTest {
protected:
    void SetUp() override {
        CUserDataTest::SetUp();
        SetDefaultExerciseSets();
        // Users at the edges: a Chinese name, the longest name, a history one short of full.
        AddUser("Tom", 3);
        AddUser(GbkFromUtf8("小明"), 0);
        AddUser(GbkFromUtf8("小明小明小明小明小明小明小明小明小明小明小"), 12);
        AddUser("Amy", SCORE_HISTORY_SIZE - 1);
        g_nCurrentUser = 3;
        OpenWindow();
    }
    void TearDown() override {
        if (m_pWnd) m_pWnd->OnDestroy();
        m_pWnd.reset();
        m_pHost.reset();
        CUserDataTest::TearDown();
    }

    static void AddUser(const std::string& name, int results) {
        asUSERINFO user;
        user.strName = name;
        for (int i = 0; i < results; ++i)
            AppendScore(user, (i * 37) % 101);
        AppendUser(user);
    }

    void OpenWindow() {
        m_pHost = std::make_unique<CHeadlessWindow>();
        m_pWnd = std::make_unique<CSumoraWnd>(*m_pHost);
        ASSERT_EQ(m_pWnd->OnCreate(), 0);
        m_pWnd->m_fnRand = [this] { return int(m_random() & 0x7FFF); };
        // Long runs need not compose every step of every transition.
        m_pWnd->m_TransitionPace = {500, 64};
        if (m_bComparePresented) {
            // The wing beats come from the driver alone, so that the picture compared with is
            // the one the last repaint saw.
            m_pWnd->StopCartoons();
            m_pHost->m_bKeepScreen = true;
            m_Aside.CreateSurface(CLIENT_WIDTH, CLIENT_HEIGHT);
        }
        // The soak of the state spends most of its time minimized, where nothing is composed;
        // the soak of the display most of its time shown.
        m_pHost->m_bShown = m_bComparePresented;
        m_pWnd->RedrawWindow();
    }

    // A wing beat as the worker makes it: one butterfly's picture changes, then the repaint.
    void WingBeat() {
        for (asCARTOONCONTROL& cartoon : m_pWnd->m_arrCartoons.m_arrCartoons)
            if (cartoon.bVisible.load() && Chance(50)) cartoon.nFrame.store(!cartoon.nFrame.load());
        m_pWnd->OnUserRedraw();
    }

    // The window is gone (leave sign or close): save as the shut-down does, start again as the
    // next start-up does, and check that the data came back as it went out.
    void Restart() {
        ASSERT_TRUE(SaveUserData());
        const std::vector<asUSERINFO> users = g_arrUsers;
        const int32_t current = g_nCurrentUser;
        std::vector<ExerciseSet> sets(std::begin(g_ExerciseSets), std::end(g_ExerciseSets));
        g_arrUsers.clear();
        g_nCurrentUser = 0;
        std::fill(std::begin(g_ExerciseSets), std::end(g_ExerciseSets), ExerciseSet{});
        m_pWnd.reset();
        m_pHost.reset();
        ASSERT_TRUE(LoadUserData());
        ASSERT_EQ(g_arrUsers.size(), users.size());
        for (size_t i = 0; i < users.size(); ++i) {
            ASSERT_EQ(g_arrUsers[i].strName, users[i].strName);
            ASSERT_EQ(g_arrUsers[i].byScores, users[i].byScores);
            ASSERT_EQ(g_arrUsers[i].nLastScore, users[i].nLastScore);
        }
        ASSERT_EQ(g_nCurrentUser, current);
        for (int k = 0; k < EXERCISE_SET_COUNT; ++k) {
            ASSERT_EQ(g_ExerciseSets[k].nRange, sets[size_t(k)].nRange);
            ASSERT_EQ(g_ExerciseSets[k].nOperations, sets[size_t(k)].nOperations);
        }
        ++m_tally.nRestarts;
        OpenWindow();
    }

    int Uniform(int low, int high) { return std::uniform_int_distribution(low, high)(m_random); }
    bool Chance(int percent) { return Uniform(0, 99) < percent; }
    int Inside(int low, int high) { return Uniform(low, high - 1); }

    // A point on something the current screen reacts to, or anywhere (outside the client too).
    // The ways out of each screen weigh enough that every screen gets its share of the events.
    std::pair<int, int> Target() {
        CSumoraWnd& wnd = *m_pWnd;
        std::vector<Rect> spots;
        auto add = [&spots](const Rect& rc, int weight) {
            if (!rc.IsEmpty()) spots.insert(spots.end(), size_t(weight), rc);
        };
        switch (wnd.m_nScreenState) {
        case SCREEN_TITLE:
            for (int k = 0; k < TITLE_ITEM_COUNT; ++k)
                add(TITLE_ITEM_RECTS[k], k == 8 ? 12 : 1);
            if (Chance(2)) spots = {g_rcLeave}; // leaving restarts: now and then only
            break;
        case SCREEN_EXERCISE:
            spots.assign(std::begin(g_rcExerciseControls), std::end(g_rcExerciseControls));
            add(g_rcHint, 1);
            add(g_rcFinish, 3);
            break;
        case SCREEN_CERTIFICATE:
            add({0, 0, CLIENT_WIDTH, CLIENT_HEIGHT}, 1);
            break;
        case SCREEN_USERS:
            for (int k = 0; k < EXERCISE_SET_COUNT; ++k)
                add(UserRow(k), 1);
            for (const Rect& button : g_rcUserButtons)
                add(button, 2);
            add(g_rcChangeUser, 2);
            if (!wnd.m_UserScreen.m_rcPanel.IsEmpty()) {
                // The arrows and the six boxes: the panel is small.
                add(wnd.m_UserScreen.m_rcRangeDown, 6);
                add(wnd.m_UserScreen.m_rcRangeUp, 6);
                add(wnd.m_UserScreen.m_rcPanel, 6);
            }
            break;
        case SCREEN_USERS_NEWNAME:
            add(g_rcNameOk, 1);
            add(g_rcNameCancel, 1);
            add(g_rcNameText, 1);
            break;
        case SCREEN_USERS_SCORES:
            add(g_rcUserButtons[2], 1);
            break;
        default: // choose or delete: the rows and the button that leads back
            for (int k = 0; k <= int(g_arrUsers.size()); ++k)
                add(UserRow(k), 1);
            add(wnd.m_nScreenState == SCREEN_USERS_DELETE ? g_rcUserButtons[1] : g_rcChangeUser, 2);
            break;
        }
        if (Chance(15)) return {Uniform(-40, CLIENT_WIDTH + 40), Uniform(-40, CLIENT_HEIGHT + 40)};
        const Rect& rc = spots[size_t(Uniform(0, int(spots.size()) - 1))];
        return {Inside(rc.left, rc.right), Inside(rc.top, rc.bottom)};
    }

    // One typed byte: printable, control, half or whole two-byte characters, anything.
    void TypeSomething() {
        CSumoraWnd& wnd = *m_pWnd;
        const bool ctrl = Chance(5);
        switch (Uniform(0, 5)) {
        case 0:
            wnd.OnChar(uint8_t(Uniform(0x20, 0x7E)), ctrl);
            break;
        case 1:
            wnd.OnChar(uint8_t(Chance(50) ? Uniform(0, 0x1F) : 0x7F), ctrl);
            break;
        case 2: // a whole GBK character: a lead byte and a trail byte in a row
            wnd.OnChar(uint8_t(Uniform(0xB0, 0xF7)), false);
            Step();
            wnd.OnChar(uint8_t(Uniform(0xA1, 0xFE)), false);
            break;
        case 3:
            wnd.OnChar(uint8_t(Uniform(0x81, 0xFE)), ctrl);
            break;
        case 4:
            wnd.OnChar(uint8_t(Uniform(0x40, 0xFE)), ctrl);
            break;
        default:
            wnd.OnChar(uint8_t(Uniform(0, 255)), ctrl);
            break;
        }
    }

    void PressKey() {
        static const unsigned keys[] = {VK_BACK, VK_RETURN, VK_PRIOR, VK_NEXT, VK_HOME, VK_DELETE};
        unsigned vk = 0;
        switch (Uniform(0, 3)) {
        case 0:
            vk = VK_0 + unsigned(Uniform(0, 9));
            break;
        case 1:
            vk = VK_NUMPAD0 + unsigned(Uniform(0, 9));
            break;
        case 2:
            // Page keys fade a new page in: rarer than the rest.
            vk = keys[size_t(Uniform(0, 5))];
            if ((vk == VK_PRIOR || vk == VK_NEXT) && Chance(70)) vk = VK_RETURN;
            break;
        default:
            vk = unsigned(Uniform(0, 255));
            break;
        }
        m_pWnd->OnKeyDown(vk);
    }

    // In a run, the right answer typed and entered, so that pages and runs come to an end;
    // elsewhere a move.
    void AnswerRight() {
        CSumoraWnd& wnd = *m_pWnd;
        if (ScreenOf(wnd.m_nScreenState) != SCREEN_EXERCISE ||
            wnd.m_Run.m_nCurrent >= int(wnd.m_Run.m_arrAnswers.size())) {
            const auto [x, y] = Target();
            wnd.OnMouseMove(x, y, 0);
            return;
        }
        wnd.OnKeyDown(VK_DELETE);
        for (char digit : wnd.m_Run.m_arrAnswers[size_t(wnd.m_Run.m_nCurrent)]) {
            Step();
            wnd.OnKeyDown(VK_0 + unsigned(digit - '0'));
        }
        Step();
        wnd.OnKeyDown(VK_RETURN);
    }

    void FireTimer() {
        CHeadlessWindow& host = *m_pHost;
        m_pHost->m_dwTick += unsigned(Uniform(0, 600));
        int id = Uniform(0, 5);
        if (!host.m_mapTimers.empty() && Chance(85)) {
            auto it = host.m_mapTimers.begin();
            std::advance(it, Uniform(0, int(host.m_mapTimers.size()) - 1));
            id = it->first;
        }
        if (id == TIMER_INCREASE_REPEAT || id == TIMER_DECREASE_REPEAT) ++m_tally.nTimerSteps;
        m_pWnd->OnTimer(id);
    }

    // A press held on an arrow of the open panel: the delay, a run of repeats, the release.
    // Long holds take the number limits to both ends of their range.
    void HoldArrow() {
        CSumoraWnd& wnd = *m_pWnd;
        const Rect arrow =
            Chance(50) ? wnd.m_UserScreen.m_rcRangeUp : wnd.m_UserScreen.m_rcRangeDown;
        const int x = Inside(arrow.left, arrow.right);
        const int y = Inside(arrow.top, arrow.bottom);
        wnd.OnMouseMove(x, y, 0);
        Step();
        wnd.OnLButtonDown(x, y);
        for (int repeats = Uniform(1, 120); repeats > 0 && !m_pHost->m_mapTimers.empty();
             --repeats) {
            Step();
            const int id = m_pHost->m_mapTimers.begin()->first;
            if (id == TIMER_INCREASE_REPEAT || id == TIMER_DECREASE_REPEAT) ++m_tally.nTimerSteps;
            wnd.OnTimer(id);
        }
        Step();
        wnd.OnLButtonUp(x, y);
    }

    // Minimized and restored now and then (chances per thousand events).
    void MinimizeOrRestore() {
        CHeadlessWindow& host = *m_pHost;
        if (host.m_bShown) {
            if (Uniform(0, 999) < (m_bComparePresented ? 10 : 50)) host.m_bShown = false;
        } else if (Uniform(0, 999) < (m_bComparePresented ? 100 : 5)) {
            host.m_bShown = true;
            m_pWnd->OnShown();
            ++m_tally.nRestores;
        }
    }

    void OneEvent() {
        MinimizeOrRestore();
        CSumoraWnd& wnd = *m_pWnd;
        // Answers in a run and typing on the name board come more often there, so that pages
        // get done and names get long.
        if (ScreenOf(wnd.m_nScreenState) == SCREEN_EXERCISE && Chance(20)) return AnswerRight();
        if (wnd.m_nScreenState == SCREEN_USERS_NEWNAME && Chance(40)) return TypeSomething();
        if (wnd.m_nScreenState == SCREEN_USERS && !wnd.m_UserScreen.m_rcPanel.IsEmpty() &&
            Chance(5))
            return HoldArrow();
        const int kind = Uniform(0, 99);
        if (kind < 27) {
            const auto [x, y] = Target();
            wnd.OnMouseMove(x, y, m_bButtonDown ? MK_LBUTTON : 0);
        } else if (kind < 30) {
            wnd.OnMouseLeave();
        } else if (kind < 44) {
            const auto [x, y] = Target();
            m_bButtonDown = true;
            wnd.OnLButtonDown(x, y);
        } else if (kind < 60) {
            // Mostly where the press was, as a click is; sometimes dragged elsewhere.
            const auto [x, y] =
                Chance(70) && wnd.m_nHandX >= 0 ? std::pair{wnd.m_nHandX, wnd.m_nHandY} : Target();
            m_bButtonDown = false;
            wnd.OnLButtonUp(x, y);
        } else if (kind < 70) {
            PressKey();
        } else if (kind < 80) {
            TypeSomething();
        } else if (kind < 88) {
            FireTimer();
        } else if (kind < 97) {
            AnswerRight();
        } else if (kind < 99) {
            m_pHost->m_dwTick += unsigned(Uniform(0, 400));
            m_pHost->PumpRepaintRequests(wnd);
            if (m_bComparePresented)
                WingBeat();
            else
                wnd.OnUserRedraw();
        } else if (Chance(5)) {
            wnd.OnClose(); // the window manager's close or SIGTERM, on any screen
        } else {
            wnd.OnMouseMove(Uniform(-2000, 3000), Uniform(-2000, 3000), 0);
        }
    }

    // Within an action of several events: the one before counts and is checked.
    void Step() {
        ++m_tally.nEvents;
        Check();
    }

    // Notes what the event did, then checks every invariant.
    void Check() {
        if (HasFatalFailure()) return; // reported once
        const CSumoraWnd& wnd = *m_pWnd;
        const uint32_t screen = wnd.m_nScreenState;
        const int slot = screen == SCREEN_USERS                   ? 3
                         : ScreenOf(screen) == SCREEN_USERS       ? 4
                         : ScreenOf(screen) == SCREEN_EXERCISE    ? 1
                         : ScreenOf(screen) == SCREEN_CERTIFICATE ? 2
                                                                  : 0;
        ++m_tally.nScreenEvents[slot];
        if (ScreenOf(screen) == SCREEN_EXERCISE && ScreenOf(m_nLastScreen) != SCREEN_EXERCISE)
            ++m_tally.nRunsStarted;
        if (screen == SCREEN_CERTIFICATE && m_nLastScreen != SCREEN_CERTIFICATE)
            ++m_tally.nCertificates;
        if (g_arrUsers.size() > m_nLastUserCount) ++m_tally.nUsersCreated;
        if (g_arrUsers.size() < m_nLastUserCount) ++m_tally.nUsersDeleted;
        if (wnd.m_Run.m_nCurrent == int(wnd.m_Run.m_arrProblems.size()) &&
            wnd.m_Run.m_nCurrent != m_nLastCurrent && ScreenOf(screen) == SCREEN_EXERCISE)
            ++m_tally.nPagesDone;
        m_nLastScreen = screen;
        m_nLastUserCount = g_arrUsers.size();
        m_nLastCurrent = wnd.m_Run.m_nCurrent;

        ASSERT_TRUE(Invariants()) << "after event " << m_tally.nEvents << " of seed " << m_nSeed;
        if (m_bComparePresented && m_pHost->m_bShown) {
            ASSERT_TRUE(ShownIsWhole()) << "after event " << m_tally.nEvents << " of seed "
                                        << m_nSeed << ", screen " << std::hex << screen;
        }
    }

    // What the display shows (each present copied only its changed pixels) against a full
    // composition of the same state, made aside so that the window's own surface stays as the
    // product left it.
    ::testing::AssertionResult ShownIsWhole() {
        CSumoraWnd& wnd = *m_pWnd;
        if (wnd.IsDestroyed() || !wnd.m_hBitmap) return ::testing::AssertionSuccess();
        wnd.ComposeFrame(m_Aside);
        const Surface& whole = *m_Aside.m_hBitmap;
        const Surface& shown = m_pHost->m_Screen;
        long differing = 0;
        int firstX = -1, firstY = -1;
        for (int y = 0; y < whole.Height(); ++y) {
            if (std::memcmp(shown.Row(y), whole.Row(y), size_t(whole.Width()) * 4) == 0) continue;
            for (int x = 0; x < whole.Width(); ++x)
                if (shown.GetPixel(x, y) != whole.GetPixel(x, y) && differing++ == 0) {
                    firstX = x;
                    firstY = y;
                }
        }
        if (differing == 0) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << differing << " pixels differ, the first at (" << firstX << ", " << firstY
               << "); last change shown " << m_pHost->m_rcLastChanged.left << ","
               << m_pHost->m_rcLastChanged.top << "-" << m_pHost->m_rcLastChanged.right << ","
               << m_pHost->m_rcLastChanged.bottom;
    }

    ::testing::AssertionResult Invariants() {
        const CSumoraWnd& wnd = *m_pWnd;
        const int users = int(g_arrUsers.size());
        if (users > MAX_USERS) return ::testing::AssertionFailure() << users << " users";
        if (users > 0 && (g_nCurrentUser < 0 || g_nCurrentUser >= users))
            return ::testing::AssertionFailure()
                   << "current user " << g_nCurrentUser << " of " << users;
        const int pageSize = int(wnd.m_Run.m_arrProblems.size());
        if (wnd.m_Run.m_nCurrent < 0 || wnd.m_Run.m_nCurrent > pageSize)
            return ::testing::AssertionFailure()
                   << "current problem " << wnd.m_Run.m_nCurrent << " of " << pageSize;
        if (wnd.m_Run.m_arrAnswers.size() != wnd.m_Run.m_arrProblems.size())
            return ::testing::AssertionFailure() << "answers and problems differ in number";
        if (wnd.m_Run.m_nPageFirstTry < 0 || wnd.m_Run.m_nPageFirstTry > wnd.m_Run.m_nCurrent)
            return ::testing::AssertionFailure() << "page: " << wnd.m_Run.m_nPageFirstTry
                                                 << " at the first try of " << wnd.m_Run.m_nCurrent;
        if (wnd.m_Run.m_nTotalFirstTry < 0 || wnd.m_Run.m_nTotalFirstTry > wnd.m_Run.m_nTotalDone)
            return ::testing::AssertionFailure()
                   << "run: " << wnd.m_Run.m_nTotalFirstTry << " at the first try of "
                   << wnd.m_Run.m_nTotalDone;
        for (int k = 0; k < EXERCISE_SET_COUNT; ++k) {
            const int range = g_ExerciseSets[k].nRange;
            if (range < 3 || range > 100)
                return ::testing::AssertionFailure() << "set " << k << " range " << range;
            m_tally.nLowestRange = std::min(m_tally.nLowestRange, range);
            m_tally.nHighestRange = std::max(m_tally.nHighestRange, range);
        }
        for (const asUSERINFO& user : g_arrUsers) {
            if (user.strName.size() > size_t(MAX_NAME_BYTES))
                return ::testing::AssertionFailure() << "a name of " << user.strName.size();
            if (user.nLastScore < -1 || user.nLastScore >= SCORE_HISTORY_SIZE)
                return ::testing::AssertionFailure() << "newest result at " << user.nLastScore;
            m_tally.nLongestName = std::max(m_tally.nLongestName, user.strName.size());
            m_tally.nMostResults = std::max(m_tally.nMostResults, user.nLastScore + 1);
        }
        if (wnd.m_UserScreen.m_strNewName.size() > size_t(MAX_NAME_BYTES))
            return ::testing::AssertionFailure()
                   << "a typed name of " << wnd.m_UserScreen.m_strNewName.size();
        if (wnd.m_nSelectedSet < 0 || wnd.m_nSelectedSet >= EXERCISE_SET_COUNT)
            return ::testing::AssertionFailure() << "selected set " << wnd.m_nSelectedSet;
        // A lifted plank is the one Enter chooses, and a shown focus is lifted.
        const bool shown = wnd.ShownFocus().has_value();
        for (int k = 0; wnd.m_nScreenState == SCREEN_TITLE && k < TITLE_ITEM_COUNT; ++k)
            if (const bool lifted = wnd.m_TitleItems[size_t(k)].nFlags & 1;
                lifted != (k == wnd.m_KeyFocus.m_nIndex && (shown || lifted)))
                return ::testing::AssertionFailure() << "plank " << k << " lifted " << lifted;
        if (m_pHost->m_nPointerShowCount != 0 && m_pHost->m_nPointerShowCount != -1)
            return ::testing::AssertionFailure()
                   << "pointer show count " << m_pHost->m_nPointerShowCount;
        return ::testing::AssertionSuccess();
    }

    void Report() const {
        std::printf("soak: %ld events (seed %u): title %ld, exercise %ld, certificate %ld, users "
                    "%ld, user sub-screens %ld\n",
                    m_tally.nEvents, m_nSeed, m_tally.nScreenEvents[0], m_tally.nScreenEvents[1],
                    m_tally.nScreenEvents[2], m_tally.nScreenEvents[3], m_tally.nScreenEvents[4]);
        std::printf("soak: %ld runs, %ld pages done, %ld certificates, %ld users created, %ld "
                    "deleted, %ld restarts, %ld held-arrow steps, %ld times shown again\n",
                    m_tally.nRunsStarted, m_tally.nPagesDone, m_tally.nCertificates,
                    m_tally.nUsersCreated, m_tally.nUsersDeleted, m_tally.nRestarts,
                    m_tally.nTimerSteps, m_tally.nRestores);
        std::printf("soak: ranges seen %d..%d, most results %d, longest name %zu bytes\n",
                    m_tally.nLowestRange, m_tally.nHighestRange, m_tally.nMostResults,
                    m_tally.nLongestName);
    }

    unsigned m_nSeed = unsigned(EnvironmentNumber("ZIMBLY_SOAK_SEED", 20131120));
    std::mt19937 m_random{m_nSeed};
    std::unique_ptr<CHeadlessWindow> m_pHost;
    std::unique_ptr<CSumoraWnd> m_pWnd;
    SoakTally m_tally;
    bool m_bButtonDown = false;
    bool m_bComparePresented = false;
    CImageLayer m_Aside; // where the whole composition is made to compare with the display
    uint32_t m_nLastScreen = SCREEN_TITLE;
    size_t m_nLastUserCount = 0;
    int m_nLastCurrent = 0;
};

// The display's soak is a suite of its own so that ctest runs it beside the state's.
using RandomInputDisplaySoak = RandomInputSoak;

} // namespace

TEST_F(RandomInputSoak, EveryEventKeepsTheStateTheProgramReliesOn) {
    const long events = EnvironmentNumber("ZIMBLY_SOAK_EVENTS", DEFAULT_SOAK_EVENTS);
    m_nLastUserCount = g_arrUsers.size();
    ASSERT_TRUE(Invariants());
    long nextProgress = 100000;
    while (m_tally.nEvents < events) {
        OneEvent();
        ++m_tally.nEvents;
        Check();
        if (m_tally.nEvents >= nextProgress) {
            std::printf("progress: %ld events\n", m_tally.nEvents);
            std::fflush(stdout);
            nextProgress += 100000;
        }
        if (HasFatalFailure()) break;
        if (m_pWnd->IsDestroyed()) Restart();
        if (HasFatalFailure()) break;
    }
    Report();
    if (events < REACHING_EVENTS || HasFailure()) return;
    // The driver reached every screen and the edges it is meant to reach.
    for (long screenEvents : m_tally.nScreenEvents)
        EXPECT_GT(screenEvents, 0);
    EXPECT_GT(m_tally.nCertificates, 0);
    EXPECT_GT(m_tally.nUsersCreated, 0);
    EXPECT_GT(m_tally.nUsersDeleted, 0);
    EXPECT_EQ(m_tally.nHighestRange, 100);
    EXPECT_EQ(m_tally.nMostResults, SCORE_HISTORY_SIZE);
    EXPECT_GT(m_tally.nRestores, 0);
}

// Frames are composed and shown only where they change; what is on the display must still be
// the whole picture of the state after every event.
TEST_F(RandomInputDisplaySoak, TheDisplayAlwaysShowsTheWholeCompositionOfTheState) {
    m_bComparePresented = true;
    m_pWnd.reset();
    m_pHost.reset();
    OpenWindow();
    const long events = EnvironmentNumber("ZIMBLY_SOAK_EVENTS", DEFAULT_SOAK_EVENTS) / 5;
    m_nLastUserCount = g_arrUsers.size();
    while (m_tally.nEvents < events && !HasFatalFailure()) {
        OneEvent();
        ++m_tally.nEvents;
        Check();
        if (!HasFatalFailure() && m_pWnd->IsDestroyed()) Restart();
    }
    Report();
    if (events >= 1000 && !HasFailure()) {
        EXPECT_GT(m_tally.nRestores, 0);
    }
}
