// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's life: set-up, frame composition, repaint, the butterflies and shut-down.
#include "app/CSumoraWnd.h"

#include "exercise/Certificate.h"
#include "exercise/ExerciseScreen.h"
#include "platform/Clock.h"
#include "users/DataFileNotice.h"
#include "users/UserData.h"

#include <cstdlib>
#include <string_view>

namespace {

// Whose turn it is matters once children share the game: their results and the problems brought
// back for them are their own. One child, or none, leaves the title as it always was.
std::string_view ChildOnTitle() {
    const asUSERINFO* user = CurrentUser();
    if (g_arrUsers.size() < 2 || !user) return {};
    return user->strName;
}

} // namespace

CSumoraWnd::CSumoraWnd(CPlatformWindow& host, std::optional<unsigned> seed)
    : m_fnRand([] { return std::rand(); }), m_fnUtcNow(GetUtcMilliseconds), m_host(host),
      m_nSeed(seed) {}

CSumoraWnd::~CSumoraWnd() {
    OnDestroy();
}

int CSumoraWnd::OnCreate() {
    InitScreenState();
    if (!CreateSurface(CLIENT_WIDTH, CLIENT_HEIGHT)) return -1;
    StartCartoons();
    SyncReviewChild(); // the child current at start: their book is read while the title shows
    return 0;
}

void CSumoraWnd::InitScreenState() {
    std::srand(m_nSeed.value_or(unsigned(m_host.GetSystemTimeMilliseconds())));
    m_nScreenState = SCREEN_TITLE;
    m_nHandBitmap = HAND_RELEASED_PICTURE;
    m_nHandX = m_nHandY = NO_HAND;
    m_nSelectedSet = 0;
    m_Run = {};
    m_UserScreen = {};
    m_TitleItems = MakeTitleItems();
    RebuildTitleCaptions(m_TitleItems, g_ExerciseSets);
    m_KeyFocus = {};
    m_nHeldArrowKey = 0;
}

void CSumoraWnd::OnDestroy() {
    if (m_bDestroyed) return;
    m_bDestroyed = true;
    // The worker is stopped and joined before anything it reads goes away.
    StopCartoons();
    StopArrowTimers();
    if (m_bCaptured) m_host.ReleaseCapture();
    if (m_bPointerHidden) m_host.ShowSystemPointer(true);
    m_bCaptured = m_bPointerHidden = false;
    m_host.FinishPresent(); // the last frame is shown before the surface goes
    ReleaseSurface();
}

void CSumoraWnd::PaintExercise(CImageLayer& target) const {
    const int item = m_Run.m_nRunItem;
    static const std::string none;
    const std::string& heading =
        item >= 0 && item < TITLE_ITEM_COUNT ? m_TitleItems[size_t(item)].strCaption : none;
    PaintExerciseScreen(target, m_Run, heading, m_nHandX, m_nHandY);
}

void CSumoraWnd::ComposeFrame() {
    ComposeFrame(*this);
}

void CSumoraWnd::ComposeFrame(CImageLayer& target) const {
    if (!target.m_hBitmap) return;
    int litX = 0, litY = 0;
    HighlightPoint(litX, litY);
    switch (ScreenOf(m_nScreenState)) {
    case SCREEN_TITLE:
        PaintTitleScreen(target, m_TitleItems, ChildOnTitle(), litX, litY);
        if (!DataFileProblem().empty()) PaintDataFileNotice(target);
        break;
    case SCREEN_EXERCISE:
        PaintExercise(target);
        break;
    case SCREEN_CERTIFICATE: {
        const asUSERINFO* user = CurrentUser();
        PaintCertificate(target, user ? user->strName : std::string(), m_Run.m_nTotalDone,
                         m_Run.m_nTotalFirstTry, m_Run.Score());
        break;
    }
    case SCREEN_USERS:
        PaintUserScreen(target, m_UserScreen, UserPageOf(m_nScreenState), litX, litY);
        if (const std::optional<asFOCUSCONTROL> focus = ShownFocus(); focus && focus->bRing)
            DrawFocusRing(target, focus->rc);
        break;
    default:
        break;
    }
    PaintCartoons(target, m_arrCartoons.m_arrCartoons);
    PaintSoundSign(target);
    if (m_nHandX != NO_HAND && m_nHandY != NO_HAND)
        target.DrawBitmapKeyed(m_nHandX, m_nHandY, uint16_t(m_nHandBitmap));
}

void CSumoraWnd::RedrawWindow() {
    if (!m_hBitmap || m_bHoldRedraw) return;
    if (!m_host.IsShown()) {
        // Nobody sees it: the frame is composed when the window is shown again.
        m_bSurfaceCurrent = false;
        return;
    }
    ComposeFrame();
    m_bSurfaceCurrent = true;
    m_host.Present(*m_hBitmap);
}

void CSumoraWnd::RepaintChanged(const Rect& changed) {
    if (!m_hBitmap) return;
    if (!m_bSurfaceCurrent || !m_host.IsShown()) return RedrawWindow();
    if (changed.IsEmpty()) return;
    // The painters run whole, but every pixel they touch outside changed is left alone.
    SetClipRect(&changed);
    ComposeFrame();
    SetClipRect(nullptr);
    m_host.Present(*m_hBitmap, changed);
}

// Only the wing beats ask for these repaints; every other change repaints itself.
void CSumoraWnd::OnUserRedraw() {
    RepaintChanged(CartoonBoxes());
}

void CSumoraWnd::OnShown() {
    if (!m_bDestroyed) RedrawWindow();
}

void CSumoraWnd::OnClose() {
    OnDestroy();
    m_host.DestroyWindow();
}

void CSumoraWnd::StartCartoons() {
    auto& list = m_arrCartoons.m_arrCartoons;
    list.clear();
    list.emplace_back(CARTOON_BUTTERFLY, 200, 842, 495);
    list.emplace_back(CARTOON_BUTTERFLY, 150, 788, 628);
    m_arrCartoons.Start(m_host);
}

void CSumoraWnd::ShowCartoons() {
    m_arrCartoons.SetVisible(true);
}

void CSumoraWnd::HideCartoons() {
    m_arrCartoons.SetVisible(false);
}

void CSumoraWnd::StopCartoons() {
    m_host.StopRepaintRequests();
    m_arrCartoons.Stop();
}
