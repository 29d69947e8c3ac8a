// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Build-time art step: renders one SVG to raw 0x00RRGGBB pixels of an exact size, or (--png) to a
// square PNG with its transparency kept, for the desktop icon.
// Keyed pictures get pure magenta wherever coverage is below half and never elsewhere, so a keyed
// draw leaves no pink fringe; opaque pictures are flattened on white and may hold no magenta.
// Words painted in a picture are <text> elements with data-box="x y width height", the face they
// must stay inside: given a language's compiled catalogue, the step paints their translation
// (context "picture"), shrunk to fit the box when longer, and fails when a text does not fit its
// box at a size a young child still reads easily, in the written language as in a translation.
#include <librsvg/rsvg.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
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

RsvgHandle* LoadSvg(const char* svgPath, const std::string* source) {
    GError* error = nullptr;
    RsvgHandle* handle =
        source ? rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(source->data()),
                                           source->size(), &error)
               : rsvg_handle_new_from_file(svgPath, &error);
    if (!handle)
        std::fprintf(stderr, "render_art: %s: %s\n", svgPath,
                     error ? error->message : "unreadable");
    return handle;
}

// The SVG (or, when given, the source rewritten from it) drawn to fill width x height on a
// transparent ARGB32 surface; null after a message.
cairo_surface_t* RenderSvg(const char* svgPath, int width, int height,
                           const std::string* source = nullptr) {
    GError* error = nullptr;
    RsvgHandle* handle = LoadSvg(svgPath, source);
    if (!handle) return nullptr;
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

// A translated text is never painted smaller than this share of the size the artist chose, nor
// smaller than MIN_FONT_SIZE pixels: below that a six-year-old no longer reads it easily.
constexpr double MIN_SHRINK = 0.7;
constexpr double MIN_FONT_SIZE = 15.0;
constexpr const char* CONTEXT = "picture";

bool ReadFile(const char* path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

// A compiled message catalogue (.mo) as original -> translation, the original prefixed with its
// context and \x04 as msgfmt stores it; false after a message when the file is unreadable.
bool ReadCatalogue(const char* path, std::map<std::string, std::string>& messages) {
    std::string mo;
    if (!ReadFile(path, mo) || mo.size() < 20) {
        std::fprintf(stderr, "render_art: cannot read the catalogue %s\n", path);
        return false;
    }
    uint32_t magic;
    std::memcpy(&magic, mo.data(), 4);
    const bool swapped = magic == 0xde120495;
    if (!swapped && magic != 0x950412de) {
        std::fprintf(stderr, "render_art: %s is no message catalogue\n", path);
        return false;
    }
    const auto word = [&](size_t at) -> uint32_t {
        uint32_t v = 0;
        if (at + 4 <= mo.size()) std::memcpy(&v, mo.data() + at, 4);
        return swapped ? __builtin_bswap32(v) : v;
    };
    // A string of the table at `table`, entry i: its length and offset; cut at its first NUL
    // (a plural's original holds its forms one after the other).
    const auto text = [&](uint32_t table, uint32_t i, std::string& out) {
        const uint32_t length = word(table + 8 * size_t(i)),
                       offset = word(table + 8 * size_t(i) + 4);
        if (size_t(offset) + length > mo.size()) return false;
        out.assign(mo.c_str() + offset, strnlen(mo.c_str() + offset, length));
        return true;
    };
    const uint32_t count = word(8), originals = word(12), translations = word(16);
    for (uint32_t i = 0; i < count; ++i) {
        std::string original, translation;
        if (!text(originals, i, original) || !text(translations, i, translation)) {
            std::fprintf(stderr, "render_art: %s is damaged\n", path);
            return false;
        }
        messages[original] = translation;
    }
    return true;
}

std::string EscapeXml(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// The value of attribute `name` in a start tag, or empty.
std::string Attribute(const std::string& tag, const std::string& name) {
    const size_t at = tag.find(" " + name + "=\"");
    if (at == std::string::npos) return {};
    const size_t begin = at + name.size() + 3;
    return tag.substr(begin, tag.find('"', begin) - begin);
}

// The tag with attribute `name` removed, or its value replaced when `value` is given.
std::string SetAttribute(std::string tag, const std::string& name, const std::string* value) {
    const size_t at = tag.find(" " + name + "=\"");
    if (at == std::string::npos) {
        if (value) tag.insert(tag.size() - 1, " " + name + "=\"" + *value + "\"");
        return tag;
    }
    const size_t end = tag.find('"', at + name.size() + 3) + 1;
    tag.replace(at, end - at, value ? " " + name + "=\"" + *value + "\"" : std::string());
    return tag;
}

// One <text> element with a box: where it lies in the source and what it says.
struct asPAINTEDTEXT {
    size_t nTagBegin;     // '<' of <text
    size_t nTagEnd;       // just after the start tag's '>'
    size_t nContentEnd;   // '<' of </text>
    std::string strTag;   // the start tag
    std::string strWords; // its content: the words as drawn, the message's original
    std::string strBox;   // data-box: layers of one caption share their box, and so their size
    double arrBox[4];     // x y width height, in the text's own coordinates
    double dFontSize;
};

// The source's painted texts; false after a message for one that is malformed.
bool FindPaintedTexts(const char* svgPath, const std::string& svg,
                      std::vector<asPAINTEDTEXT>& texts) {
    for (size_t at = svg.find("<text"); at != std::string::npos; at = svg.find("<text", at + 1)) {
        asPAINTEDTEXT text{};
        text.nTagBegin = at;
        text.nTagEnd = svg.find('>', at) + 1;
        text.strTag = svg.substr(at, text.nTagEnd - at);
        text.strBox = Attribute(text.strTag, "data-box");
        if (text.strBox.empty()) continue;
        text.nContentEnd = svg.find("</text>", text.nTagEnd);
        text.strWords = svg.substr(text.nTagEnd, text.nContentEnd - text.nTagEnd);
        std::istringstream box(text.strBox);
        text.dFontSize = std::atof(Attribute(text.strTag, "font-size").c_str());
        if (!(box >> text.arrBox[0] >> text.arrBox[1] >> text.arrBox[2] >> text.arrBox[3]) ||
            text.nContentEnd == std::string::npos || text.dFontSize <= 0 ||
            text.strWords.find('<') != std::string::npos) {
            std::fprintf(stderr,
                         "render_art: %s: a painted text needs plain words, a font-size and"
                         " data-box=\"x y width height\": %s\n",
                         svgPath, text.strTag.c_str());
            return false;
        }
        texts.push_back(text);
    }
    return true;
}

// How one painted text is set: its words (empty: as drawn), font size and move from where the
// artist put it, in the text's own units.
struct asSETTING {
    std::string strWords;
    double dFontSize;
    double dMoveX = 0;
    double dMoveY = 0;
};

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

// The source with each painted text set as given and an id to measure it by; to measure, each
// box is drawn too, beside its text and so under the same transforms. A translation drops the
// letter spacing and the dx that re-centres it: they space out Chinese characters, not the
// letters of a word.
std::string Rewrite(const std::string& svg, const std::vector<asPAINTEDTEXT>& texts,
                    const std::vector<asSETTING>& settings, bool withBoxes) {
    std::string out;
    size_t copied = 0;
    for (size_t i = 0; i < texts.size(); ++i) {
        const asPAINTEDTEXT& text = texts[i];
        const asSETTING& setting = settings[i];
        std::string tag = text.strTag;
        const std::string id = "painted-text-" + std::to_string(i);
        tag = SetAttribute(tag, "id", &id);
        const std::string size = Number(setting.dFontSize);
        tag = SetAttribute(tag, "font-size", &size);
        if (!setting.strWords.empty()) {
            tag = SetAttribute(tag, "letter-spacing", nullptr);
            tag = SetAttribute(tag, "dx", nullptr);
            const std::string x = Number(std::atof(Attribute(tag, "x").c_str()) + setting.dMoveX);
            const std::string y = Number(std::atof(Attribute(tag, "y").c_str()) + setting.dMoveY);
            tag = SetAttribute(SetAttribute(tag, "x", &x), "y", &y);
        }
        out.append(svg, copied, text.nTagBegin - copied);
        out += tag;
        out += setting.strWords.empty() ? text.strWords : EscapeXml(setting.strWords);
        out += "</text>";
        if (withBoxes) {
            char box[200];
            std::snprintf(
                box, sizeof box,
                "<rect id=\"painted-box-%zu\" x=\"%g\" y=\"%g\" width=\"%g\" height=\"%g\"/>", i,
                text.arrBox[0], text.arrBox[1], text.arrBox[2], text.arrBox[3]);
            out += box;
        }
        copied = text.nContentEnd + std::strlen("</text>");
    }
    out.append(svg, copied, std::string::npos);
    return out;
}

// Each painted text's ink and its box, in the picture's pixels, measured on the rewritten source;
// false after a message.
bool MeasureInk(const char* svgPath, const std::string& source, int width, int height, size_t count,
                std::vector<RsvgRectangle>& inks, std::vector<RsvgRectangle>& boxes) {
    RsvgHandle* handle = LoadSvg(svgPath, &source);
    if (!handle) return false;
    const RsvgRectangle viewport{0, 0, double(width), double(height)};
    inks.assign(count, {});
    boxes.assign(count, {});
    for (size_t i = 0; i < 2 * count; ++i) {
        const std::string id =
            (i < count ? "#painted-text-" : "#painted-box-") + std::to_string(i % count);
        RsvgRectangle logical{};
        GError* error = nullptr;
        if (!rsvg_handle_get_geometry_for_layer(handle, id.c_str(), &viewport,
                                                i < count ? &inks[i] : &boxes[i % count], &logical,
                                                &error)) {
            std::fprintf(stderr, "render_art: %s: %s\n", svgPath,
                         error ? error->message : id.c_str());
            g_object_unref(handle);
            return false;
        }
    }
    g_object_unref(handle);
    return true;
}

RsvgRectangle Union(const RsvgRectangle& a, const RsvgRectangle& b) {
    const double left = std::min(a.x, b.x), top = std::min(a.y, b.y);
    return {left, top, std::max(a.x + a.width, b.x + b.width) - left,
            std::max(a.y + a.height, b.y + b.height) - top};
}

// How far [begin, begin + length) must move to lie inside [boxBegin, boxBegin + boxLength).
double MoveInside(double begin, double length, double boxBegin, double boxLength) {
    if (begin < boxBegin) return boxBegin - begin;
    if (begin + length > boxBegin + boxLength) return boxBegin + boxLength - (begin + length);
    return 0;
}

// The source to render: the painted texts translated by `messages` (none: as drawn), each caption
// shrunk while it is larger than its box and moved into the box while it sticks out of it (a word
// with a descender reaches lower than Chinese characters do). The layers of one caption (outline,
// fill) share its box, and so their size and move. False after a message naming the text that
// does not fit: as drawn, or translated at the smallest size allowed.
bool PaintWords(const char* svgPath, const std::string& svg, int width, int height,
                const std::map<std::string, std::string>* messages, std::string& source) {
    std::vector<asPAINTEDTEXT> texts;
    if (!FindPaintedTexts(svgPath, svg, texts)) return false;
    std::vector<asSETTING> settings(texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        settings[i].dFontSize = texts[i].dFontSize;
        if (!messages) continue;
        const auto found = messages->find(std::string(CONTEXT) + '\x04' + texts[i].strWords);
        if (found != messages->end()) settings[i].strWords = found->second;
    }
    for (int pass = 0;; ++pass) {
        std::vector<RsvgRectangle> inks, boxes;
        if (!MeasureInk(svgPath, Rewrite(svg, texts, settings, true), width, height, texts.size(),
                        inks, boxes))
            return false;
        std::map<std::string, RsvgRectangle> captionInk;
        for (size_t i = 0; i < texts.size(); ++i) {
            auto [it, added] = captionInk.emplace(texts[i].strBox, inks[i]);
            if (!added) it->second = Union(it->second, inks[i]);
        }
        bool fits = true;
        for (size_t i = 0; i < texts.size(); ++i) {
            const RsvgRectangle& ink = captionInk[texts[i].strBox];
            const RsvgRectangle& box = boxes[i];
            const double moveX = MoveInside(ink.x, ink.width, box.x, box.width);
            const double moveY = MoveInside(ink.y, ink.height, box.y, box.height);
            if (moveX == 0 && moveY == 0) continue;
            fits = false;
            asSETTING& setting = settings[i];
            const double shrink = std::min({1.0, box.width / ink.width, box.height / ink.height});
            // The written language is drawn as the artist drew it: a text out of its box there
            // is a wrong box, or a wrong drawing.
            const double smallest = std::max(MIN_FONT_SIZE, texts[i].dFontSize * MIN_SHRINK);
            if (setting.strWords.empty() || setting.dFontSize * shrink < smallest || pass == 20) {
                std::fprintf(
                    stderr, "render_art: %s: \"%s\" does not fit its box %s at %.1f px%s%.1f px)\n",
                    svgPath,
                    setting.strWords.empty() ? texts[i].strWords.c_str() : setting.strWords.c_str(),
                    texts[i].strBox.c_str(), setting.dFontSize,
                    setting.strWords.empty() ? " (as drawn; needs " : " (the smallest allowed is ",
                    setting.strWords.empty() ? setting.dFontSize * shrink : smallest);
                return false;
            }
            if (shrink < 1.0) {
                setting.dFontSize *= shrink * 0.99;
            } else {
                // Pixels to the text's own units.
                setting.dMoveX += moveX * texts[i].arrBox[2] / box.width;
                setting.dMoveY += moveY * texts[i].arrBox[3] / box.height;
            }
        }
        if (fits) {
            source = Rewrite(svg, texts, settings, false);
            return true;
        }
    }
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

// Renders the picture; with a catalogue, its painted texts in that language. Either way every
// painted text is checked against its box first.
int RenderPicture(const char* svgPath, const char* rawPath, int width, int height, bool keyed,
                  const char* cataloguePath) {
    std::string svg, translated;
    if (!ReadFile(svgPath, svg)) {
        std::fprintf(stderr, "render_art: cannot read %s\n", svgPath);
        return 1;
    }
    std::map<std::string, std::string> messages;
    if (cataloguePath && !ReadCatalogue(cataloguePath, messages)) return 1;
    if (!PaintWords(svgPath, svg, width, height, cataloguePath ? &messages : nullptr, translated))
        return 1;
    // The written language renders the file itself, byte for byte as before any translation.
    cairo_surface_t* surface =
        RenderSvg(svgPath, width, height, cataloguePath ? &translated : nullptr);
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
    if ((argc == 6 || argc == 7) && std::atoi(argv[3]) > 0 && std::atoi(argv[4]) > 0)
        return RenderPicture(argv[1], argv[2], std::atoi(argv[3]), std::atoi(argv[4]),
                             std::atoi(argv[5]) != 0, argc == 7 ? argv[6] : nullptr);
    std::fprintf(stderr, "usage: render_art in.svg out.raw width height keyed(0|1) [language.mo]\n"
                         "       render_art --png in.svg out.png size\n");
    return 2;
}
