// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Picture lookup over the catalogue and the pixels the build embedded.
#include "gfx/Pictures.h"

#include <algorithm>
#include <array>

#define ZIMBLY_PICTURE(id, name, w, h, mode, what) extern "C" const uint32_t zimbly_picture_##id[];
#include "res/Catalogue.inc"
#undef ZIMBLY_PICTURE

namespace {

constexpr bool KEYED = true;
constexpr bool OPAQUE = false;

const asPICTUREINFO g_arrPictures[] = {
#define ZIMBLY_PICTURE(id, name, w, h, mode, what) {id, w, h, mode, what, zimbly_picture_##id},
#include "res/Catalogue.inc"
#undef ZIMBLY_PICTURE
};

constexpr int FIRST_ID = 130;
// The highest id of the catalogue, so that a picture added there is found too.
constexpr int LAST_ID = std::max({
#define ZIMBLY_PICTURE(id, name, w, h, mode, what) id,
#include "res/Catalogue.inc"
#undef ZIMBLY_PICTURE
});

// Index by id for a lookup without search; -1 where no picture has that id.
const std::array<int, LAST_ID - FIRST_ID + 1> g_arrIndexById = [] {
    std::array<int, LAST_ID - FIRST_ID + 1> index{};
    index.fill(-1);
    int i = 0;
    for (const asPICTUREINFO& p : g_arrPictures)
        index[p.nId - FIRST_ID] = i++;
    return index;
}();

} // namespace

const asPICTUREINFO* FindPicture(int id) {
    if (id < FIRST_ID || id > LAST_ID) return nullptr;
    const int i = g_arrIndexById[id - FIRST_ID];
    return i < 0 ? nullptr : &g_arrPictures[i];
}

std::span<const asPICTUREINFO> PictureCatalogue() {
    return g_arrPictures;
}
