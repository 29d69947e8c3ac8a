// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The waiting file's lines, and its writing, reading and removal beside the answer record.
#include "storage/HistoryWaiting.h"

#include "storage/FileIo.h"
#include "storage/FileLinks.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <limits>
#include <string_view>
#include <unistd.h>

namespace {

constexpr std::string_view FIRST_LINE = "zimbly answers waiting 2";
// The first format: its answers do not say whether they were review problems.
constexpr std::string_view FIRST_LINE_1 = "zimbly answers waiting 1";
// Far above what HISTORY_MAX_WAITING records take: a larger file is not ours.
constexpr size_t MAX_WAITING_BYTES = 64u << 20;

std::string Hex(const std::string& bytes) {
    static const char DIGITS[] = "0123456789abcdef";
    if (bytes.empty()) return "-";
    std::string hex;
    for (const unsigned char byte : bytes) {
        hex += DIGITS[byte >> 4];
        hex += DIGITS[byte & 0xF];
    }
    return hex;
}

class CLine {
public:
    explicit CLine(const char* kind) : m_strText(kind) {}
    CLine& operator<<(int64_t number) {
        m_strText += ' ' + std::to_string(number);
        return *this;
    }
    CLine& operator<<(const std::string& text) {
        m_strText += ' ' + Hex(text);
        return *this;
    }
    std::string Done() const { return m_strText + '\n'; }

private:
    std::string m_strText;
};

struct CEncoder {
    std::string operator()(const asHISTORYRUN& run) const {
        return (CLine("run") << run.nRunKey << run.strChild << run.nSetNumber << run.nSetKinds
                             << run.nSetLimit << run.nStartedUtcMs)
            .Done();
    }
    std::string operator()(const asHISTORYANSWER& answer) const {
        return (CLine("answer") << answer.nRunKey << answer.nPage << answer.nPosition
                                << answer.nUtcMs << answer.strProblem << answer.strExpected
                                << answer.strTyped << answer.bRight << answer.bFirstTry
                                << answer.bByMagnifier << answer.nElapsedMs << answer.bReview)
            .Done();
    }
    std::string operator()(const asHISTORYRUNEND& end) const {
        return (CLine("end") << end.nRunKey << end.nEndedUtcMs << end.nScore << end.nAnswersDone
                             << end.nAnswersFirstTry)
            .Done();
    }
    std::string operator()(const asHISTORYFORGET& forget) const {
        return (CLine("forget") << forget.strChild << forget.nUtcMs).Done();
    }
};

// One line's fields, read in order; any field that does not parse spoils the line.
class CFields {
public:
    explicit CFields(std::string_view line) {
        while (!line.empty()) {
            const size_t space = line.find(' ');
            m_arrFields.push_back(line.substr(0, space));
            line = space == line.npos ? std::string_view() : line.substr(space + 1);
        }
    }
    size_t Count() const { return m_arrFields.size(); }
    std::string_view Kind() const { return m_arrFields.empty() ? "" : m_arrFields[0]; }
    bool Ok() const { return m_bOk && m_nNext == m_arrFields.size(); }

    template <typename T> CFields& operator>>(T& number) {
        const std::string_view field = Next();
        int64_t value = 0;
        const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
        if (field.empty() || ec != std::errc() || end != field.data() + field.size() ||
            value < int64_t(std::numeric_limits<T>::min()) ||
            (value > 0 && uint64_t(value) > uint64_t(std::numeric_limits<T>::max())))
            m_bOk = false;
        number = T(value);
        return *this;
    }
    CFields& operator>>(bool& flag) {
        int value = 0;
        *this >> value;
        m_bOk = m_bOk && (value == 0 || value == 1);
        flag = value == 1;
        return *this;
    }
    CFields& operator>>(std::string& text) {
        const std::string_view field = Next();
        text.clear();
        if (field == "-") return *this;
        if (field.empty() || field.size() % 2 != 0) m_bOk = false;
        for (size_t i = 0; m_bOk && i + 1 < field.size(); i += 2) {
            unsigned byte = 0;
            const auto [end, ec] =
                std::from_chars(field.data() + i, field.data() + i + 2, byte, 16);
            if (ec != std::errc() || end != field.data() + i + 2) m_bOk = false;
            text += char(byte);
        }
        return *this;
    }

private:
    std::string_view Next() {
        if (m_nNext >= m_arrFields.size()) {
            m_bOk = false;
            return {};
        }
        return m_arrFields[m_nNext++];
    }

    std::vector<std::string_view> m_arrFields;
    size_t m_nNext = 1; // after the kind
    bool m_bOk = true;
};

bool DecodeLine(std::string_view line, bool bFirstFormat, HistoryRecord& record) {
    CFields fields(line);
    if (fields.Kind() == "run") {
        asHISTORYRUN run;
        fields >> run.nRunKey >> run.strChild >> run.nSetNumber >> run.nSetKinds >> run.nSetLimit >>
            run.nStartedUtcMs;
        record = run;
    } else if (fields.Kind() == "answer") {
        asHISTORYANSWER answer;
        fields >> answer.nRunKey >> answer.nPage >> answer.nPosition >> answer.nUtcMs >>
            answer.strProblem >> answer.strExpected >> answer.strTyped >> answer.bRight >>
            answer.bFirstTry >> answer.bByMagnifier >> answer.nElapsedMs;
        if (!bFirstFormat) fields >> answer.bReview;
        record = answer;
    } else if (fields.Kind() == "end") {
        asHISTORYRUNEND end;
        fields >> end.nRunKey >> end.nEndedUtcMs >> end.nScore >> end.nAnswersDone >>
            end.nAnswersFirstTry;
        record = end;
    } else if (fields.Kind() == "forget") {
        asHISTORYFORGET forget;
        fields >> forget.strChild >> forget.nUtcMs;
        record = forget;
    } else {
        return false;
    }
    return fields.Ok();
}

} // namespace

std::string WaitingFilePath(const std::string& historyPath) {
    return historyPath + ".waiting";
}

std::vector<uint8_t> EncodeWaitingRecords(const std::vector<HistoryRecord>& records) {
    std::string text(FIRST_LINE);
    text += '\n';
    for (const HistoryRecord& record : records)
        text += std::visit(CEncoder(), record);
    return {text.begin(), text.end()};
}

bool DecodeWaitingRecords(std::span<const uint8_t> bytes, std::vector<HistoryRecord>& records) {
    records.clear();
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (!text.ends_with('\n')) return false;
    text.remove_suffix(1);
    bool first = true;
    bool bFirstFormat = false;
    while (true) {
        const size_t newline = text.find('\n');
        const std::string_view line = text.substr(0, newline);
        if (first) {
            bFirstFormat = line == FIRST_LINE_1;
            if (line != FIRST_LINE && !bFirstFormat) return false;
            first = false;
        } else if (!DecodeLine(line, bFirstFormat, records.emplace_back())) {
            records.clear();
            return false;
        }
        if (newline == text.npos) return true;
        text.remove_prefix(newline + 1);
    }
}

bool KeepWaitingRecords(const std::string& historyPath, const std::vector<HistoryRecord>& records,
                        std::string& error) {
    const asRESOLVEDPATH resolved = ResolveFilePath(WaitingFilePath(historyPath));
    if (!resolved.strRefused.empty()) {
        error = resolved.strRefused;
        return false;
    }
    const std::vector<uint8_t> bytes = EncodeWaitingRecords(records);
    if (WriteFileAtomically(resolved.strPath, bytes)) return true;
    error = "cannot write " + resolved.strPath + ": " + std::strerror(errno);
    return false;
}

WaitingRead ReadWaitingRecords(const std::string& historyPath, std::vector<HistoryRecord>& records,
                               std::string& error) {
    records.clear();
    const asRESOLVEDPATH resolved = ResolveFilePath(WaitingFilePath(historyPath));
    if (!resolved.strRefused.empty()) {
        error = resolved.strRefused;
        return WaitingRead::IN_THE_WAY;
    }
    const asFILEREAD read = ReadWholeFile(resolved.strPath, MAX_WAITING_BYTES);
    switch (read.nStatus) {
    case FileReadStatus::ABSENT:
        return WaitingRead::NONE;
    case FileReadStatus::UNREADABLE:
        error = resolved.strPath + " cannot be read (" + read.strReason + ")";
        return WaitingRead::IN_THE_WAY;
    case FileReadStatus::READ:
        break;
    }
    if (DecodeWaitingRecords(read.arrBytes, records)) return WaitingRead::READ;
    error = resolved.strPath + " is not a waiting file of this game";
    const std::string copy = KeepRescueCopy(resolved.strPath);
    if (copy.empty()) return WaitingRead::IN_THE_WAY;
    unlink(resolved.strPath.c_str());
    error += "; it is kept as " + copy;
    return WaitingRead::SET_ASIDE;
}

void RemoveWaitingRecords(const std::string& historyPath) {
    const asRESOLVEDPATH resolved = ResolveFilePath(WaitingFilePath(historyPath));
    if (resolved.strRefused.empty()) unlink(resolved.strPath.c_str());
}
