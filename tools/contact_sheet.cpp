// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Draws every embedded picture on one sheet, labelled with its id and size, to look at the
// artwork as the game holds it: keyed pictures over a chequer, so holes and fringes show.
//
// Usage: contact_sheet OUT.png [LANGUAGE]   (LANGUAGE: the pictures drawn for it, such as en)
#include "gfx/Gbk.h"
#include "gfx/Pictures.h"
#include "gfx/PngWriter.h"
#include "gfx/Text.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

constexpr int COLUMNS = 6;
constexpr int CELL_WIDTH = 260;
constexpr int CELL_HEIGHT = 220;
constexpr int LABEL_HEIGHT = 24;
constexpr int MARGIN = 8;

void FillChequer(Surface& sheet, const Rect& rc) {
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            sheet.SetPixel(x, y, ((x / 8 + y / 8) % 2) ? RGB(200, 200, 200) : RGB(240, 240, 240));
}

// The largest rectangle of the picture's shape that fits the box, centred in it.
Rect FitInto(const Rect& box, int width, int height) {
    const double scale =
        std::min({1.0, double(box.Width()) / width, double(box.Height()) / height});
    const int w = std::max(1, int(width * scale)), h = std::max(1, int(height * scale));
    const int left = box.left + (box.Width() - w) / 2, top = box.top + (box.Height() - h) / 2;
    return {left, top, left + w, top + h};
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: contact_sheet OUT.png [LANGUAGE]\n");
        return 2;
    }
    if (argc == 3) UsePictureLanguage(argv[2]);
    std::string error;
    if (!InitTextRenderer(error)) {
        std::fprintf(stderr, "contact_sheet: %s\n", error.c_str());
        return 1;
    }
    const auto pictures = PictureCatalogue();
    const int rows = int(pictures.size() + COLUMNS - 1) / COLUMNS;
    Surface sheet(COLUMNS * CELL_WIDTH, rows * CELL_HEIGHT, RGB(120, 120, 130));
    for (size_t i = 0; i < pictures.size(); ++i) {
        const asPICTUREINFO& picture = pictures[i];
        const int left = int(i % COLUMNS) * CELL_WIDTH, top = int(i / COLUMNS) * CELL_HEIGHT;
        const Rect box = {left + MARGIN, top + MARGIN, left + CELL_WIDTH - MARGIN,
                          top + CELL_HEIGHT - LABEL_HEIGHT - MARGIN};
        const Rect at = FitInto(box, picture.nWidth, picture.nHeight);
        if (picture.bKeyed) {
            FillChequer(sheet, at);
            CopyPixelsKeyed(sheet, at, picture.View(), picture.Bounds());
        } else {
            CopyPixels(sheet, at, picture.View(), picture.Bounds());
        }
        const std::string label =
            std::to_string(picture.nId) + "  " + std::to_string(picture.nWidth) + "x" +
            std::to_string(picture.nHeight) + (picture.bKeyed ? "  keyed" : "");
        DrawGbkText(
            sheet, GbkFromUtf8(label),
            {left, top + CELL_HEIGHT - LABEL_HEIGHT - 4, left + CELL_WIDTH, top + CELL_HEIGHT},
            DT_CENTER | DT_VCENTER | DT_SINGLELINE, 700, 16, COLOR_WHITE);
    }
    if (!WritePng(argv[1], sheet)) {
        std::fprintf(stderr, "contact_sheet: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
