// The pictures embedded in the executable, addressed by their numeric ids.
#pragma once

#include "platform/Surface.h"

#include <span>

struct PictureInfo {
    int nId;
    int nWidth;
    int nHeight;
    bool bKeyed; // magenta marks left-out pixels
    const char* szWhat;
    const uint32_t* pPixels;

    PixelView View() const { return {pPixels, nWidth, nHeight, nWidth}; }
    Rect Bounds() const { return {0, 0, nWidth, nHeight}; }
};

// The picture with that id, or null when the catalogue has none. Costs nothing: a table lookup.
const PictureInfo* FindPicture(int id);

std::span<const PictureInfo> PictureCatalogue();
