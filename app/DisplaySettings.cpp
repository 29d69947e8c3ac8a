// The full-screen choice remembered between starts.
#include "app/DisplaySettings.h"

#include "storage/FileIo.h"
#include "storage/FileLinks.h"
#include "storage/Paths.h"

namespace {

constexpr const char* SETTINGS_FILE_NAME = "settings";
constexpr std::string_view FULL_SCREEN_KEY = "fullscreen=";
constexpr size_t MAX_SETTINGS_BYTES = 4096;

} // namespace

std::optional<bool> ParseFullScreenSetting(std::string_view text) {
    std::optional<bool> found;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line == "fullscreen=1") found = true;
        if (line == "fullscreen=0") found = false;
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return found;
}

std::string FormatFullScreenSetting(bool fullScreen) {
    return std::string(FULL_SCREEN_KEY) + (fullScreen ? "1" : "0") + "\n";
}

std::optional<bool> LoadFullScreenSetting(const asUSERPLACES& places) {
    const std::string directory = GetUserConfigDirectory(places, false);
    if (directory.empty()) return std::nullopt;
    const asFILEREAD read = ReadWholeFile(directory + SETTINGS_FILE_NAME, MAX_SETTINGS_BYTES);
    if (read.nStatus != FileReadStatus::READ) return std::nullopt;
    return ParseFullScreenSetting(
        {reinterpret_cast<const char*>(read.arrBytes.data()), read.arrBytes.size()});
}

void SaveFullScreenSetting(const asUSERPLACES& places, bool fullScreen) {
    const std::string directory = GetUserConfigDirectory(places, true);
    if (directory.empty()) return;
    // A link the user made (settings kept with their other files) stays a link; one another
    // account could have planted is left alone, and the choice is not kept.
    const asRESOLVEDPATH path = ResolveFilePath(directory + SETTINGS_FILE_NAME);
    if (!path.strRefused.empty()) return;
    const std::string text = FormatFullScreenSetting(fullScreen);
    // The user's umask, not the old file's bits: a file that could not be read would otherwise
    // be made unreadable again each time.
    WriteFileAtomically(path.strPath, {reinterpret_cast<const uint8_t*>(text.data()), text.size()},
                        SystemFileOps(), FileModeRule::UMASK);
}
