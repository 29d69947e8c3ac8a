// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Following the links of a file's path, with the ownership rule that keeps planted links out.
#include "storage/FileLinks.h"

#include "storage/Paths.h"

#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int MAX_LINKS_FOLLOWED = 40; // as the kernel's own limit

bool OwnerIsTrusted(uid_t owner, uid_t me) {
    return owner == me || owner == 0;
}

} // namespace

bool MayFollowLink(uid_t linkOwner, uid_t folderOwner, mode_t folderMode, uid_t me) {
    return OwnerIsTrusted(linkOwner, me) && OwnerIsTrusted(folderOwner, me) &&
           (folderMode & (S_IWGRP | S_IWOTH)) == 0;
}

asRESOLVEDPATH ResolveFilePath(const std::string& path) {
    asRESOLVEDPATH resolved;
    std::string current = path;
    for (int i = 0; i < MAX_LINKS_FOLLOWED; ++i) {
        struct stat link {};
        struct stat folder {};
        if (lstat(current.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) break;
        if (stat(DirectoryOf(current).c_str(), &folder) != 0 ||
            !MayFollowLink(link.st_uid, folder.st_uid, folder.st_mode, geteuid())) {
            resolved.strRefused = current + " is a symbolic link that another account could have "
                                            "made, so it is not followed";
            break;
        }
        char buffer[PATH_MAX];
        const ssize_t n = readlink(current.c_str(), buffer, sizeof buffer - 1);
        if (n <= 0) break;
        const std::string target(buffer, size_t(n));
        current = target[0] == '/' ? target : DirectoryOf(current) + "/" + target;
    }
    char directory[PATH_MAX];
    if (!realpath(DirectoryOf(current).c_str(), directory)) {
        resolved.strPath = current;
        return resolved;
    }
    const std::string base(directory);
    resolved.strPath = (base == "/" ? base : base + "/") + NameOf(current);
    return resolved;
}
