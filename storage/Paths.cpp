// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Executable and per-user data directories.
#include "storage/Paths.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

std::string DirectoryOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string GetExecutableDirectory() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || !exe.has_parent_path()) return {};
    std::string dir = exe.parent_path().string();
    if (dir.empty() || dir.back() != '/') dir.push_back('/');
    return dir;
}

bool IsInBuildTree(const std::string& executableDirectory) {
    if (executableDirectory.empty()) return false;
    std::error_code ec;
    std::filesystem::path dir = std::filesystem::absolute(executableDirectory, ec);
    if (ec) return false;
    if (!dir.has_filename()) dir = dir.parent_path(); // the trailing '/'
    for (;; dir = dir.parent_path()) {
        if (std::filesystem::is_regular_file(dir / "CMakeCache.txt", ec)) return true;
        if (dir == dir.root_path() || dir.empty()) return false;
    }
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

bool PathExists(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

namespace {

// xdg/zimbly/, or home/fallback/zimbly/ when xdg is not an absolute path.
std::string PerUserDirectory(const std::string& xdg, const std::string& home, const char* fallback,
                             bool create) {
    std::string base;
    if (!xdg.empty() && xdg[0] == '/') {
        base = xdg;
    } else if (!home.empty() && home[0] == '/') {
        base = home + "/" + fallback;
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

std::string GetUserDataDirectory(const asUSERPLACES& places) {
    return PerUserDirectory(places.strDataHome, places.strHome, ".local/share", true);
}

std::string GetUserConfigDirectory(const asUSERPLACES& places, bool create) {
    return PerUserDirectory(places.strConfigHome, places.strHome, ".config", create);
}

std::string GetUserCacheDirectory(const std::string& cacheHome, const std::string& home) {
    return PerUserDirectory(cacheHome, home, ".cache", true);
}
