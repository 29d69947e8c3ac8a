// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The one place the environment is read.
#include "app/Environment.h"

#include <cstdlib>

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// A decimal number that fits in 32 bits; anything else is no seed.
std::optional<unsigned> Seed(const std::string& text) {
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != text.npos)
        return std::nullopt;
    const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
    if (value > 0xFFFFFFFFull) return std::nullopt;
    return unsigned(value);
}

} // namespace

asENVIRONMENT ReadEnvironment() {
    asENVIRONMENT environment;
    environment.places = {Variable("HOME"), Variable("XDG_DATA_HOME"), Variable("XDG_CONFIG_HOME")};
    environment.strCacheHome = Variable("XDG_CACHE_HOME");
    environment.strVideoDriver = Variable("SDL_VIDEODRIVER");
    environment.strScale = Variable("ZIMBLY_SCALE");
    environment.nSeed = Seed(Variable("ZIMBLY_SEED"));
    environment.language = {Variable("LANGUAGE"), Variable("LC_ALL"), Variable("LC_MESSAGES"),
                            Variable("LANG")};
    return environment;
}
