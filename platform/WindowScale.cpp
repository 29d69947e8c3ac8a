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

int ClientCoordinate(int windowCoordinate, int scale) {
    const int quotient = windowCoordinate / scale;
    return (windowCoordinate % scale < 0) ? quotient - 1 : quotient;
}

void UpscaleNearest(const Surface& frame, int scale, void* dst, int dstPitch) {
    UpscaleNearest(frame, frame.Bounds(), scale, dst, dstPitch);
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
