// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures embedded in the executable, addressed by their numeric ids.
#pragma once

#include "gfx/Surface.h"

#include <cstdint>
#include <span>
#include <string_view>

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
// A picture with painted words comes in the language put in use, where the build drew it so.
const asPICTUREINFO* FindPicture(int id);

// Puts in use the pictures drawn for a language (a catalogue's name, such as "en"); empty, or a
// language the build drew none for, gives the pictures as drawn, with their Chinese words. Called
// once at start-up, before any thread draws.
void UsePictureLanguage(std::string_view language);

std::span<const asPICTUREINFO> PictureCatalogue();
