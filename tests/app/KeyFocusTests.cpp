// The keyboard focus of every screen with one: a table of keys and where the focus ends, the
// pointer's part in it, and the ring drawn where a control has no highlight of its own.
#include "gfx/Gbk.h"
#include "tests/app/WindowTestSupport.h"
#include "users/UserLayout.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

enum class Start { TITLE, USERS, PANEL, NEW_NAME, CHOOSE, DELETE, SCORES };

constexpr unsigned SHIFT_TAB = VK_TAB | VK_SHIFT_HELD;
constexpr Rect NOWHERE = {};
// The panel of set 3 hangs from row 3's bottom left corner at (250, 320).
constexpr Rect PANEL3_DOWN = {268, 331, 329, 360};
constexpr Rect PANEL3_UP = {359, 331, 420, 360};
constexpr Rect PanelBox(int j) {
    return {386, 388 + 25 * j, 406, 408 + 25 * j};
}
constexpr Rect CHART = {187, 322, 860, 475};
const Rect& Plank(int k) {
    return TITLE_ITEM_RECTS[size_t(k)];
}
std::vector<unsigned> Repeat(unsigned key, int times) {
    return std::vector<unsigned>(size_t(times), key);
}

struct asFOCUSROW {
    const char* strWhat;
    Start start;
    std::vector<unsigned> arrKeys;
    Rect rcFocus; // NOWHERE: the focus is not shown
};

const asFOCUSROW FOCUS_TABLE[] = {
    {"the first key shows the focus where it rests", Start::TITLE, {VK_DOWN}, Plank(0)},
    {"Down reads down the planks", Start::TITLE, {VK_DOWN, VK_DOWN, VK_DOWN}, Plank(2)},
    {"Up stops at the first plank", Start::TITLE, {VK_DOWN, VK_UP, VK_UP}, Plank(0)},
    {"Right and Left move as Down and Up",
     Start::TITLE,
     {VK_RIGHT, VK_RIGHT, VK_LEFT, VK_RIGHT, VK_RIGHT},
     Plank(2)},
    {"the information plank follows the eighth", Start::TITLE, Repeat(VK_DOWN, 9), Plank(8)},
    {"Down stops at the leave sign", Start::TITLE, Repeat(VK_DOWN, 14), g_rcLeave},
    {"Shift+Tab goes round to the leave sign", Start::TITLE, {SHIFT_TAB, SHIFT_TAB}, g_rcLeave},
    {"Tab goes round from the leave sign", Start::TITLE, Repeat(VK_TAB, 11), Plank(0)},
    {"keys that move nothing show nothing", Start::TITLE, {VK_BACK, VK_DELETE, VK_ESCAPE}, NOWHERE},

    {"the settings rows come first", Start::USERS, {VK_DOWN, VK_DOWN}, UserRow(1)},
    {"the five buttons follow the rows", Start::USERS, Repeat(VK_TAB, 9), g_rcUserButtons[0]},
    {"Up from the first button is the last row", Start::USERS,
     [] {
         auto keys = Repeat(VK_TAB, 9);
         keys.push_back(VK_UP);
         return keys;
     }(),
     UserRow(7)},
    {"Left on a row goes nowhere", Start::USERS, {VK_DOWN, VK_LEFT}, UserRow(0)},
    {"Left and Right walk the buttons",
     Start::USERS,
     {SHIFT_TAB, SHIFT_TAB, VK_LEFT, VK_LEFT, VK_RIGHT},
     g_rcUserButtons[3]},
    {"Shift+Tab goes round to change user", Start::USERS, {SHIFT_TAB, SHIFT_TAB}, g_rcChangeUser},
    {"Right on a row opens its panel on <<",
     Start::USERS,
     {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT},
     PANEL3_DOWN},
    {"Enter on a row opens its panel too",
     Start::USERS,
     {VK_DOWN, VK_RETURN},
     {268, 226, 329, 255}},

    {"Tab walks the arrows, then the boxes", Start::PANEL, {VK_TAB, VK_TAB, VK_TAB}, PanelBox(0)},
    {"Shift+Tab goes round to the last box", Start::PANEL, {SHIFT_TAB, SHIFT_TAB}, PanelBox(5)},
    {"Down stops at the last box", Start::PANEL, Repeat(VK_DOWN, 12), PanelBox(5)},
    {"Left and Right step the limit, not the focus",
     Start::PANEL,
     {VK_TAB, VK_TAB, VK_LEFT, VK_RIGHT},
     PANEL3_UP},
    {"Escape closes the panel onto its row", Start::PANEL, {VK_TAB, VK_ESCAPE}, UserRow(3)},

    {"the name board's focus rests on OK", Start::NEW_NAME, {VK_DOWN}, g_rcNameOk},
    {"Tab goes round to Cancel", Start::NEW_NAME, {VK_TAB, VK_TAB}, g_rcNameCancel},
    {"Left goes to Cancel and stops", Start::NEW_NAME, {VK_LEFT, VK_LEFT, VK_LEFT}, g_rcNameCancel},
    {"Space is part of the name, not a key of the board", Start::NEW_NAME, {VK_SPACE}, NOWHERE},

    {"the focus rests on the current child", Start::CHOOSE, {VK_DOWN}, UserRow(1)},
    {"the way back follows the children", Start::CHOOSE, Repeat(VK_DOWN, 5), g_rcChangeUser},
    {"the first child comes first when deleting", Start::DELETE, {VK_UP}, UserRow(0)},
    {"Shift+Tab goes round to the way back",
     Start::DELETE,
     {SHIFT_TAB, SHIFT_TAB},
     g_rcUserButtons[1]},
    {"the chart takes the focus", Start::SCORES, {VK_TAB, VK_DOWN}, CHART},
};

// A fresh window for each row of a table (a window that was shut down stays shut).
struct KeyFocus : ::testing::Test {
    struct asWINDOW {
        CHeadlessWindow host;
        CSumoraWnd wnd{host};
    };
    std::unique_ptr<asWINDOW> m_pWindow;
    CSumoraWnd* m_pWnd = nullptr;

    void SetUp() override { Fresh(); }
    void TearDown() override {
        m_pWindow.reset();
        g_arrUsers.clear();
        g_nCurrentUser = 0;
    }
    void Fresh() {
        m_pWindow.reset();
        g_arrUsers.clear();
        g_nCurrentUser = 0;
        SetDefaultExerciseSets();
        m_pWindow = std::make_unique<asWINDOW>();
        m_pWnd = &m_pWindow->wnd;
        ASSERT_EQ(m_pWnd->OnCreate(), 0);
        m_pWnd->m_TransitionPace = QUICK_PACE;
    }
    CSumoraWnd& Wnd() { return *m_pWnd; }
    const Surface& Frame() {
        m_pWnd->ComposeFrame();
        return *m_pWnd->m_hBitmap;
    }

    static void AddUser(const char* name) {
        asUSERINFO user;
        user.strName = GbkFromUtf8(name);
        AppendUser(user);
    }
    void Begin(Start start) {
        switch (start) {
        case Start::TITLE:
            break;
        case Start::USERS:
            m_pWnd->m_nScreenState = SCREEN_USERS;
            break;
        case Start::PANEL:
            m_pWnd->m_nScreenState = SCREEN_USERS;
            m_pWnd->m_UserScreen.OpenPanel(3);
            break;
        case Start::NEW_NAME:
            m_pWnd->m_nScreenState = SCREEN_USERS_NEWNAME;
            m_pWnd->m_UserScreen.OpenNameEntry();
            break;
        case Start::CHOOSE:
        case Start::DELETE:
            for (const char* name : {"Tom", "Ann", "Bo"})
                AddUser(name);
            g_nCurrentUser = 1;
            m_pWnd->m_nScreenState =
                start == Start::CHOOSE ? SCREEN_USERS_CHOOSE : SCREEN_USERS_DELETE;
            break;
        case Start::SCORES:
            m_pWnd->m_nScreenState = SCREEN_USERS_SCORES;
            break;
        }
    }
    void Press(unsigned vk) {
        m_pWnd->OnKeyDown(vk);
        m_pWnd->OnKeyUp(vk & VK_CODE_MASK);
    }
    Rect Focus() const {
        const std::optional<asFOCUSCONTROL> focus = m_pWnd->ShownFocus();
        return focus ? focus->rc : NOWHERE;
    }
    int LiftedPlanks() const {
        int lifted = 0;
        for (const asTITLEITEM& item : m_pWnd->m_TitleItems)
            lifted += item.nFlags & 1;
        return lifted;
    }
};

} // namespace

TEST_F(KeyFocus, EachScreensKeysMoveTheFocusAsTheTableSays) {
    for (const asFOCUSROW& row : FOCUS_TABLE) {
        SCOPED_TRACE(row.strWhat);
        Fresh();
        Begin(row.start);
        const uint32_t screen = m_pWnd->m_nScreenState;
        for (unsigned vk : row.arrKeys)
            Press(vk);
        EXPECT_EQ(Focus(), row.rcFocus);
        EXPECT_EQ(m_pWnd->m_nScreenState, screen) << "moving the focus changes no screen";
        EXPECT_FALSE(m_pWnd->IsDestroyed());
    }
}

TEST_F(KeyFocus, OnTheTitleTheFocusedPlankIsTheLiftedOne) {
    Press(VK_DOWN);
    Press(VK_DOWN);
    EXPECT_EQ(m_pWnd->m_TitleItems[1].nFlags & 1, 1);
    EXPECT_EQ(LiftedPlanks(), 1);
    Press(SHIFT_TAB);
    Press(SHIFT_TAB); // round to the leave sign: no plank stays lifted, the sign is lit
    EXPECT_EQ(Focus(), g_rcLeave);
    EXPECT_EQ(LiftedPlanks(), 0);
    CImageLayer lit, unlit;
    ASSERT_TRUE(lit.CreateSurface(CLIENT_WIDTH, CLIENT_HEIGHT));
    ASSERT_TRUE(unlit.CreateSurface(CLIENT_WIDTH, CLIENT_HEIGHT));
    m_pWnd->ComposeFrame(lit);
    PaintTitleScreen(unlit, m_pWnd->m_TitleItems, g_rcLeave.left + 5, g_rcLeave.top + 5);
    const Rect& sign = g_rcLeave;
    for (int y = sign.top; y < sign.bottom; y += 4)
        for (int x = sign.left; x < sign.right; x += 4)
            ASSERT_EQ(lit.m_hBitmap->GetPixel(x, y), unlit.m_hBitmap->GetPixel(x, y))
                << "the focused sign is lit as under the hand";
}

TEST_F(KeyFocus, APointerMoveGivesTheFocusAndAKeyShowsItWhereThePointerLeftIt) {
    m_pWnd->OnMouseMove(400, Plank(4).top + 5, 0);
    Press(VK_DOWN); // the hand shows plank 4 already: the focus moves on at once
    EXPECT_EQ(Focus(), Plank(5));

    m_pWnd->OnMouseMove(400, Plank(2).top + 5, 0);
    EXPECT_EQ(Focus(), NOWHERE) << "the pointer hides the keyboard's focus";
    m_pWnd->OnMouseMove(900, 700, 0); // onto the grass
    Press(VK_DOWN);
    EXPECT_EQ(Focus(), Plank(2));
    EXPECT_EQ(LiftedPlanks(), 1);
}

TEST_F(KeyFocus, AShownFocusIsRepaintedAwayByThePointersMove) {
    m_pWindow->host.m_bKeepScreen = true;
    m_pWnd->m_nScreenState = SCREEN_USERS;
    m_pWnd->RedrawWindow();
    Press(VK_DOWN);
    m_pWnd->OnMouseMove(900, 700, 0);
    CImageLayer whole;
    ASSERT_TRUE(whole.CreateSurface(CLIENT_WIDTH, CLIENT_HEIGHT));
    m_pWnd->ComposeFrame(whole);
    EXPECT_EQ(std::memcmp(m_pWindow->host.m_Screen.Data(), whole.m_hBitmap->Data(),
                          size_t(CLIENT_WIDTH) * CLIENT_HEIGHT * 4),
              0);
}

// The band of the ring is flower yellow; rows and the chart have two pixels of room round them.
TEST_F(KeyFocus, ARowABoxAndTheChartGetARingInTheGamesYellow) {
    constexpr Color BAND = RGB(0xff, 0xd2, 0x3f);
    const struct {
        Start start;
        std::vector<unsigned> arrKeys;
        Rect rc;
        int nBandX; // a column of the band left of rc
    } rings[] = {
        {Start::USERS, {VK_DOWN}, UserRow(0), UserRow(0).left - 4},
        {Start::PANEL, {VK_TAB, VK_TAB, VK_TAB}, PanelBox(0), PanelBox(0).left - 2},
        {Start::CHOOSE, {VK_DOWN}, UserRow(1), UserRow(1).left - 4},
        {Start::SCORES, {VK_TAB}, CHART, CHART.left - 4},
    };
    for (const auto& ring : rings) {
        Fresh();
        Begin(ring.start);
        const int y = (ring.rc.top + ring.rc.bottom) / 2;
        EXPECT_NE(Frame().GetPixel(ring.nBandX, y), uint32_t(BAND));
        for (unsigned vk : ring.arrKeys)
            Press(vk);
        EXPECT_EQ(Frame().GetPixel(ring.nBandX, y), uint32_t(BAND));
    }
}
