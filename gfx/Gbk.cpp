// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// GBK conversions through iconv; one converter per direction and thread, opened on first use.
#include "gfx/Gbk.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace {

size_t Utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

class CGbkConverter {
public:
    CGbkConverter(const char* to, const char* from) : m_hIconv(iconv_open(to, from)) {}
    ~CGbkConverter() {
        if (m_hIconv != reinterpret_cast<iconv_t>(-1)) iconv_close(m_hIconv);
    }
    CGbkConverter(const CGbkConverter&) = delete;
    CGbkConverter& operator=(const CGbkConverter&) = delete;

    // Converts in to out; on a sequence it cannot convert it skips skipUnit input bytes and,
    // when replacement is given, appends it.
    std::string Convert(std::string_view in, size_t skipUnit, std::string_view replacement) {
        std::string out;
        if (m_hIconv == reinterpret_cast<iconv_t>(-1)) return out;
        iconv(m_hIconv, nullptr, nullptr, nullptr, nullptr);
        char* inPtr = const_cast<char*>(in.data());
        size_t inLeft = in.size();
        char buffer[256];
        while (inLeft > 0) {
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            size_t rc = iconv(m_hIconv, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, size_t(outPtr - buffer));
            if (rc != size_t(-1)) continue;
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL: skip what cannot be converted.
            size_t skip = skipUnit;
            if (skipUnit == 0) skip = Utf8SequenceLength(static_cast<unsigned char>(*inPtr));
            if (skip > inLeft) skip = inLeft;
            inPtr += skip;
            inLeft -= skip;
            out.append(replacement);
            iconv(m_hIconv, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    iconv_t m_hIconv;
};

CGbkConverter& Utf8ToGbk() {
    thread_local CGbkConverter c("GBK", "UTF-8");
    return c;
}
CGbkConverter& Utf16ToGbk() {
    thread_local CGbkConverter c("GBK", "UTF-16LE");
    return c;
}
CGbkConverter& GbkToUtf32() {
    thread_local CGbkConverter c("UTF-32LE", "GBK");
    return c;
}

} // namespace

std::string GbkFromUtf8(std::string_view utf8) {
    return Utf8ToGbk().Convert(utf8, 0, {});
}

size_t GbkPrefixFromUtf8(std::string_view utf8, std::string& gbk) {
    gbk.clear();
    size_t taken = 0;
    while (taken < utf8.size()) {
        const size_t length = std::min(Utf8SequenceLength(static_cast<unsigned char>(utf8[taken])),
                                       utf8.size() - taken);
        const std::string character = Utf8ToGbk().Convert(utf8.substr(taken, length), 0, {});
        if (character.empty()) break;
        gbk += character;
        taken += length;
    }
    return taken;
}

std::string GbkFromUtf16(std::u16string_view utf16) {
    std::string bytes;
    for (char16_t unit : utf16) {
        bytes.push_back(char(unit & 0xFF));
        bytes.push_back(char(unit >> 8));
    }
    return Utf16ToGbk().Convert(bytes, 2, {});
}

std::u32string Utf32FromGbk(std::string_view gbk) {
    static constexpr char kReplacement[4] = {char(0xFD), char(0xFF), 0, 0};
    std::string bytes = GbkToUtf32().Convert(gbk, 1, std::string_view(kReplacement, 4));
    std::u32string text;
    text.reserve(bytes.size() / 4);
    for (size_t i = 0; i + 3 < bytes.size(); i += 4) {
        auto b = [&](size_t k) { return char32_t(static_cast<unsigned char>(bytes[i + k])); };
        text.push_back(b(0) | (b(1) << 8) | (b(2) << 16) | (b(3) << 24));
    }
    return text;
}

std::string Utf8FromGbk(std::string_view gbk) {
    std::string out;
    for (char32_t c : Utf32FromGbk(gbk)) {
        if (c < 0x80) {
            out.push_back(char(c));
        } else if (c < 0x800) {
            out.push_back(char(0xC0 | (c >> 6)));
            out.push_back(char(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(char(0xE0 | (c >> 12)));
            out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(char(0x80 | (c & 0x3F)));
        } else {
            out.push_back(char(0xF0 | (c >> 18)));
            out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(char(0x80 | (c & 0x3F)));
        }
    }
    return out;
}
