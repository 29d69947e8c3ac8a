// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Conversions between the game's GBK byte strings and Unicode.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Characters that have no GBK form are dropped.
std::string GbkFromUtf8(std::string_view utf8);
// The GBK form of utf8 up to its first character that has none; returns how many bytes of utf8
// that took (all of them when every character has a GBK form).
size_t GbkPrefixFromUtf8(std::string_view utf8, std::string& gbk);
std::string GbkFromUtf16(std::u16string_view utf16);

// Bytes that are not valid GBK become U+FFFD.
std::u32string Utf32FromGbk(std::string_view gbk);
std::string Utf8FromGbk(std::string_view gbk);

// True when byte is the first of a two-byte GBK character.
constexpr bool IsGbkLeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

// The bytes of the character that starts at i: two for a lead byte with a byte after it, else one.
// Strings are walked from the front with it, so that a second byte that looks like ASCII is never
// taken for a character of its own.
constexpr size_t GbkCharacterSize(std::string_view gbk, size_t i) {
    return IsGbkLeadByte(static_cast<unsigned char>(gbk[i])) && i + 1 < gbk.size() ? 2 : 1;
}
