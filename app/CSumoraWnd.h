// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The one main window: the message target. It routes every message through the hit test and the
// transition table to the models (the exercise run, the user screen, the data), composes frames
// from their state with the screens' painters and hands them to the platform window.
#pragma once

#include "app/KeyFocus.h"
#include "app/ScreenState.h"
#include "app/TitleScreen.h"
#include "exercise/Cartoons.h"
#include "exercise/ExerciseRun.h"
#include "exercise/PageTransitions.h"
#include "facts/ChildReview.h"
#include "gfx/CImageLayer.h"
#include "gfx/Pictures.h"
#include "platform/SoundOutput.h"
#include "platform/Window.h"
#include "storage/HistoryWriter.h"
#include "users/UserScreen.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// m_nHandX and m_nHandY while no pointer is in the window: no hand is drawn, none lights a thing.
constexpr int NO_HAND = -1;

class CSumoraWnd : public CImageLayer, public CWindowHandler {
public:
    // seed: the first seed of the problem draws; without one, the system time's milliseconds
    // when the window is set up.
    explicit CSumoraWnd(CPlatformWindow& host, std::optional<unsigned> seed = std::nullopt);
    ~CSumoraWnd() override;

    // Window set-up: seeds the draws, enters the title screen, makes the surface, starts the
    // butterflies. Returns 0, or -1 when the window cannot be set up.
    int OnCreate();
    // Shut-down of the window: stops the butterfly thread and releases the surface.
    void OnDestroy();

    // Message handlers (app/InputRouting.cpp).
    void OnMouseMove(int x, int y, unsigned keyFlags) override;
    void OnMouseLeave() override;
    void OnLButtonDown(int x, int y) override;
    void OnLButtonUp(int x, int y) override;
    void OnKeyDown(unsigned vk) override;
    void OnKeyUp(unsigned vk) override;
    void OnChar(unsigned char byte, bool ctrlHeld) override;
    void OnCharRefused() override;
    void OnTimer(int id) override;
    void OnUserRedraw() override;
    void OnClose() override;
    void OnShown() override;

    // Full repaint: compose the whole frame and hand it to the window now.
    void RedrawWindow();
    // Repaints only changed (the rest of the surface shows the state already), or the whole
    // frame when the surface does not hold the last composition.
    void RepaintChanged(const Rect& changed);
    // Composes the frame of the state into the window's surface, or into target.
    void ComposeFrame();
    void ComposeFrame(CImageLayer& target) const;
    int HitTest(int x, int y);
    // The transition table (app/Transitions.cpp). False: the handler must return at once
    // (the window is gone, a new page painted itself, or a key changed nothing).
    bool ApplyRelease(int code, int x, int y);
    bool ApplyKey(unsigned vk);
    // The keys of the screens with a focus (app/FocusRouting.cpp): they move it, choose the
    // control it is on as a click does, or go one step back.
    bool ApplyFocusKey(unsigned vk);
    bool IsDestroyed() const { return m_bDestroyed; }

    // The run's steps that need the window (app/RunSteps.cpp). StartRun draws the first page of
    // the selected set and slides it in; false when the set yields no problems.
    bool StartRun(int code);
    void StartNewPage();
    // The end of a run by the finish book (the score is recorded) or the Home key (it is not);
    // true when there is a certificate to show.
    bool FinishRun();
    bool LeaveRun();
    void SlideInExerciseScreen();
    void FadeInNewPage();

    // The answer record (app/AnswerRecord.cpp): the typed answer marked (or the magnifier's),
    // handed to the record with the run's start, its pages and its end; a deleted child's
    // answers go with them.
    void MarkAnswer(bool byMagnifier);
    void RecordRunStart();
    void RecordNewPage();
    void RecordRunEnd(bool withResult);
    // Deletes the user whose row holds the point, and their answers from the record.
    void DeleteChildAt(int x, int y);

    // Review (app/ReviewSteps.cpp): the current child's book follows the current user; a page's
    // due facts; each first answer noted in the book.
    void SyncReviewChild();
    DueFactsFn DueFactsFor(int page);
    void NoteForReview(const asHISTORYANSWER& answer);
    int ReviewDay() const;

    // Butterflies.
    void StartCartoons();
    void ShowCartoons();
    void HideCartoons();
    void StopCartoons();

    CPlatformWindow& Host() { return m_host; }

    // Sound (app/SoundCues.cpp). Plays sound id unless muted.
    void PlaySound(int id);
    // M: sound off or on; the speaker sign shows which for MUTE_SIGN_MS.
    void ToggleMute();
    // The speaker sign while it shows, else while muted the small sign in the corner.
    void PaintSoundSign(CImageLayer& target) const;
    // What the sounds of an input depend on, taken before it and compared after.
    struct asCUESCENE {
        uint32_t nScreen = 0;
        int nTotalDone = 0;
        int nHintIndex = -1;
        bool bPageFinished = false;
        std::string strInput;
    };
    asCUESCENE CueScene() const;
    // The sound the change from before to now plays (submitted: the input was Enter or the
    // submit ball), or -1 for none.
    int CueOf(const asCUESCENE& before, bool submitted) const;

    // Where sounds go: none when null (the snapshot tool, most tests).
    CSoundOutput* m_pSound = nullptr;
    bool m_bMuted = false;
    // Told of each switch of M, to remember it.
    std::function<void(bool)> m_fnOnMuteChanged;

    // The random source of every draw (pages and the slide's direction): the C library's rand()
    // unless it is replaced.
    std::function<int()> m_fnRand;
    asTRANSITIONPACE m_TransitionPace;
    // Where answers are recorded (none: they are not), and the clock of their times.
    CHistoryWriter* m_pHistory = nullptr;
    std::function<int64_t()> m_fnUtcNow;
    // The current child's facts that come back on the pages (none: no review).
    CChildReview* m_pReview = nullptr;

    // --- window state ---
    uint32_t m_nScreenState = 0;
    int m_nHandBitmap = HAND_RELEASED_PICTURE;
    int m_nHandX = NO_HAND;
    int m_nHandY = NO_HAND;
    int m_nSelectedSet = 0;
    bool m_bMuteSignShown = false;
    asTITLEITEMS m_TitleItems = MakeTitleItems();
    CExerciseRun m_Run;
    CUserScreen m_UserScreen;
    CCartoonList m_arrCartoons;
    CKeyFocus m_KeyFocus;
    // The Left or Right key held on the user page: its repeats are the panel's timers, not the
    // keyboard's.
    unsigned m_nHeldArrowKey = 0;

    // The focus's controls on the screen as it is now, and the focus where it is shown (null
    // while it is hidden).
    asFOCUSLIST FocusControls() const;
    std::optional<asFOCUSCONTROL> ShownFocus() const;

    // What the painters show besides the hand (app/FrameDamage.cpp): equal keys before and
    // after a move mean that only the hand's boxes changed.
    struct asSCENEKEY {
        uint32_t nScreenState = 0;
        uint64_t nHovered = 0;    // bit i: the hand is on the screen's i-th hover-lit control
        uint32_t nTitleFlags = 0; // bit k: plank k lifted
        Rect rcPanel;
        int nPanelSet = -1;
        bool bComplex = false; // too many controls to tell apart: always the whole frame
        int nFocus = -1;       // the control with the shown keyboard focus

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
    // The hand at the pointer's place in the window, or NO_HAND when it is outside.
    void PlaceHand(int x, int y);
    // The user screen's panel follows the hand; called before a repaint on that screen.
    void FollowHand();
    void StopArrowTimers();
    void ShowNameRefusal();
    // Focus helpers (app/FocusRouting.cpp).
    bool IsPanelOpen() const;
    uint64_t FocusContext() const;
    void SyncFocus();
    void LiftFocusedPlank();
    bool ChooseFocused();
    bool ChooseControl(int code, int x, int y);
    void OpenPanelByKey(int k);
    // Where the painters light what is pointed at: the hand, or the shown focus's control.
    void HighlightPoint(int& x, int& y) const;
    void KeepResults();
    // The exercise screen as it is now, for the transitions.
    void PaintExercise(CImageLayer& target) const;

    CPlatformWindow& m_host;
    std::optional<unsigned> m_nSeed;
    // The run being recorded: its key among this session's runs, its page (from 1) and the tick
    // at which the current problem became current.
    struct asRUNRECORD {
        bool bRecording = false;
        int64_t nRunKey = 0;
        int nPage = 1;
        uint32_t dwProblemTick = 0;
    };
    asRUNRECORD m_RunRecord;
    bool m_bPointerHidden = false;
    bool m_bCaptured = false;
    bool m_bDestroyed = false;
    bool m_bHoldRedraw = false; // a repaint would be overtaken by one that follows at once
    // The surface holds the full composition of the state as last presented (a transition's
    // frames do not), so a part of it can be composed alone.
    bool m_bSurfaceCurrent = false;
};
