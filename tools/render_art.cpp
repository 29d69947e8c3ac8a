// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Build-time art step: renders one SVG to raw 0x00RRGGBB pixels of an exact size, or (--png) to a
// square PNG with its transparency kept, for the desktop icon.
// Keyed pictures get pure magenta wherever coverage is below half and never elsewhere, so a keyed
// draw leaves no pink fringe; opaque pictures are flattened on white and may hold no magenta.
#include <librsvg/rsvg.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr uint32_t MAGENTA = 0xFF00FF;
constexpr uint32_t NEAR_MAGENTA = 0xFE00FF;

uint32_t Unpremultiply(uint32_t argb) {
    uint32_t a = argb >> 24;
    if (a == 0) return 0xFFFFFF;
    auto channel = [&](int shift) {
        uint32_t c = (argb >> shift) & 0xFF;
        uint32_t v = (c * 255 + a / 2) / a;
        return v > 255 ? 255u : v;
    };
    return (channel(16) << 16) | (channel(8) << 8) | channel(0);
}

uint32_t OverWhite(uint32_t argb) {
    uint32_t a = argb >> 24;
    auto channel = [&](int shift) { return ((argb >> shift) & 0xFF) + (255 - a); };
    return (channel(16) << 16) | (channel(8) << 8) | channel(0);
}

// The SVG drawn to fill width x height on a transparent ARGB32 surface; null after a message.
cairo_surface_t* RenderSvg(const char* svgPath, int width, int height) {
    GError* error = nullptr;
    RsvgHandle* handle = rsvg_handle_new_from_file(svgPath, &error);
    if (!handle) {
        std::fprintf(stderr, "render_art: %s: %s\n", svgPath,
                     error ? error->message : "unreadable");
        return nullptr;
    }
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    RsvgRectangle viewport{0, 0, double(width), double(height)};
    const bool rendered = rsvg_handle_render_document(handle, cr, &viewport, &error);
    cairo_destroy(cr);
    g_object_unref(handle);
    if (!rendered) {
        std::fprintf(stderr, "render_art: %s: %s\n", svgPath, error ? error->message : "failed");
        cairo_surface_destroy(surface);
        return nullptr;
    }
    cairo_surface_flush(surface);
    return surface;
}

int RenderIcon(const char* svgPath, const char* pngPath, int size) {
    cairo_surface_t* surface = RenderSvg(svgPath, size, size);
    if (!surface) return 1;
    const cairo_status_t status = cairo_surface_write_to_png(surface, pngPath);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "render_art: cannot write %s\n", pngPath);
        return 1;
    }
    return 0;
}

int RenderPicture(const char* svgPath, const char* rawPath, int width, int height, bool keyed) {
    cairo_surface_t* surface = RenderSvg(svgPath, width, height);
    if (!surface) return 1;
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    std::vector<uint32_t> pixels(size_t(width) * height);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < width; ++x) {
            uint32_t argb = row[x];
            uint32_t rgb;
            if (keyed)
                rgb = (argb >> 24) < 128 ? MAGENTA : Unpremultiply(argb);
            else
                rgb = OverWhite(argb);
            if (rgb == MAGENTA && !(keyed && (argb >> 24) < 128)) rgb = NEAR_MAGENTA;
            pixels[size_t(y) * width + x] = rgb;
        }
    }
    cairo_surface_destroy(surface);

    FILE* out = std::fopen(rawPath, "wb");
    if (!out || std::fwrite(pixels.data(), sizeof(uint32_t), pixels.size(), out) != pixels.size() ||
        std::fclose(out) != 0) {
        std::fprintf(stderr, "render_art: cannot write %s\n", rawPath);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::strcmp(argv[1], "--png") == 0 && std::atoi(argv[4]) > 0)
        return RenderIcon(argv[2], argv[3], std::atoi(argv[4]));
    if (argc == 6 && std::atoi(argv[3]) > 0 && std::atoi(argv[4]) > 0)
        return RenderPicture(argv[1], argv[2], std::atoi(argv[3]), std::atoi(argv[4]),
                             std::atoi(argv[5]) != 0);
    std::fprintf(stderr, "usage: render_art in.svg out.raw width height keyed(0|1)\n"
                         "       render_art --png in.svg out.png size\n");
    return 2;
}
