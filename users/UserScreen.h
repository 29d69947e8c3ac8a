// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The user management screen: what it holds between events (the settings panel, the name being
// typed) with the reactions that change it, and its painters.
#pragma once

#include "exercise/ExerciseSet.h"
#include "gfx/CImageLayer.h"
#include "gfx/Geometry.h"
#include "gfx/Text.h"

#include <string>
#include <string_view>

// The screen's five pages: the main page with the settings list and the four it leads to.
enum UserPage : uint32_t {
    USER_PAGE_MAIN,
    USER_PAGE_SCORES,
    USER_PAGE_NEW_NAME,
    USER_PAGE_CHOOSE,
    USER_PAGE_DELETE
};

// The six kind boxes of the settings panel, box j of the open panel at panel.
constexpr int OPERATION_KINDS = 6;
Rect OperationBox(const Rect& panel, int j);

// What became of one typed byte of a name.
enum NameByte : int {
    NAME_BYTE_IGNORED, // not a character of a name (a control key), or the list is full
    NAME_BYTE_TAKEN,
    NAME_BYTE_NO_ROOM, // the name is as long as it may be: the board says why
};
// Why the board refuses a character, shown under the name until the window's timer clears it.
enum NameRefusal : int {
    NAME_REFUSAL_NONE,
    NAME_REFUSAL_NO_FORM, // the data file cannot keep it (it has no GBK form)
    NAME_REFUSAL_NO_ROOM,
};

class CUserScreen {
public:
    // Settings panel (users/SettingsPanel.cpp). The hand at (x, y): the row under it opens the
    // panel below it, a hand on neither a row nor the open panel closes it.
    void PlacePanel(int x, int y);
    // Once the pointer has been on the panel, leaving it closes it. True when it closed just now
    // (an arrow held must stop stepping).
    bool TrackPanel(int x, int y);
    // The step of the open panel's arrow at (x, y): -1, +1, or 0 off the arrows.
    int ArrowAt(int x, int y) const;
    // The release on the open panel: the step of a short click on an arrow, or a kind box
    // switched.
    void ReleasePanel(int x, int y);
    // The panel of set k opened by a key, as the hand on its row opens it, and closed again.
    void OpenPanel(int k);
    void ClosePanel();
    // The open panel's set steps its number limit by delta, within RANGE_MIN..RANGE_MAX.
    void StepPanelRange(int delta);

    // Name entry (users/NameEntry.cpp).
    void OpenNameEntry();
    // OK: the typed name becomes a new, current user. False when the entry must stay open (the
    // name is taken; the notice says so).
    bool ConfirmNewName();
    // One typed byte of the name.
    NameByte TypeNameByte(unsigned char byte, bool ctrlHeld);
    // A typed character that has no GBK form; false when the board says nothing of it (the
    // list is full and its notice stands).
    bool RefuseCharacter();
    void EraseNameCharacter();

    Rect m_rcPanel;
    int m_nPanelSet = -1;
    int m_bPanelEntered = 0;
    Rect m_rcRangeDown;
    Rect m_rcRangeUp;
    std::string m_strNewName;
    std::string m_strNotice;
    // The name entry refused a first byte for want of room: its second byte is dropped too.
    int m_bSkipTrailByte = 0;
    int m_nRefusal = NAME_REFUSAL_NONE;
};

// The user whose row holds the point becomes current (users/UserChoice.cpp).
void ChooseUserAt(int x, int y);
// The user whose row holds the point is deleted at once; the current user stays the same person.
void DeleteUserAt(int x, int y);

// The whole screen on page, with what lies under the hand at (handX, handY) lit.
void PaintUserScreen(CImageLayer& target, const CUserScreen& screen, UserPage page, int handX,
                     int handY);
// The ring of the keyboard's focus on a control with no highlight of its own (a list row, a kind
// box, the chart): dark brown round a band of yellow, just outside rc.
void DrawFocusRing(CImageLayer& target, const Rect& rc);
// The main page's settings list and, when open, its panel.
void PaintSettingsList(CImageLayer& target, const CUserScreen& screen, int handX, int handY);
// The current user's results as a line over the time axis.
void PaintScoreChart(CImageLayer& target);

// The wood-coloured face of engraved rules and bars; the dark side is black.
constexpr Color ENGRAVED_FACE_COLOR = RGB(208, 181, 136);
// The face of embossed text; its shadow is black.
constexpr Color EMBOSSED_TEXT_COLOR = RGB(184, 106, 35);

constexpr int EMBOSSED_HEIGHT = 20;
constexpr int EMBOSSED_WEIGHT = 900;

constexpr unsigned ALIGN_LEFT = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
constexpr unsigned ALIGN_CENTER = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
constexpr unsigned ALIGN_RIGHT = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;

// One line of text at height 20, weight 900, as if carved out of the board: a black shadow one
// pixel down and to the right, then the face. The layer's text colour is left as it was.
void DrawEmbossedText(CImageLayer& layer, std::string_view gbk, const Rect& rc, unsigned align);

// The settings row of a problem set, e.g. "3以内 加 减 填空" (GBK).
std::string SettingsRowText(const ExerciseSet& set);
