// Executable and per-user data directories.
#include "platform/Paths.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

std::string GetExecutableDirectory() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || !exe.has_parent_path()) return {};
    std::string dir = exe.parent_path().string();
    if (dir.empty() || dir.back() != '/') dir.push_back('/');
    return dir;
}

bool IsDirectoryWritable(const std::string& directory) {
    std::string probe =
        (directory.empty() ? std::string("./") : directory) + ".zimbly-probe-XXXXXX";
    int fd = mkstemp(probe.data());
    if (fd < 0) return false;
    close(fd);
    unlink(probe.c_str());
    return true;
}

namespace {

// $variable/zimbly/, or $HOME/fallback/zimbly/ when the variable is not an absolute path.
std::string PerUserDirectory(const char* variable, const char* fallback, bool create) {
    std::string base;
    if (const char* xdg = std::getenv(variable); xdg && xdg[0] == '/') {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home && home[0] == '/') {
        base = std::string(home) + "/" + fallback;
    } else {
        return {};
    }
    std::error_code ec;
    std::filesystem::path dir = std::filesystem::path(base) / "zimbly";
    if (create) std::filesystem::create_directories(dir, ec);
    if (create && !std::filesystem::is_directory(dir, ec)) return {};
    return dir.string() + "/";
}

} // namespace

std::string GetUserDataDirectory() {
    return PerUserDirectory("XDG_DATA_HOME", ".local/share", true);
}

std::string GetUserConfigDirectory(bool create) {
    return PerUserDirectory("XDG_CONFIG_HOME", ".config", create);
}
