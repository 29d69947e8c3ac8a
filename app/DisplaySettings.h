// The one setting kept besides the data file (whose bytes are fixed): whether the game starts
// full screen, in $XDG_CONFIG_HOME/zimbly/settings as a line "fullscreen=1" or "fullscreen=0".
#pragma once

#include "storage/Paths.h"

#include <optional>
#include <string>
#include <string_view>

// The remembered choice, if the text holds one; other lines are ignored.
std::optional<bool> ParseFullScreenSetting(std::string_view text);
std::string FormatFullScreenSetting(bool fullScreen);

// Reads and writes the settings file; reading never creates anything.
std::optional<bool> LoadFullScreenSetting(const asUSERPLACES& places);
void SaveFullScreenSetting(const asUSERPLACES& places, bool fullScreen);
