// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Hand-built data files for the tests, written byte by byte independently of the encoder.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

class CDataFileBuilder {
public:
    CDataFileBuilder& Text(std::string_view text) {
        m_arrBytes.insert(m_arrBytes.end(), text.begin(), text.end());
        return *this;
    }
    CDataFileBuilder& U8(uint8_t value) { return LittleEndian(value, 1); }
    CDataFileBuilder& U16(uint16_t value) { return LittleEndian(value, 2); }
    CDataFileBuilder& U32(uint32_t value) { return LittleEndian(value, 4); }
    CDataFileBuilder& I32(int32_t value) { return LittleEndian(uint32_t(value), 4); }
    CDataFileBuilder& U64(uint64_t value) { return LittleEndian(value, 8); }
    CDataFileBuilder& Repeat(uint8_t value, size_t count) {
        m_arrBytes.insert(m_arrBytes.end(), count, value);
        return *this;
    }
    // Header and version; with a current or newer version also the eight sets {k+1, 20+k, 40+k}.
    CDataFileBuilder& Start(uint32_t version = 0x20131120) {
        Text("Sumora configuration file.").U32(version);
        if (version >= 0x20131120)
            for (int k = 0; k < 8; ++k)
                I32(k + 1).I32(20 + k).U32(uint32_t(40 + k));
        return *this;
    }
    // The history and nLastScore of a user record whose name has been written already.
    CDataFileBuilder& History(uint8_t firstScore, int32_t lastScore) {
        U8(firstScore).Repeat(0, 669);
        return I32(lastScore);
    }
    const std::vector<uint8_t>& Bytes() const { return m_arrBytes; }

private:
    CDataFileBuilder& LittleEndian(uint64_t value, int size) {
        for (int i = 0; i < size; ++i)
            m_arrBytes.push_back(uint8_t(value >> (8 * i)));
        return *this;
    }
    std::vector<uint8_t> m_arrBytes;
};
