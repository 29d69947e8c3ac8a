// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Everything the game takes from its environment, read once at start-up and passed on from there.
#pragma once

#include "app/Language.h"
#include "storage/Paths.h"

#include <optional>
#include <string>

struct asENVIRONMENT {
    asUSERPLACES places;           // HOME, XDG_DATA_HOME, XDG_CONFIG_HOME
    std::string strCacheHome;      // XDG_CACHE_HOME: where the parents' report goes
    std::string strVideoDriver;    // SDL_VIDEODRIVER: a display-less driver only when named here
    std::string strScale;          // ZIMBLY_SCALE: a whole-number window scale, 1..8
    std::optional<unsigned> nSeed; // ZIMBLY_SEED: the problem draws' seed, to replay pages
    asLANGUAGEVARIABLES language;  // LANGUAGE, LC_ALL, LC_MESSAGES, LANG: the texts' language
};

asENVIRONMENT ReadEnvironment();
