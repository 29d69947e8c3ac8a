// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures embedded in the executable, addressed by their numeric ids.
#pragma once

#include "gfx/Surface.h"

#include <cstdint>
#include <span>

// The catalogue's names of the picture ids (BOOKSHELF_PICTURE, HAND_RELEASED_PICTURE, …).
enum PictureId : uint16_t {
#define ZIMBLY_PICTURE(id, name, w, h, mode, what) name = id,
#include "res/Catalogue.inc"
#undef ZIMBLY_PICTURE
};

struct asPICTUREINFO {
    int nId;
    int nWidth;
    int nHeight;
    bool bKeyed; // magenta marks left-out pixels
    const char* szWhat;
    const uint32_t* pPixels;

    asPIXELVIEW View() const { return {pPixels, nWidth, nHeight, nWidth}; }
    Rect Bounds() const { return {0, 0, nWidth, nHeight}; }
};

// The picture with that id, or null when the catalogue has none. Costs nothing: a table lookup.
const asPICTUREINFO* FindPicture(int id);

std::span<const asPICTUREINFO> PictureCatalogue();
