// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Encoding and decoding of the data file's bytes, little-endian throughout.
#include "users/DataFile.h"

#include "gfx/Gbk.h"

#include <algorithm>
#include <cstring>

namespace {

// The smallest user record: a one-byte length, an empty name, the history and nLastScore.
constexpr uint64_t MIN_USER_RECORD_BYTES = 1 + SCORE_HISTORY_SIZE + 4;
constexpr uint16_t WIDE_TEXT_MARKER = 0xFFFE;

class CByteWriter {
public:
    explicit CByteWriter(std::vector<uint8_t>& bytes) : m_arrBytes(bytes) {}

    void PutU8(uint8_t value) { m_arrBytes.push_back(value); }
    void PutU16(uint16_t value) { PutLittleEndian(value, 2); }
    void PutU32(uint32_t value) { PutLittleEndian(value, 4); }
    void PutI32(int32_t value) { PutU32(uint32_t(value)); }
    void PutU64(uint64_t value) { PutLittleEndian(value, 8); }
    void PutBytes(std::span<const uint8_t> bytes) {
        // Grown, then copied into: GCC 12 at -O3 takes the equivalent vector::insert of a span
        // for a write past the end (-Wstringop-overflow), which a release build would stop on.
        const size_t at = m_arrBytes.size();
        m_arrBytes.resize(at + bytes.size());
        if (!bytes.empty()) std::memcpy(m_arrBytes.data() + at, bytes.data(), bytes.size());
    }

private:
    void PutLittleEndian(uint64_t value, int size) {
        for (int i = 0; i < size; ++i)
            m_arrBytes.push_back(uint8_t(value >> (8 * i)));
    }
    std::vector<uint8_t>& m_arrBytes;
};

// Every read checks what is left first and fails, consuming nothing, when it is not enough.
class CByteReader {
public:
    explicit CByteReader(std::span<const uint8_t> bytes) : m_arrBytes(bytes) {}

    size_t Remaining() const { return m_arrBytes.size() - m_nPos; }
    bool Skip(size_t count) {
        if (count > Remaining()) return false;
        m_nPos += count;
        return true;
    }
    bool GetU8(uint8_t& value) { return GetLittleEndian(value); }
    bool GetU16(uint16_t& value) { return GetLittleEndian(value); }
    bool GetU32(uint32_t& value) { return GetLittleEndian(value); }
    bool GetU64(uint64_t& value) { return GetLittleEndian(value); }
    bool GetI32(int32_t& value) {
        uint32_t raw = 0;
        if (!GetU32(raw)) return false;
        value = int32_t(raw);
        return true;
    }
    bool GetBytes(std::span<uint8_t> out) {
        if (out.size() > Remaining()) return false;
        if (out.empty()) return true; // memcpy wants real pointers even for no bytes
        std::memcpy(out.data(), m_arrBytes.data() + m_nPos, out.size());
        m_nPos += out.size();
        return true;
    }

private:
    template <typename T> bool GetLittleEndian(T& value) {
        if (sizeof(T) > Remaining()) return false;
        value = 0;
        for (size_t i = 0; i < sizeof(T); ++i)
            value |= T(T(m_arrBytes[m_nPos + i]) << (8 * i));
        m_nPos += sizeof(T);
        return true;
    }
    std::span<const uint8_t> m_arrBytes;
    size_t m_nPos = 0;
};

void PutStringLength(CByteWriter& writer, uint64_t length) {
    if (length < 0xFF) {
        writer.PutU8(uint8_t(length));
        return;
    }
    writer.PutU8(0xFF);
    if (length < 0xFFFE) {
        writer.PutU16(uint16_t(length));
        return;
    }
    writer.PutU16(0xFFFF);
    if (length < 0xFFFFFFFF) {
        writer.PutU32(uint32_t(length));
        return;
    }
    writer.PutU32(0xFFFFFFFF);
    writer.PutU64(length);
}

// A length in one of the 1-, 3-, 7- or 15-byte forms, optionally behind the wide-text marker, in
// which case the length counts UTF-16 units. The marker comes at most once: behind it 0xFFFE can
// only be a length.
bool GetStringLength(CByteReader& reader, uint64_t& length, bool& wide) {
    wide = false;
    uint8_t byteLength = 0;
    uint16_t wordLength = 0;
    if (!reader.GetU8(byteLength)) return false;
    if (byteLength < 0xFF) {
        length = byteLength;
        return true;
    }
    if (!reader.GetU16(wordLength)) return false;
    if (wordLength == WIDE_TEXT_MARKER) {
        wide = true;
        if (!reader.GetU8(byteLength)) return false;
        if (byteLength < 0xFF) {
            length = byteLength;
            return true;
        }
        if (!reader.GetU16(wordLength)) return false;
    }
    if (wordLength < 0xFFFF) {
        length = wordLength;
        return true;
    }
    uint32_t longLength = 0;
    if (!reader.GetU32(longLength)) return false;
    if (longLength < 0xFFFFFFFF) {
        length = longLength;
        return true;
    }
    return reader.GetU64(length);
}

// The name as GBK bytes; wide names are converted. The length is checked against what is left
// before any memory is taken for it.
bool GetName(CByteReader& reader, std::string& name) {
    uint64_t length = 0;
    bool wide = false;
    if (!GetStringLength(reader, length, wide)) return false;
    const uint64_t unitSize = wide ? 2 : 1;
    if (length > reader.Remaining() / unitSize) return false;
    std::vector<uint8_t> raw(size_t(length * unitSize));
    if (!reader.GetBytes(raw)) return false;
    if (!wide) {
        name.assign(raw.begin(), raw.end());
        return true;
    }
    std::u16string units(size_t(length), u'\0');
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = char16_t(raw[2 * i] | (raw[2 * i + 1] << 8));
    name = GbkFromUtf16(units);
    return true;
}

bool GetUser(CByteReader& reader, asUSERINFO& user) {
    if (!GetName(reader, user.strName)) return false;
    if (!reader.GetBytes(user.byScores)) return false;
    if (!reader.GetI32(user.nLastScore)) return false;
    // The rest of the program indexes byScores with these; a name longer than the name entry
    // allows would not fit where names are drawn.
    user.strName = CutGbkName(user.strName, MAX_NAME_BYTES);
    user.nLastScore = std::clamp(user.nLastScore, -1, SCORE_HISTORY_SIZE - 1);
    return true;
}

int32_t SoundCurrentUser(int32_t stored, size_t userCount) {
    if (userCount == 0) return (stored == 0 || stored == -1) ? stored : -1;
    return (stored >= 0 && uint64_t(stored) < userCount) ? stored : 0;
}

} // namespace

bool HasDataFileHeader(std::span<const uint8_t> bytes) {
    return bytes.size() >= DATA_FILE_HEADER_SIZE &&
           std::memcmp(bytes.data(), DATA_FILE_HEADER.data(), DATA_FILE_HEADER_SIZE) == 0;
}

std::vector<uint8_t> EncodeDataFile(std::span<const ExerciseSet, EXERCISE_SET_COUNT> sets,
                                    const std::vector<asUSERINFO>& users, int32_t currentUser) {
    std::vector<uint8_t> bytes;
    CByteWriter writer(bytes);
    writer.PutBytes(
        {reinterpret_cast<const uint8_t*>(DATA_FILE_HEADER.data()), DATA_FILE_HEADER_SIZE});
    writer.PutU32(DATA_FILE_VERSION);
    for (const ExerciseSet& set : sets) {
        writer.PutI32(set.nRange);
        writer.PutI32(set.nReserved);
        writer.PutU32(set.nOperations);
    }
    writer.PutI32(int32_t(users.size()));
    for (const asUSERINFO& user : users) {
        PutStringLength(writer, user.strName.size());
        writer.PutBytes(
            {reinterpret_cast<const uint8_t*>(user.strName.data()), user.strName.size()});
        writer.PutBytes(user.byScores);
        writer.PutI32(user.nLastScore);
    }
    writer.PutI32(currentUser);
    return bytes;
}

DataFileStatus DecodeDataFile(std::span<const uint8_t> bytes, asDATAFILE& file) {
    if (!HasDataFileHeader(bytes)) return DataFileStatus::FOREIGN;
    CByteReader reader(bytes);
    file = asDATAFILE{};
    reader.Skip(DATA_FILE_HEADER_SIZE);

    if (!reader.GetU32(file.dwVersion)) return DataFileStatus::DAMAGED;
    // Files older than this version have no problem sets: the user count follows directly.
    if (file.dwVersion >= DATA_FILE_VERSION) {
        for (ExerciseSet& set : file.arrSets) {
            if (!reader.GetI32(set.nRange) || !reader.GetI32(set.nReserved) ||
                !reader.GetU32(set.nOperations))
                return DataFileStatus::DAMAGED;
        }
    }

    int32_t count = 0;
    if (!reader.GetI32(count)) return DataFileStatus::DAMAGED;
    if (count > 0) {
        if (uint64_t(count) * MIN_USER_RECORD_BYTES > reader.Remaining())
            return DataFileStatus::DAMAGED;
        file.arrUsers.resize(size_t(count));
        for (asUSERINFO& user : file.arrUsers)
            if (!GetUser(reader, user)) return DataFileStatus::DAMAGED;
    }

    int32_t currentUser = 0;
    if (!reader.GetI32(currentUser)) return DataFileStatus::DAMAGED;
    file.nCurrentUser = SoundCurrentUser(currentUser, file.arrUsers.size());
    return DataFileStatus::VALID;
}

std::string CutGbkName(std::string_view name, size_t maxBytes) {
    size_t end = 0;
    while (end < name.size()) {
        const size_t next = end + GbkCharacterSize(name, end);
        if (next > maxBytes) break;
        end = next;
    }
    return std::string(name.substr(0, end));
}
