// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Software pixel surfaces and the pixel operations every drawing call is made of.
#pragma once

#include "gfx/Geometry.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// A read-only view of pixels: a surface or an embedded picture.
struct asPIXELVIEW {
    const uint32_t* pPixels = nullptr;
    int nWidth = 0;
    int nHeight = 0;
    int nStride = 0; // in pixels

    uint32_t At(int x, int y) const { return pPixels[size_t(y) * nStride + x]; }
};

class Surface {
public:
    Surface() = default;
    Surface(int width, int height, Color fill = COLOR_WHITE);

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    Rect Bounds() const { return {0, 0, m_nWidth, m_nHeight}; }
    // Every pixel operation and text drawing into the surface stays inside this rectangle
    // (the whole surface unless set), so that a part of a frame can be composed on its own.
    Rect ClipRect() const { return m_bClipped ? m_rcClip : Bounds(); }
    void SetClipRect(const Rect& rc) {
        m_rcClip = IntersectRect(rc, Bounds());
        m_bClipped = true;
    }
    void ResetClipRect() { m_bClipped = false; }
    uint32_t* Row(int y) { return m_arrPixels.data() + size_t(y) * m_nWidth; }
    const uint32_t* Row(int y) const { return m_arrPixels.data() + size_t(y) * m_nWidth; }
    uint32_t GetPixel(int x, int y) const { return Row(y)[x]; }
    void SetPixel(int x, int y, Color c) { Row(y)[x] = c; }
    const uint32_t* Data() const { return m_arrPixels.data(); }
    asPIXELVIEW View() const { return {m_arrPixels.data(), m_nWidth, m_nHeight, m_nWidth}; }

private:
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<uint32_t> m_arrPixels;
    Rect m_rcClip;
    bool m_bClipped = false;
};

// Solid fill, clipped to the surface's clip rectangle (as are all the operations below).
void FillPixels(Surface& dst, const Rect& rc, Color color);

// Copies the source rectangle of src into the destination rectangle, stretching by nearest
// neighbour when the sizes differ; clipped to both.
void CopyPixels(Surface& dst, const Rect& rcDst, const asPIXELVIEW& src, const Rect& rcSrc);

// Moves the whole picture dx pixels right and dy down within the surface (the clip is not
// consulted); what is uncovered keeps its old pixels.
void ScrollPixels(Surface& surface, int dx, int dy);

// Like CopyPixels, but source pixels of exactly COLOR_KEY leave the destination unchanged.
void CopyPixelsKeyed(Surface& dst, const Rect& rcDst, const asPIXELVIEW& src, const Rect& rcSrc);

// Blends the source rectangle over the destination rectangle at constant alpha (0..255):
// alpha/255 of the source plus (255 - alpha)/255 of the destination.
void BlendPixels(Surface& dst, const Rect& rcDst, const asPIXELVIEW& src, const Rect& rcSrc,
                 int alpha);
