// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The full-screen and mute choices remembered between starts, and the review switch.
#include "app/DisplaySettings.h"

#include "storage/FileIo.h"
#include "storage/FileLinks.h"
#include "storage/Paths.h"

namespace {

constexpr const char* SETTINGS_FILE_NAME = "settings";
constexpr std::string_view FULL_SCREEN_KEY = "fullscreen";
constexpr std::string_view MUTE_KEY = "mute";
constexpr std::string_view REVIEW_KEY = "review";
constexpr size_t MAX_SETTINGS_BYTES = 4096;

// Calls line(text) for each line, without its "\n" or "\r\n".
template <typename Fn> void ForEachLine(std::string_view text, Fn line) {
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view current = text.substr(0, end);
        if (!current.empty() && current.back() == '\r') current.remove_suffix(1);
        line(current);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
}

bool IsLineOf(std::string_view line, std::string_view key) {
    return line.size() > key.size() && line.substr(0, key.size()) == key && line[key.size()] == '=';
}

std::optional<std::string> ReadSettings(const asUSERPLACES& places) {
    const std::string directory = GetUserConfigDirectory(places, false);
    if (directory.empty()) return std::nullopt;
    const asFILEREAD read = ReadWholeFile(directory + SETTINGS_FILE_NAME, MAX_SETTINGS_BYTES);
    if (read.nStatus != FileReadStatus::READ) return std::nullopt;
    return std::string(reinterpret_cast<const char*>(read.arrBytes.data()), read.arrBytes.size());
}

void SaveSwitch(const asUSERPLACES& places, std::string_view key, bool on) {
    const std::string old = ReadSettings(places).value_or("");
    const std::string directory = GetUserConfigDirectory(places, true);
    if (directory.empty()) return;
    // A link the user made (settings kept with their other files) stays a link; one another
    // account could have planted is left alone, and the choice is not kept.
    const asRESOLVEDPATH path = ResolveFilePath(directory + SETTINGS_FILE_NAME);
    if (!path.strRefused.empty()) return;
    const std::string text = WithSwitchSetting(old, key, on);
    // The user's umask, not the old file's bits: a file that could not be read would otherwise
    // be made unreadable again each time.
    WriteFileAtomically(path.strPath, {reinterpret_cast<const uint8_t*>(text.data()), text.size()},
                        SystemFileOps(), FileModeRule::UMASK);
}

} // namespace

std::optional<bool> ParseSwitchSetting(std::string_view text, std::string_view key) {
    std::optional<bool> found;
    ForEachLine(text, [&](std::string_view line) {
        if (!IsLineOf(line, key)) return;
        const std::string_view value = line.substr(key.size() + 1);
        // A parent editing the file by hand may well write on and off.
        if (value == "1" || value == "on") found = true;
        if (value == "0" || value == "off") found = false;
    });
    return found;
}

std::string WithSwitchSetting(std::string_view text, std::string_view key, bool on) {
    std::string result;
    ForEachLine(text, [&](std::string_view line) {
        if (IsLineOf(line, key)) return;
        result.append(line);
        result += '\n';
    });
    return result + std::string(key) + (on ? "=1\n" : "=0\n");
}

std::optional<bool> ParseFullScreenSetting(std::string_view text) {
    return ParseSwitchSetting(text, FULL_SCREEN_KEY);
}

std::string FormatFullScreenSetting(bool fullScreen) {
    return WithSwitchSetting("", FULL_SCREEN_KEY, fullScreen);
}

std::optional<bool> LoadFullScreenSetting(const asUSERPLACES& places) {
    const std::optional<std::string> text = ReadSettings(places);
    return text ? ParseFullScreenSetting(*text) : std::nullopt;
}

void SaveFullScreenSetting(const asUSERPLACES& places, bool fullScreen) {
    SaveSwitch(places, FULL_SCREEN_KEY, fullScreen);
}

std::optional<bool> LoadMuteSetting(const asUSERPLACES& places) {
    const std::optional<std::string> text = ReadSettings(places);
    return text ? ParseSwitchSetting(*text, MUTE_KEY) : std::nullopt;
}

void SaveMuteSetting(const asUSERPLACES& places, bool mute) {
    SaveSwitch(places, MUTE_KEY, mute);
}

std::optional<bool> LoadReviewSetting(const asUSERPLACES& places) {
    const std::optional<std::string> text = ReadSettings(places);
    return text ? ParseSwitchSetting(*text, REVIEW_KEY) : std::nullopt;
}
