// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// xdg-open started in the background: the report's process ends while the browser opens.
#include "platform/DesktopOpen.h"

#include <cstring>
#include <spawn.h>

extern char** environ;

bool OpenWithDesktop(const std::string& path, std::string& error) {
    std::string program = "xdg-open";
    std::string argument = path;
    char* argv[] = {program.data(), argument.data(), nullptr};
    pid_t pid = 0;
    // glibc's posix_spawnp reports a program that cannot be executed as its result.
    const int result = posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ);
    if (result != 0) {
        error = std::string("xdg-open could not be started: ") + std::strerror(result);
        return false;
    }
    return true;
}
