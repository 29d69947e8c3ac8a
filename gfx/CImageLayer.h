// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The off-screen drawing surface and the drawing operations every screen painter uses.
#pragma once

#include "gfx/Geometry.h"
#include "gfx/Surface.h"

#include <cstdint>
#include <memory>
#include <string_view>

// What a layer draws into: a surface and the text colour that text draws take.
struct asDRAWCONTEXT {
    Surface* pSurface = nullptr;
    Color crText = COLOR_BLACK;

    Color SetTextColor(Color color) {
        Color old = crText;
        crText = color;
        return old;
    }
};

// Owning (m_hBitmap set: the layer made its surface and context) or borrowing (m_hBitmap null:
// m_hDC belongs to someone else and was stored directly).
class CImageLayer {
public:
    CImageLayer() = default;
    virtual ~CImageLayer();
    CImageLayer(const CImageLayer&) = delete;
    CImageLayer& operator=(const CImageLayer&) = delete;

    // A white surface of that size; 1 on success, 0 on failure.
    int CreateSurface(int width, int height);
    void ReleaseSurface();

    // prc null: the whole surface.
    void FillSurface(const Rect* prc, Color color);
    // Copies from this layer to dst; prcSrc null: the same rectangle as rcDst.
    void BlitTo(asDRAWCONTEXT& dst, Rect rcDst, const Rect* prcSrc);
    int DrawBitmap(int x, int y, uint16_t id);
    int DrawBitmapKeyed(int x, int y, uint16_t id);
    int DrawBitmapBlended(const Rect& rcSrc, const Rect& rcDst, uint16_t id, uint8_t alpha);
    // The source rectangle of the bookshelf picture into the destination rectangle.
    void DrawShelfRegion(const Rect& rcSrc, const Rect& rcDst);
    void DrawTextBox(std::string_view gbk, const Rect& rc, unsigned format, int weight, int height);
    // Every operation above draws only inside *prc from here on; null: the whole surface again.
    void SetClipRect(const Rect* prc);

    asDRAWCONTEXT* m_hDC = nullptr;
    std::unique_ptr<Surface> m_hBitmap;
    Rect m_rcSurface;

private:
    std::unique_ptr<asDRAWCONTEXT> m_pOwnContext;
};
