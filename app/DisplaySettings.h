// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The choices kept besides the data file (whose bytes are fixed): whether the game starts full
// screen and whether it is muted, in $XDG_CONFIG_HOME/zimbly/settings as lines "fullscreen=1"
// and "mute=0" (each 1 or 0, or on or off). A parent may add "review=off" by hand: the game never
// writes that line.
#pragma once

#include "storage/Paths.h"

#include <optional>
#include <string>
#include <string_view>

// The remembered choice, if the text holds one; other lines are ignored.
std::optional<bool> ParseFullScreenSetting(std::string_view text);
std::string FormatFullScreenSetting(bool fullScreen);
// Any "key=1", "key=on", "key=0" or "key=off" line: the last one counts.
std::optional<bool> ParseSwitchSetting(std::string_view text, std::string_view key);
// The text with key's lines replaced by one saying on; every other line is kept.
std::string WithSwitchSetting(std::string_view text, std::string_view key, bool on);

// Reads and writes the settings file; reading never creates anything, and writing one choice
// keeps the other.
std::optional<bool> LoadFullScreenSetting(const asUSERPLACES& places);
void SaveFullScreenSetting(const asUSERPLACES& places, bool fullScreen);
std::optional<bool> LoadMuteSetting(const asUSERPLACES& places);
void SaveMuteSetting(const asUSERPLACES& places, bool mute);
// Whether the review of missed and slow facts is on (none: the file does not say).
std::optional<bool> LoadReviewSetting(const asUSERPLACES& places);
