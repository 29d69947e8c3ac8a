// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Text through fontconfig and FreeType with a glyph cache: the Song-style face in three weights,
// laid out with the alignment and word-breaking formats the game uses.
#include "gfx/Gbk.h"
#include "gfx/Text.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <vector>

namespace {

constexpr const char* FACE_FAMILY = "Noto Serif CJK SC";

enum FaceStyle { FACE_REGULAR = 0, FACE_BOLD = 1, FACE_HEAVY = 2 }; // heavy = bold, emboldened

struct asGLYPH {
    int nLeft = 0; // from the pen position to the bitmap's left edge
    int nTop = 0;  // from the baseline up to the bitmap's top edge
    int nWidth = 0;
    int nRows = 0;
    int nAdvance = 0; // pixels
    std::vector<uint8_t> arrCoverage;
};

struct asTEXTSTATE {
    FT_Library hLibrary = nullptr;
    FT_Face arrFaces[2] = {nullptr, nullptr}; // regular, bold
    std::unordered_map<uint64_t, asGLYPH> mapGlyphs;
    bool bReady = false;
};

asTEXTSTATE& State() {
    static asTEXTSTATE state;
    return state;
}

bool FindFace(FcConfig* config, int weight, std::string& file, int& index, std::string& family) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(FACE_FAMILY));
    FcPatternAddInteger(pattern, FC_WEIGHT, weight);
    FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("zh-cn"));
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return false;
    FcChar8* path = nullptr;
    FcChar8* name = nullptr;
    bool ok = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch &&
              FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch &&
              FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch;
    if (ok) {
        file = reinterpret_cast<const char*>(path);
        family = reinterpret_cast<const char*>(name);
    }
    FcPatternDestroy(match);
    return ok;
}

int PixelHeight(int height) {
    return std::clamp(height, 1, 512);
}

// asLINE metrics of an ideographic em box: ascent 0.88 em, descent 0.12 em, line height 1 em,
// so single lines centre the way Chinese screen fonts centre them.
int Ascent(int height) {
    return (height * 88 + 50) / 100;
}

const asGLYPH& GetGlyph(char32_t code, FaceStyle style, int height) {
    asTEXTSTATE& state = State();
    const uint64_t key = (uint64_t(code) << 24) | (uint64_t(style) << 16) | uint64_t(height);
    auto found = state.mapGlyphs.find(key);
    if (found != state.mapGlyphs.end()) return found->second;

    asGLYPH glyph;
    FT_Face face = state.arrFaces[style == FACE_REGULAR ? 0 : 1];
    FT_Set_Pixel_Sizes(face, 0, FT_UInt(height));
    if (FT_Load_Char(face, code, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_LIGHT) == 0) {
        FT_GlyphSlot slot = face->glyph;
        FT_Pos extra = 0;
        if (style == FACE_HEAVY && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
            extra = std::max<FT_Pos>(64, FT_Pos(height) * 64 / 16);
            FT_Outline_Embolden(&slot->outline, extra);
        }
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) == 0) {
            const FT_Bitmap& bitmap = slot->bitmap;
            glyph.nLeft = slot->bitmap_left;
            glyph.nTop = slot->bitmap_top;
            glyph.nWidth = int(bitmap.width);
            glyph.nRows = int(bitmap.rows);
            glyph.arrCoverage.resize(size_t(glyph.nWidth) * glyph.nRows);
            for (int y = 0; y < glyph.nRows; ++y)
                std::memcpy(glyph.arrCoverage.data() + size_t(y) * glyph.nWidth,
                            bitmap.buffer + ptrdiff_t(y) * bitmap.pitch, size_t(glyph.nWidth));
        }
        glyph.nAdvance = int((slot->advance.x + extra + 32) >> 6);
    }
    return state.mapGlyphs.emplace(key, std::move(glyph)).first->second;
}

FaceStyle StyleFor(int weight) {
    if (weight >= 800) return FACE_HEAVY;
    if (weight >= 600) return FACE_BOLD;
    return FACE_REGULAR;
}

int Advance(const std::u32string& text, size_t begin, size_t end, FaceStyle style, int height) {
    int width = 0;
    for (size_t i = begin; i < end; ++i)
        width += GetGlyph(text[i], style, height).nAdvance;
    return width;
}

// Coverage a of the text colour over the pixel, per channel (s * a + d * (255 - a) + 127) / 255
// exactly, with u = t + 128: (u + (u >> 8)) >> 8 (no division in the inner loop).
inline uint32_t MixChannel(uint32_t s, uint32_t d, uint32_t a) {
    const uint32_t u = s * a + d * (255 - a) + 128;
    return (u + (u >> 8)) >> 8;
}

void DrawGlyph(Surface& surface, const asGLYPH& glyph, int penX, int baseline, const Rect& clip,
               Color color) {
    const uint32_t cr = (color >> 16) & 0xFF, cg = (color >> 8) & 0xFF, cb = color & 0xFF;
    const int x0 = penX + glyph.nLeft, y0 = baseline - glyph.nTop;
    // Only the part of the glyph inside the clip is walked.
    const int gxBegin = std::max(0, clip.left - x0),
              gxEnd = std::min(glyph.nWidth, clip.right - x0);
    const int gyBegin = std::max(0, clip.top - y0), gyEnd = std::min(glyph.nRows, clip.bottom - y0);
    for (int gy = gyBegin; gy < gyEnd; ++gy) {
        uint32_t* row = surface.Row(y0 + gy) + x0;
        const uint8_t* coverage = glyph.arrCoverage.data() + size_t(gy) * glyph.nWidth;
        for (int gx = gxBegin; gx < gxEnd; ++gx) {
            const uint32_t a = coverage[gx];
            if (a == 0) continue;
            const uint32_t d = row[gx];
            row[gx] = (MixChannel(cr, (d >> 16) & 0xFF, a) << 16) |
                      (MixChannel(cg, (d >> 8) & 0xFF, a) << 8) | MixChannel(cb, d & 0xFF, a);
        }
    }
}

bool IsWide(char32_t c) {
    return c >= 0x2E80;
}
bool IsSpace(char32_t c) {
    return c == U' ' || c == U'\t';
}

struct asLINE {
    size_t nBegin;
    size_t nEnd;
};

// Breaks text into lines no wider than maxWidth: after spaces and around Chinese characters;
// a word wider than the line is cut where it must be.
std::vector<asLINE> BreakLines(const std::u32string& text, int maxWidth, FaceStyle style,
                               int height) {
    std::vector<asLINE> lines;
    size_t begin = 0;
    while (begin < text.size()) {
        int width = 0;
        size_t i = begin, lastBreak = begin;
        while (i < text.size() && text[i] != U'\n') {
            const int advance = GetGlyph(text[i], style, height).nAdvance;
            if (width + advance > maxWidth && i > begin) break;
            width += advance;
            ++i;
            if (IsSpace(text[i - 1]) || IsWide(text[i - 1]) || (i < text.size() && IsWide(text[i])))
                lastBreak = i;
        }
        size_t end = i;
        if (i < text.size() && text[i] != U'\n' && lastBreak > begin) end = lastBreak;
        size_t visibleEnd = end;
        while (visibleEnd > begin && IsSpace(text[visibleEnd - 1]))
            --visibleEnd;
        lines.push_back({begin, visibleEnd});
        begin = end;
        if (begin < text.size() && text[begin] == U'\n')
            ++begin;
        else
            while (begin < text.size() && IsSpace(text[begin]))
                ++begin;
    }
    return lines;
}

} // namespace

bool InitTextRenderer(std::string& error) {
    asTEXTSTATE& state = State();
    if (state.bReady) return true;
    if (!FcInit()) {
        error = "fontconfig could not be initialised";
        return false;
    }
    FcConfig* config = FcConfigGetCurrent();
    const int weights[2] = {FC_WEIGHT_REGULAR, FC_WEIGHT_BOLD};
    std::string files[2];
    int indices[2] = {0, 0};
    bool found = true;
    for (int i = 0; i < 2 && found; ++i) {
        std::string family;
        found = FindFace(config, weights[i], files[i], indices[i], family) &&
                family.find("CJK") != std::string::npos;
    }
    // fontconfig is needed only to find the two files; its caches would otherwise stay
    // allocated for the life of the process.
    FcFini();
    if (!found) {
        error = std::string("the Chinese font \"") + FACE_FAMILY +
                "\" is not installed; install the Debian package fonts-noto-cjk";
        return false;
    }
    if (FT_Init_FreeType(&state.hLibrary) != 0) {
        error = "FreeType could not be initialised";
        return false;
    }
    for (int i = 0; i < 2; ++i) {
        const std::string& file = files[i];
        const int index = indices[i];
        if (FT_New_Face(state.hLibrary, file.c_str(), index, &state.arrFaces[i]) != 0) {
            error = "cannot open the font file " + file;
            return false;
        }
    }
    state.bReady = true;
    return true;
}

void DrawGbkText(Surface& surface, std::string_view gbk, const Rect& rc, unsigned format,
                 int weight, int height, Color color) {
    asTEXTSTATE& state = State();
    if (!state.bReady) {
        std::string ignored;
        if (!InitTextRenderer(ignored)) return;
    }
    const Rect clip = IntersectRect(rc, surface.ClipRect());
    if (clip.IsEmpty() || gbk.empty()) return;
    const int pixelHeight = PixelHeight(height);
    const FaceStyle style = StyleFor(weight);
    const std::u32string text = Utf32FromGbk(gbk);

    std::vector<asLINE> lines;
    if (format & DT_SINGLELINE) {
        lines.push_back({0, text.size()});
    } else if (format & DT_WORDBREAK) {
        lines = BreakLines(text, rc.Width(), style, pixelHeight);
    } else {
        size_t begin = 0;
        for (size_t i = 0; i <= text.size(); ++i)
            if (i == text.size() || text[i] == U'\n') {
                lines.push_back({begin, i});
                begin = i + 1;
            }
    }

    int top = rc.top;
    if (format & DT_SINGLELINE) {
        if (format & DT_BOTTOM)
            top = rc.bottom - pixelHeight;
        else if (format & DT_VCENTER)
            top = rc.top + (rc.Height() - pixelHeight) / 2;
    }
    for (const asLINE& line : lines) {
        const int width = Advance(text, line.nBegin, line.nEnd, style, pixelHeight);
        int x = rc.left;
        if (format & DT_CENTER)
            x = rc.left + (rc.Width() - width) / 2;
        else if (format & DT_RIGHT)
            x = rc.right - width;
        const int baseline = top + Ascent(pixelHeight);
        for (size_t i = line.nBegin; i < line.nEnd; ++i) {
            const asGLYPH& glyph = GetGlyph(text[i], style, pixelHeight);
            DrawGlyph(surface, glyph, x, baseline, clip, color);
            x += glyph.nAdvance;
        }
        top += pixelHeight;
        if (top >= clip.bottom) break;
    }
}

int GbkTextWidth(std::string_view gbk, int weight, int height) {
    std::string ignored;
    if (!State().bReady && !InitTextRenderer(ignored)) return 0;
    const std::u32string text = Utf32FromGbk(gbk);
    return Advance(text, 0, text.size(), StyleFor(weight), PixelHeight(height));
}
