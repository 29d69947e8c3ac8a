// The one main window: all screen state, the message handlers and the frame composition.
// Its operations are defined next to the screens they belong to (app/, gfx/, exercise/, users/).
#pragma once

#include "app/ScreenState.h"
#include "gfx/CImageLayer.h"
#include "gfx/Cartoons.h"
#include "platform/Window.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CSumoraWnd : public CImageLayer, public CWindowHandler {
public:
    explicit CSumoraWnd(CPlatformWindow& host);
    ~CSumoraWnd() override;

    // Window set-up: seeds the draws, enters the title screen, builds the tables, starts the
    // butterflies. Returns 0, or -1 when the window cannot be set up.
    int OnCreate();
    // Shut-down of the window: stops the butterfly thread and releases the surface.
    void OnDestroy();

    // Message handlers (app/InputRouting.cpp).
    void OnMouseMove(int x, int y, unsigned keyFlags) override;
    void OnLButtonDown(int x, int y) override;
    void OnLButtonUp(int x, int y) override;
    void OnKeyDown(unsigned vk) override;
    void OnChar(unsigned char byte, bool ctrlHeld) override;
    void OnTimer(int id) override;
    void OnUserRedraw() override;
    void OnClose() override;

    // Full repaint: compose the whole frame and hand it to the window now.
    void RedrawWindow();
    // Repaints only changed (the rest of the surface shows the state already), or the whole
    // frame when the surface does not hold the last composition.
    void RepaintChanged(const Rect& changed);
    // Composes the frame into the surface without presenting it.
    void ComposeFrame();
    int HitTest(int x, int y);
    // The transition table (app/Transitions.cpp). False: the handler must return at once
    // (the window is gone, or a new page painted itself).
    bool ApplyRelease(int code, int x, int y);
    bool ApplyKey(unsigned vk);
    bool IsDestroyed() const { return m_bDestroyed; }

    // Exercise run (exercise/ExerciseRun.cpp).
    void StartRun(int code);
    void AppendDigit(int digit);
    void EraseLastDigit();
    void ClearInput();
    void SubmitAnswer();
    void RevealAnswer();
    void StartNewPage();
    void FinishRun();
    void LeaveRun();
    int RunScore() const;

    // Screens.
    void PaintTitleScreen();
    void PaintExerciseScreen(CImageLayer& target);
    void SlideInExerciseScreen();
    void FadeInNewPage();
    void PaintCertificate(CImageLayer& target);
    void PaintUserScreen();

    // User management reactions (users/UserScreen.cpp, users/SettingsPanel.cpp).
    void OpenNameEntry();
    void ConfirmNewName();
    void ChooseUserAt(int x, int y);
    void DeleteUserAt(int x, int y);
    void TypeNameByte(unsigned char byte, bool ctrlHeld);
    void EraseNameCharacter();
    void TrackPanel(int x, int y);
    void PressPanel(int x, int y);
    void ReleasePanel(int x, int y);
    void StepPanelRange(int delta);
    void PaintSettingsList();
    void PaintScoreChart();

    // Butterflies (gfx/Cartoons.cpp).
    void StartCartoons();
    void ShowCartoons();
    void HideCartoons();
    void PaintCartoons();
    void StopCartoons();

    CPlatformWindow& Host() { return m_host; }

    // The random source of every problem draw: the C library's rand() unless a test scripts it.
    std::function<int()> m_fnRand;

    // --- window state ---
    uint32_t m_nScreenState = 0;
    int m_nHandBitmap = 151;
    int m_nHandX = -1;
    int m_nHandY = -1;
    int m_nSelectedSet = 0;
    std::vector<std::string> m_arrProblems;
    std::vector<std::string> m_arrAnswers;
    std::string m_strInput;
    int m_nPageFirstTry = 0;
    int m_bCleanTry = 1;
    uint32_t m_dwStartTick = 0;
    uint32_t m_dwEndTick = 0;
    int m_nTotalDone = 0;
    int m_nTotalFirstTry = 0;
    int m_nRunItem = -1;
    int m_bWrongShown = 0;
    int m_nCurrent = 0;
    int m_bHintAvailable = 1;
    int m_nHintIndex = -1;
    Rect m_rcPanel;
    int m_nPanelSet = -1;
    int m_bPanelEntered = 0;
    Rect m_rcRangeDown;
    Rect m_rcRangeUp;
    std::string m_strNewName;
    std::string m_strNotice;
    // The name entry refused a first byte for want of room: its second byte is dropped too.
    int m_bSkipTrailByte = 0;
    CCartoonList m_arrCartoons;

    // What the painters show besides the hand (app/FrameDamage.cpp): equal keys before and
    // after a move mean that only the hand's boxes changed.
    struct asSCENEKEY {
        uint32_t nScreenState = 0;
        uint64_t nHovered = 0;    // bit i: the hand is on the screen's i-th hover-lit control
        uint32_t nTitleFlags = 0; // bit k: plank k lifted
        Rect rcPanel;
        int nPanelSet = -1;
        bool bComplex = false; // too many controls to tell apart: always the whole frame

        bool operator==(const asSCENEKEY&) const = default;
    };
    asSCENEKEY SceneKey() const;
    // What differs in the frame between two scene keys; the whole client when it is not simple.
    Rect ChangedBetween(const asSCENEKEY& before, const asSCENEKEY& after) const;
    Rect HandBox() const;
    Rect CartoonBoxes() const;

private:
    void InitScreenState();
    void TrackPointer(int x, int y);
    void KeepResults();

    CPlatformWindow& m_host;
    bool m_bPointerHidden = false;
    bool m_bCaptured = false;
    bool m_bDestroyed = false;
    bool m_bHoldRedraw = false; // a repaint would be overtaken by one that follows at once
    // The surface holds the full composition of the state as last presented (a transition's
    // frames do not), so a part of it can be composed alone.
    bool m_bSurfaceCurrent = false;
};
