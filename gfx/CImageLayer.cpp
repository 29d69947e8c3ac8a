// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing surface operations: each picture operation looks its picture up by id (no cache is
// needed, the pictures are embedded) and draws it with one pixel operation.
#include "gfx/CImageLayer.h"

#include "gfx/Pictures.h"
#include "gfx/Text.h"

CImageLayer::~CImageLayer() {
    ReleaseSurface();
}

int CImageLayer::CreateSurface(int width, int height) {
    ReleaseSurface();
    if (width <= 0 || height <= 0) return 0;
    m_hBitmap = std::make_unique<Surface>(width, height, COLOR_WHITE);
    m_pOwnContext = std::make_unique<asDRAWCONTEXT>();
    m_pOwnContext->pSurface = m_hBitmap.get();
    m_hDC = m_pOwnContext.get();
    m_rcSurface = {0, 0, width, height};
    return 1;
}

void CImageLayer::ReleaseSurface() {
    m_pOwnContext.reset();
    m_hBitmap.reset();
    m_hDC = nullptr;
}

void CImageLayer::FillSurface(const Rect* prc, Color color) {
    if (!m_hDC || !m_hDC->pSurface) return;
    FillPixels(*m_hDC->pSurface, prc ? *prc : m_rcSurface, color);
}

void CImageLayer::BlitTo(asDRAWCONTEXT& dst, Rect rcDst, const Rect* prcSrc) {
    if (!m_hDC || !m_hDC->pSurface || !dst.pSurface) return;
    CopyPixels(*dst.pSurface, rcDst, m_hDC->pSurface->View(), prcSrc ? *prcSrc : rcDst);
}

int CImageLayer::DrawBitmap(int x, int y, uint16_t id) {
    const asPICTUREINFO* picture = FindPicture(id);
    if (picture && m_hDC && m_hDC->pSurface)
        CopyPixels(*m_hDC->pSurface, OffsetRect(picture->Bounds(), x, y), picture->View(),
                   picture->Bounds());
    return 1;
}

int CImageLayer::DrawBitmapKeyed(int x, int y, uint16_t id) {
    const asPICTUREINFO* picture = FindPicture(id);
    if (picture && m_hDC && m_hDC->pSurface)
        CopyPixelsKeyed(*m_hDC->pSurface, OffsetRect(picture->Bounds(), x, y), picture->View(),
                        picture->Bounds());
    return 1;
}

int CImageLayer::DrawBitmapBlended(const Rect& rcSrc, const Rect& rcDst, uint16_t id,
                                   uint8_t alpha) {
    const asPICTUREINFO* picture = FindPicture(id);
    if (!picture || !m_hDC || !m_hDC->pSurface) return 1;
    const int dw = rcDst.Width(), dh = rcDst.Height();
    const int sw = rcSrc.Width(), sh = rcSrc.Height();
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return 1;
    // Nothing to do outside the clip, and the scratch copy below is the costly part.
    if (IntersectRect(rcDst, m_hDC->pSurface->ClipRect()).IsEmpty()) return 1;
    // A scratch copy of what lies under the destination, the picture keyed onto it, then the
    // scratch blended back: magenta parts come back unchanged, the rest at constant alpha.
    Surface scratch(dw, dh);
    CopyPixels(scratch, scratch.Bounds(), m_hDC->pSurface->View(), rcDst);
    CopyPixelsKeyed(scratch, scratch.Bounds(), picture->View(), Rect{0, 0, sw, sh});
    BlendPixels(*m_hDC->pSurface, rcDst, scratch.View(), Rect{0, 0, sw, sh}, alpha);
    return 1;
}

void CImageLayer::DrawShelfRegion(const Rect& rcSrc, const Rect& rcDst) {
    const asPICTUREINFO* picture = FindPicture(BOOKSHELF_PICTURE);
    if (picture && m_hDC && m_hDC->pSurface)
        CopyPixels(*m_hDC->pSurface, rcDst, picture->View(), rcSrc);
}

void CImageLayer::DrawTextBox(std::string_view gbk, const Rect& rc, unsigned format, int weight,
                              int height) {
    if (!m_hDC || !m_hDC->pSurface) return;
    DrawGbkText(*m_hDC->pSurface, gbk, rc, format, weight, height, m_hDC->crText);
}

void CImageLayer::SetClipRect(const Rect* prc) {
    if (!m_hDC || !m_hDC->pSurface) return;
    if (prc)
        m_hDC->pSurface->SetClipRect(*prc);
    else
        m_hDC->pSurface->ResetClipRect();
}
