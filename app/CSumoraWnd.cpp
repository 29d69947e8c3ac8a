// The main window's life: set-up, frame composition, repaint and shut-down.
#include "app/CSumoraWnd.h"

#include "app/LayoutTables.h"
#include "gfx/TitleScreen.h"
#include "users/DataFileNotice.h"
#include "users/UserData.h"

#include <cstdlib>

CSumoraWnd::CSumoraWnd(CPlatformWindow& host)
    : m_fnRand([] { return std::rand(); }), m_host(host) {}

CSumoraWnd::~CSumoraWnd() {
    OnDestroy();
}

int CSumoraWnd::OnCreate() {
    InitScreenState();
    if (!CreateSurface(CLIENT_WIDTH, CLIENT_HEIGHT)) return -1;
    StartCartoons();
    return 0;
}

void CSumoraWnd::InitScreenState() {
    std::srand(unsigned(m_host.GetSystemTimeMilliseconds()));
    m_nScreenState = SCREEN_TITLE;
    BuildLayoutTables();
    m_rcPanel = {};
    m_nHandBitmap = 151;
    m_nHandX = m_nHandY = -1;
    m_nSelectedSet = 0;
    m_nPageFirstTry = 0;
    m_bCleanTry = 1;
    m_dwStartTick = m_dwEndTick = 0;
    m_nTotalDone = m_nTotalFirstTry = 0;
    m_nRunItem = -1;
    m_bWrongShown = 0;
    m_nCurrent = 0;
    m_bHintAvailable = 1;
    m_nHintIndex = -1;
    m_nPanelSet = -1;
    m_bPanelEntered = 0;
    RebuildTitleCaptions();
}

void CSumoraWnd::OnDestroy() {
    if (m_bDestroyed) return;
    m_bDestroyed = true;
    // The worker is stopped and joined before anything it reads goes away.
    StopCartoons();
    for (int id = TIMER_INCREASE_REPEAT; id <= TIMER_DECREASE_DELAY; ++id)
        m_host.KillTimer(id);
    if (m_bCaptured) m_host.ReleaseCapture();
    if (m_bPointerHidden) m_host.ShowSystemPointer(true);
    m_bCaptured = m_bPointerHidden = false;
    m_host.FinishPresent(); // the last frame is shown before the surface goes
    ReleaseSurface();
}

void CSumoraWnd::ComposeFrame() {
    if (!m_hBitmap) return;
    switch (ScreenOf(m_nScreenState)) {
    case SCREEN_TITLE:
        PaintTitleScreen();
        if (!DataFileProblem().empty()) PaintDataFileNotice(*this);
        break;
    case SCREEN_EXERCISE:
        PaintExerciseScreen(*this);
        break;
    case SCREEN_CERTIFICATE:
        PaintCertificate(*this);
        break;
    case SCREEN_USERS:
        PaintUserScreen();
        break;
    default:
        break;
    }
    PaintCartoons();
    if (m_nHandX != -1 && m_nHandY != -1) DrawBitmapKeyed(m_nHandX, m_nHandY, m_nHandBitmap);
}

void CSumoraWnd::RedrawWindow() {
    if (!m_hBitmap || m_bHoldRedraw) return;
    ComposeFrame();
    m_bSurfaceCurrent = true;
    m_host.Present(*m_hBitmap);
}

void CSumoraWnd::RepaintChanged(const Rect& changed) {
    if (!m_hBitmap) return;
    if (!m_bSurfaceCurrent) return RedrawWindow();
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

void CSumoraWnd::OnClose() {
    OnDestroy();
    m_host.DestroyWindow();
}
