// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program lives and where it may keep its data.
#pragma once

#include <string>

// The directory part of a path without its trailing '/' ("." for a bare name, "/" at the root),
// and the last part.
std::string DirectoryOf(const std::string& path);
std::string NameOf(const std::string& path);

// The directory of the running executable, with a trailing '/'; empty when unknown.
std::string GetExecutableDirectory();

// True when the directory, or one above it, holds a CMake build tree's CMakeCache.txt: a game
// started from where it was built, which a rebuild or a clean may empty at any time.
bool IsInBuildTree(const std::string& executableDirectory);

// True when anything (a dangling symbolic link included) is at path.
bool PathExists(const std::string& path);

// True when a file can be created in the directory (tried, not guessed from permission bits).
bool IsDirectoryWritable(const std::string& directory);

// The environment's word on where per-user files go (read once at start-up): HOME,
// XDG_DATA_HOME and XDG_CONFIG_HOME, each empty when unset.
struct asUSERPLACES {
    std::string strHome;
    std::string strDataHome;
    std::string strConfigHome;
};

// $XDG_DATA_HOME/zimbly/ (default ~/.local/share/zimbly/), created when missing; trailing '/'.
// Empty when no home can be found.
std::string GetUserDataDirectory(const asUSERPLACES& places);

// $XDG_CONFIG_HOME/zimbly/ (default ~/.config/zimbly/) with a trailing '/', created when create
// is set; empty when no home can be found.
std::string GetUserConfigDirectory(const asUSERPLACES& places, bool create);

// $XDG_CACHE_HOME/zimbly/ (default ~/.cache/zimbly/, from XDG_CACHE_HOME and HOME), created when
// missing; trailing '/'. Empty when no home can be found.
std::string GetUserCacheDirectory(const std::string& cacheHome, const std::string& home);
