// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-number window scale, its pointer mapping and the nearest-neighbour enlargement.
#include "platform/WindowScale.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

int ChooseWindowScale(int desktopWidth, int desktopHeight, int clientWidth, int clientHeight,
                      const char* forced) {
    if (forced && *forced) {
        char* end = nullptr;
        const long value = std::strtol(forced, &end, 10);
        if (*end == '\0' && value >= 1 && value <= MAX_WINDOW_SCALE) return int(value);
    }
    if (clientWidth <= 0 || clientHeight <= 0) return 1;
    const int fit = std::min(desktopWidth / clientWidth, desktopHeight / clientHeight);
    return std::clamp(fit, 1, MAX_WINDOW_SCALE);
}

bool WindowFitsDesktop(int desktopWidth, int desktopHeight, int clientWidth, int clientHeight,
                       int scale) {
    return int64_t(clientWidth) * scale <= desktopWidth &&
           int64_t(clientHeight) * scale <= desktopHeight;
}

void UpscaleNearest(const Surface& frame, const Rect& area, int scale, void* dst, int dstPitch) {
    const Rect part = IntersectRect(area, frame.Bounds());
    if (part.IsEmpty()) return;
    const int width = part.Width();
    const size_t rowBytes = size_t(width) * size_t(scale) * sizeof(uint32_t);
    auto* out = static_cast<uint8_t*>(dst) + ptrdiff_t(part.top) * scale * dstPitch +
                ptrdiff_t(part.left) * scale * ptrdiff_t(sizeof(uint32_t));
    for (int y = part.top; y < part.bottom; ++y) {
        const uint32_t* in = frame.Row(y) + part.left;
        auto* first = reinterpret_cast<uint32_t*>(out);
        if (scale == 2) {
            // The common case, kept apart so the compiler can vectorise it.
            for (int x = 0; x < width; ++x)
                first[2 * x] = first[2 * x + 1] = in[x];
        } else {
            for (int x = 0; x < width; ++x)
                std::fill_n(first + ptrdiff_t(x) * scale, scale, in[x]);
        }
        out += dstPitch;
        for (int copy = 1; copy < scale; ++copy, out += dstPitch)
            std::memcpy(out, first, rowBytes);
    }
}

asPICTUREPLACE PlaceAtScale(int clientWidth, int clientHeight, int scale) {
    return {0, 0, clientWidth * scale, clientHeight * scale, scale};
}

asPICTUREPLACE FitPicture(int windowWidth, int windowHeight, int clientWidth, int clientHeight) {
    asPICTUREPLACE place;
    if (clientWidth <= 0 || clientHeight <= 0 || windowWidth <= 0 || windowHeight <= 0)
        return PlaceAtScale(clientWidth, clientHeight, 1);
    const int whole = std::min(windowWidth / clientWidth, windowHeight / clientHeight);
    if (whole >= 1) {
        place = PlaceAtScale(clientWidth, clientHeight, std::min(whole, MAX_WINDOW_SCALE));
    } else {
        // Reduced by the tighter of the two directions, the other keeping the proportions.
        place.nScale = 0;
        if (int64_t(windowWidth) * clientHeight <= int64_t(windowHeight) * clientWidth) {
            place.nWidth = windowWidth;
            place.nHeight = int(int64_t(windowWidth) * clientHeight / clientWidth);
        } else {
            place.nHeight = windowHeight;
            place.nWidth = int(int64_t(windowHeight) * clientWidth / clientHeight);
        }
    }
    place.nLeft = (windowWidth - place.nWidth) / 2;
    place.nTop = (windowHeight - place.nHeight) / 2;
    return place;
}

int ClientCoordinate(int windowCoordinate, int origin, int pictureSize, int clientSize) {
    if (pictureSize <= 0) return -1;
    const int64_t scaled = int64_t(windowCoordinate - origin) * clientSize;
    const int64_t quotient = scaled / pictureSize;
    return int((scaled % pictureSize < 0) ? quotient - 1 : quotient);
}

Rect WindowRectOf(const Rect& area, const asPICTUREPLACE& place, int clientWidth,
                  int clientHeight) {
    if (area.IsEmpty() || clientWidth <= 0 || clientHeight <= 0) return {};
    // A window pixel shows the client pixels from floor(x * cw / pw) up to before
    // ceil((x + 1) * cw / pw): the window pixels from floor(left * pw / cw) up to before
    // ceil(right * pw / cw) are the ones that show anything of area.
    auto low = [](int v, int size, int client) { return int(int64_t(v) * size / client); };
    auto high = [](int v, int size, int client) {
        return int((int64_t(v) * size + client - 1) / client);
    };
    return {place.nLeft + low(area.left, place.nWidth, clientWidth),
            place.nTop + low(area.top, place.nHeight, clientHeight),
            place.nLeft + high(area.right, place.nWidth, clientWidth),
            place.nTop + high(area.bottom, place.nHeight, clientHeight)};
}

void ReduceSmooth(const Surface& frame, const Rect& area, const asPICTUREPLACE& place, void* dst,
                  int dstPitch) {
    const int cw = frame.Width(), ch = frame.Height();
    const Rect window = IntersectRect(
        WindowRectOf(area, place, cw, ch),
        {place.nLeft, place.nTop, place.nLeft + place.nWidth, place.nTop + place.nHeight});
    for (int wy = window.top; wy < window.bottom; ++wy) {
        const int py = wy - place.nTop;
        const int y0 = int(int64_t(py) * ch / place.nHeight);
        const int y1 = std::max(y0 + 1, int((int64_t(py + 1) * ch) / place.nHeight));
        auto* out =
            reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(dst) + ptrdiff_t(wy) * dstPitch);
        for (int wx = window.left; wx < window.right; ++wx) {
            const int px = wx - place.nLeft;
            const int x0 = int(int64_t(px) * cw / place.nWidth);
            const int x1 = std::max(x0 + 1, int((int64_t(px + 1) * cw) / place.nWidth));
            uint32_t r = 0, g = 0, b = 0, n = 0;
            for (int y = y0; y < y1 && y < ch; ++y) {
                const uint32_t* row = frame.Row(y);
                for (int x = x0; x < x1 && x < cw; ++x) {
                    r += (row[x] >> 16) & 0xFF;
                    g += (row[x] >> 8) & 0xFF;
                    b += row[x] & 0xFF;
                    ++n;
                }
            }
            out[wx] = n ? ((r / n) << 16) | ((g / n) << 8) | (b / n) : 0;
        }
    }
}
