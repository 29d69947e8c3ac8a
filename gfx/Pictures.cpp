// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Picture lookup over the catalogue and the pixels the build embedded.
#include "gfx/Pictures.h"

#include <algorithm>
#include <array>
#include <iterator>

#define ZIMBLY_PICTURE(id, name, w, h, mode, what) extern "C" const uint32_t zimbly_picture_##id[];
#include "res/Catalogue.inc"
#undef ZIMBLY_PICTURE
#define ZIMBLY_TRANSLATED_PICTURE(id, language)                                                    \
    extern "C" const uint32_t zimbly_picture_##id##_##language[];
#include "Translated.inc"
#undef ZIMBLY_TRANSLATED_PICTURE

namespace {

constexpr bool KEYED = true;
constexpr bool OPAQUE = false;

// As drawn; then the pictures in use, whose pixels a language may replace.
const asPICTUREINFO g_arrDrawn[] = {
#define ZIMBLY_PICTURE(id, name, w, h, mode, what) {id, w, h, mode, what, zimbly_picture_##id},
#include "res/Catalogue.inc"
#undef ZIMBLY_PICTURE
};
std::array<asPICTUREINFO, std::size(g_arrDrawn)> g_arrPictures = [] {
    std::array<asPICTUREINFO, std::size(g_arrDrawn)> pictures{};
    std::copy(std::begin(g_arrDrawn), std::end(g_arrDrawn), pictures.begin());
    return pictures;
}();

struct asTRANSLATEDPICTURE {
    int nId;
    std::string_view strLanguage;
    const uint32_t* pPixels;
};

// An empty entry first, so that the table exists when the build drew no picture per language.
constexpr asTRANSLATEDPICTURE g_arrTranslated[] = {
    {0, {}, nullptr},
#define ZIMBLY_TRANSLATED_PICTURE(id, language) {id, #language, zimbly_picture_##id##_##language},
#include "Translated.inc"
#undef ZIMBLY_TRANSLATED_PICTURE
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
    for (const asPICTUREINFO& p : g_arrDrawn)
        index[p.nId - FIRST_ID] = i++;
    return index;
}();

} // namespace

const asPICTUREINFO* FindPicture(int id) {
    if (id < FIRST_ID || id > LAST_ID) return nullptr;
    const int i = g_arrIndexById[id - FIRST_ID];
    return i < 0 ? nullptr : &g_arrPictures[i];
}

void UsePictureLanguage(std::string_view language) {
    std::copy(std::begin(g_arrDrawn), std::end(g_arrDrawn), g_arrPictures.begin());
    if (language.empty()) return;
    for (const asTRANSLATEDPICTURE& translated : g_arrTranslated)
        if (translated.strLanguage == language)
            g_arrPictures[g_arrIndexById[translated.nId - FIRST_ID]].pPixels = translated.pPixels;
}

std::span<const asPICTUREINFO> PictureCatalogue() {
    return g_arrPictures;
}
