// Build-time art step: renders one SVG to raw 0x00RRGGBB pixels of an exact size.
// Keyed pictures get pure magenta wherever coverage is below half and never elsewhere, so a keyed
// draw leaves no pink fringe; opaque pictures are flattened on white and may hold no magenta.
#include <librsvg/rsvg.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

} // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: render_art in.svg out.raw width height keyed(0|1)\n");
        return 2;
    }
    const char* svgPath = argv[1];
    const char* rawPath = argv[2];
    const int width = std::atoi(argv[3]);
    const int height = std::atoi(argv[4]);
    const bool keyed = std::atoi(argv[5]) != 0;

    GError* error = nullptr;
    RsvgHandle* handle = rsvg_handle_new_from_file(svgPath, &error);
    if (!handle) {
        std::fprintf(stderr, "render_art: %s: %s\n", svgPath,
                     error ? error->message : "unreadable");
        return 1;
    }
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    RsvgRectangle viewport{0, 0, double(width), double(height)};
    if (!rsvg_handle_render_document(handle, cr, &viewport, &error)) {
        std::fprintf(stderr, "render_art: %s: %s\n", svgPath, error ? error->message : "failed");
        return 1;
    }
    cairo_surface_flush(surface);

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

    FILE* out = std::fopen(rawPath, "wb");
    if (!out || std::fwrite(pixels.data(), sizeof(uint32_t), pixels.size(), out) != pixels.size() ||
        std::fclose(out) != 0) {
        std::fprintf(stderr, "render_art: cannot write %s\n", rawPath);
        return 1;
    }
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    g_object_unref(handle);
    return 0;
}
