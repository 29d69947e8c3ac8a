// Pictures, colours and the embossed text shared by the painters of the user management screen.
#pragma once

#include "gfx/CImageLayer.h"
#include "platform/Geometry.h"
#include "platform/Text.h"

#include <string>
#include <string_view>

struct ExerciseSet;

constexpr int USERS_BACKGROUND_PICTURE = 174;
constexpr int PANEL_PICTURE = 175;
constexpr int PANEL_BOX_HOVER_PICTURE = 176;
constexpr int PANEL_TICK_PICTURE = 177;
constexpr int RANGE_DOWN_HOVER_PICTURE = 178;
constexpr int RANGE_UP_HOVER_PICTURE = 179;
constexpr int DEFAULT_SETTINGS_HOVER_PICTURE = 181;
constexpr int DELETE_USER_HOVER_PICTURE = 182;
constexpr int NEW_USER_HOVER_PICTURE = 183;
constexpr int VIEW_SCORES_HOVER_PICTURE = 184;
constexpr int NAME_CANCEL_HOVER_PICTURE = 185;
constexpr int NAME_BOARD_PICTURE = 186;
constexpr int NAME_OK_HOVER_PICTURE = 187;
constexpr int CHANGE_USER_HOVER_PICTURE = 188;

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

// The six kind boxes of the settings panel, box j of the open panel at panel.
constexpr int OPERATION_KINDS = 6;
Rect OperationBox(const Rect& panel, int j);

// The settings row of a problem set, e.g. "3以内 加 减 填空" (GBK).
std::string SettingsRowText(const ExerciseSet& set);
