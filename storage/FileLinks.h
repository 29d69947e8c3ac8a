// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Symbolic links to the game's files are followed only where nobody else could have planted them.
#pragma once

#include <string>
#include <sys/types.h>

// Whether a link may be followed: it and the folder holding it belong to this user (me) or root,
// and nobody but the folder's owner may write in that folder. Otherwise another account could
// have made the link, to have this user's saves replace a file of theirs.
bool MayFollowLink(uid_t linkOwner, uid_t folderOwner, mode_t folderMode, uid_t me);

struct asRESOLVEDPATH {
    std::string strPath;    // where the file is read and replaced
    std::string strRefused; // empty, or why a link on the way may not be followed
};

// The path with symbolic links of its last part followed (also to a target that does not exist
// yet) and its directory made absolute, so that two spellings of one file compare equal and a
// replacement lands on the link's target instead of the link. A link MayFollowLink refuses is not
// followed: strRefused says why and strPath is that link.
asRESOLVEDPATH ResolveFilePath(const std::string& path);
