// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Pixel operations on software surfaces: fill, copy, keyed copy, constant-alpha blend.
#include "gfx/Surface.h"

#include <algorithm>
#include <bit>
#include <cstring>

Surface::Surface(int width, int height, Color fill)
    : m_nWidth(width > 0 ? width : 0), m_nHeight(height > 0 ? height : 0),
      m_arrPixels(size_t(m_nWidth) * m_nHeight, fill) {}

void FillPixels(Surface& dst, const Rect& rc, Color color) {
    Rect r = IntersectRect(rc, dst.ClipRect());
    for (int y = r.top; y < r.bottom; ++y)
        std::fill(dst.Row(y) + r.left, dst.Row(y) + r.right, color);
}

namespace {

// Walks every destination pixel of rcDst that lies on dst and maps it to the source pixel it
// takes (nearest neighbour), skipping source pixels outside src. The pixels are handed to
// runOp(dst, src, count) in runs that are contiguous on both sides.
template <typename RunOp>
void ForEachMappedRun(Surface& dst, const Rect& rcDst, const asPIXELVIEW& src, const Rect& rcSrc,
                      RunOp runOp) {
    const int dw = rcDst.Width(), dh = rcDst.Height();
    const int sw = rcSrc.Width(), sh = rcSrc.Height();
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    const Rect clip = IntersectRect(rcDst, dst.ClipRect());
    if (dw == sw && dh == sh) {
        // Without scaling the pixels that lie on both surfaces form one rectangle, so each row
        // is a plain run: no per-pixel mapping or bounds test (the transitions' hot path).
        const int dx = rcDst.left - rcSrc.left, dy = rcDst.top - rcSrc.top;
        const Rect both = IntersectRect(clip, OffsetRect({0, 0, src.nWidth, src.nHeight}, dx, dy));
        for (int y = both.top; y < both.bottom; ++y)
            runOp(dst.Row(y) + both.left,
                  src.pPixels + size_t(y - dy) * src.nStride + (both.left - dx), both.Width());
        return;
    }
    for (int y = clip.top; y < clip.bottom; ++y) {
        const int sy = rcSrc.top + int(int64_t(y - rcDst.top) * sh / dh);
        if (sy < 0 || sy >= src.nHeight) continue;
        const uint32_t* srcRow = src.pPixels + size_t(sy) * src.nStride;
        uint32_t* dstRow = dst.Row(y);
        for (int x = clip.left; x < clip.right; ++x) {
            const int sx = rcSrc.left + int(int64_t(x - rcDst.left) * sw / dw);
            if (sx < 0 || sx >= src.nWidth) continue;
            runOp(dstRow + x, srcRow + sx, 1);
        }
    }
}

// Four pixels as bytes, and the same bytes widened to 16 bits for the blend arithmetic (GCC and
// Clang vector extensions: SIMD where the target has it, plain code where it has not).
using PixelBytes = uint8_t __attribute__((vector_size(16)));
using PixelWords = uint16_t __attribute__((vector_size(32)));
using PixelWords32 = uint32_t __attribute__((vector_size(16)));

// Per channel of four pixels (s * a + d * (255 - a) + 127) / 255, exactly: with u = t + 128,
// (u + (u >> 8)) >> 8 equals (t + 127) / 255 for every t up to 255 * 255. The top byte is 0.
inline void BlendFour(uint32_t* d, const uint32_t* s, uint16_t a) {
    PixelBytes sb, db;
    std::memcpy(&sb, s, sizeof sb);
    std::memcpy(&db, d, sizeof db);
    const PixelWords u = __builtin_convertvector(sb, PixelWords) * a +
                         __builtin_convertvector(db, PixelWords) * uint16_t(255 - a) + 128;
    const PixelBytes blended = __builtin_convertvector((u + (u >> 8)) >> 8, PixelBytes);
    const PixelWords32 rgb = std::bit_cast<PixelWords32>(blended) & 0xFFFFFFu;
    std::memcpy(d, &rgb, sizeof rgb);
}

void BlendRun(uint32_t* d, const uint32_t* s, int count, uint16_t a) {
    int i = 0;
    for (; i + 4 <= count; i += 4)
        BlendFour(d + i, s + i, a);
    if (i == count) return;
    uint32_t dstTail[4] = {}, srcTail[4] = {};
    const size_t tail = size_t(count - i) * sizeof(uint32_t);
    std::memcpy(dstTail, d + i, tail);
    std::memcpy(srcTail, s + i, tail);
    BlendFour(dstTail, srcTail, a);
    std::memcpy(d + i, dstTail, tail);
}

// Copies the pixels of s that are not COLOR_KEY over d: four at a time as a select between the
// two (no branch per pixel), then the rest one by one.
void KeyedRun(uint32_t* d, const uint32_t* s, int count) {
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        PixelWords32 source, under;
        std::memcpy(&source, s + i, sizeof source);
        std::memcpy(&under, d + i, sizeof under);
        const PixelWords32 keyed = (source & 0xFFFFFF) == COLOR_KEY; // all ones where keyed
        const PixelWords32 out = (under & keyed) | (source & ~keyed);
        std::memcpy(d + i, &out, sizeof out);
    }
    for (; i < count; ++i)
        if ((s[i] & 0xFFFFFF) != COLOR_KEY) d[i] = s[i];
}

} // namespace

void CopyPixels(Surface& dst, const Rect& rcDst, const asPIXELVIEW& src, const Rect& rcSrc) {
    ForEachMappedRun(dst, rcDst, src, rcSrc, [](uint32_t* d, const uint32_t* s, int count) {
        std::memmove(d, s, size_t(count) * sizeof(uint32_t));
    });
}

void ScrollPixels(Surface& surface, int dx, int dy) {
    const int width = surface.Width(), height = surface.Height();
    if (dx <= -width || dx >= width || dy <= -height || dy >= height) return;
    const int count = width - (dx < 0 ? -dx : dx);
    const int from = dx < 0 ? -dx : 0, to = dx < 0 ? 0 : dx;
    // Rows are visited away from the side they move to, so none is read after it was written.
    auto moveRow = [&](int y) {
        std::memmove(surface.Row(y + dy) + to, surface.Row(y) + from,
                     size_t(count) * sizeof(uint32_t));
    };
    if (dy > 0)
        for (int y = height - 1 - dy; y >= 0; --y)
            moveRow(y);
    else
        for (int y = -dy; y < height; ++y)
            moveRow(y);
}

void CopyPixelsKeyed(Surface& dst, const Rect& rcDst, const asPIXELVIEW& src, const Rect& rcSrc) {
    ForEachMappedRun(dst, rcDst, src, rcSrc, KeyedRun);
}

void BlendPixels(Surface& dst, const Rect& rcDst, const asPIXELVIEW& src, const Rect& rcSrc,
                 int alpha) {
    const auto a = uint16_t(std::clamp(alpha, 0, 255));
    if (a == 0) return;
    ForEachMappedRun(dst, rcDst, src, rcSrc,
                     [a](uint32_t* d, const uint32_t* s, int count) { BlendRun(d, s, count, a); });
}
