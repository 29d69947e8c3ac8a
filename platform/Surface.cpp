// Pixel operations on software surfaces: fill, copy, keyed copy, constant-alpha blend.
#include "platform/Surface.h"

#include <algorithm>
#include <cstring>

Surface::Surface(int width, int height, Color fill)
    : m_nWidth(width > 0 ? width : 0), m_nHeight(height > 0 ? height : 0),
      m_arrPixels(size_t(m_nWidth) * m_nHeight, fill) {}

void FillPixels(Surface& dst, const Rect& rc, Color color) {
    Rect r = IntersectRect(rc, dst.Bounds());
    for (int y = r.top; y < r.bottom; ++y)
        std::fill(dst.Row(y) + r.left, dst.Row(y) + r.right, color);
}

namespace {

// Walks every destination pixel of rcDst that lies on dst and maps it to the source pixel it
// takes (nearest neighbour), skipping source pixels outside src.
template <typename PixelOp>
void ForEachMappedPixel(Surface& dst, const Rect& rcDst, const PixelView& src, const Rect& rcSrc,
                        PixelOp op) {
    const int dw = rcDst.Width(), dh = rcDst.Height();
    const int sw = rcSrc.Width(), sh = rcSrc.Height();
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    const Rect clip = IntersectRect(rcDst, dst.Bounds());
    const bool sameSize = dw == sw && dh == sh;
    for (int y = clip.top; y < clip.bottom; ++y) {
        const int sy =
            rcSrc.top + (sameSize ? y - rcDst.top : int(int64_t(y - rcDst.top) * sh / dh));
        if (sy < 0 || sy >= src.nHeight) continue;
        const uint32_t* srcRow = src.pPixels + size_t(sy) * src.nStride;
        uint32_t* dstRow = dst.Row(y);
        for (int x = clip.left; x < clip.right; ++x) {
            const int sx =
                rcSrc.left + (sameSize ? x - rcDst.left : int(int64_t(x - rcDst.left) * sw / dw));
            if (sx < 0 || sx >= src.nWidth) continue;
            op(dstRow[x], srcRow[sx]);
        }
    }
}

inline uint32_t BlendChannel(uint32_t s, uint32_t d, uint32_t a) {
    return (s * a + d * (255 - a) + 127) / 255;
}

} // namespace

void CopyPixels(Surface& dst, const Rect& rcDst, const PixelView& src, const Rect& rcSrc) {
    // The common case (equal sizes, fully inside both) is a row of memcpy.
    if (rcDst.Width() == rcSrc.Width() && rcDst.Height() == rcSrc.Height() &&
        IntersectRect(rcDst, dst.Bounds()) == rcDst && rcSrc.left >= 0 && rcSrc.top >= 0 &&
        rcSrc.right <= src.nWidth && rcSrc.bottom <= src.nHeight && !rcDst.IsEmpty()) {
        for (int y = 0; y < rcDst.Height(); ++y)
            std::memcpy(dst.Row(rcDst.top + y) + rcDst.left,
                        src.pPixels + size_t(rcSrc.top + y) * src.nStride + rcSrc.left,
                        size_t(rcDst.Width()) * sizeof(uint32_t));
        return;
    }
    ForEachMappedPixel(dst, rcDst, src, rcSrc, [](uint32_t& d, uint32_t s) { d = s; });
}

void CopyPixelsKeyed(Surface& dst, const Rect& rcDst, const PixelView& src, const Rect& rcSrc) {
    ForEachMappedPixel(dst, rcDst, src, rcSrc, [](uint32_t& d, uint32_t s) {
        if ((s & 0xFFFFFF) != COLOR_KEY) d = s;
    });
}

void BlendPixels(Surface& dst, const Rect& rcDst, const PixelView& src, const Rect& rcSrc,
                 int alpha) {
    const uint32_t a = uint32_t(std::clamp(alpha, 0, 255));
    if (a == 0) return;
    ForEachMappedPixel(dst, rcDst, src, rcSrc, [a](uint32_t& d, uint32_t s) {
        d = (BlendChannel((s >> 16) & 0xFF, (d >> 16) & 0xFF, a) << 16) |
            (BlendChannel((s >> 8) & 0xFF, (d >> 8) & 0xFF, a) << 8) |
            BlendChannel(s & 0xFF, d & 0xFF, a);
    });
}
