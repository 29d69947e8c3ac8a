// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// PNG output through libpng: 8-bit RGB rows, unfiltered (the end-to-end tests' readers read those).
#include "gfx/PngWriter.h"

#include <cstdio>
#include <png.h>
#include <vector>

bool WritePng(const std::string& path, const Surface& surface) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool written = false;
    // libpng reports a failure by a long jump back here; nothing below owns anything it skips.
    if (info && setjmp(png_jmpbuf(png)) == 0) {
        const int width = surface.Width(), height = surface.Height();
        png_init_io(png, out);
        png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
        png_set_compression_level(png, 6);
        // One IDAT chunk for the whole picture: the same bytes as one compress call gives.
        png_set_compression_buffer_size(png, size_t(height) * (size_t(width) * 3 + 1) + 1024);
        png_write_info(png, info);
        std::vector<png_byte> row(size_t(width) * 3);
        for (int y = 0; y < height; ++y) {
            const uint32_t* pixels = surface.Row(y);
            for (int x = 0; x < width; ++x) {
                row[size_t(x) * 3] = png_byte(pixels[x] >> 16);
                row[size_t(x) * 3 + 1] = png_byte(pixels[x] >> 8);
                row[size_t(x) * 3 + 2] = png_byte(pixels[x]);
            }
            png_write_row(png, row.data());
        }
        png_write_end(png, nullptr);
        written = true;
    }
    png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
    return std::fclose(out) == 0 && written;
}
