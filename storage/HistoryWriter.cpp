// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The writer thread: records wait in a list the window's thread appends to, and are written in
// order, a batch at a time, at the latest HISTORY_BATCH_MS after the first of them.
#include "storage/HistoryWriter.h"

#include "storage/HistoryWaiting.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>
#include <unordered_set>

namespace {

// Whether a child's deletion is among the records from first on.
bool HasForget(const std::vector<HistoryRecord>& batch, size_t first) {
    return std::any_of(batch.begin() + std::ptrdiff_t(std::min(first, batch.size())), batch.end(),
                       [](const HistoryRecord& record) {
                           return std::holds_alternative<asHISTORYFORGET>(record);
                       });
}

// The key of the run a record belongs to, or null for a deletion.
template <typename Record> auto RunKeyOf(Record& record) {
    using Key = std::conditional_t<std::is_const_v<Record>, const int64_t, int64_t>;
    return std::visit(
        [](auto& value) -> Key* {
            if constexpr (requires { value.nRunKey; })
                return &value.nRunKey;
            else
                return nullptr;
        },
        record);
}

} // namespace

CHistoryWriter::~CHistoryWriter() {
    Stop();
}

void CHistoryWriter::Start(const std::string& path, asHISTORYWATCH watch, unsigned batchMs,
                           unsigned blockedRetryMs) {
    if (m_Thread.joinable()) return;
    m_strPath = path;
    m_Watch = std::move(watch);
    m_BatchDelay = std::chrono::milliseconds(batchMs);
    m_BlockedDelay = std::chrono::milliseconds(blockedRetryMs);
    m_Runs.clear();
    m_strLastTold.clear();
    m_arrUnwritten.clear();
    m_nReplayed = 0;
    m_nOnDisk = 0;
    m_bWaitingInTheWay = false;
    {
        std::lock_guard lock(m_Mutex);
        m_bAccepting = true;
        m_bStop = false;
        m_bCommitNow = false;
        m_bToldTooMany = false;
    }
    m_Thread = std::thread([this] { Run(); });
}

void CHistoryWriter::Hand(HistoryRecord record) {
    bool wake = false;
    bool tooMany = false;
    {
        std::lock_guard lock(m_Mutex);
        if (!m_bAccepting) return;
        if (m_nWaiting >= HISTORY_MAX_WAITING) {
            tooMany = !m_bToldTooMany;
            m_bToldTooMany = true;
        } else {
            // The writer sleeps until the batch is due; one wake-up a batch is enough.
            wake = m_arrHanded.empty();
            if (wake) m_FirstHanded = std::chrono::steady_clock::now();
            m_arrHanded.push_back(std::move(record));
            ++m_nHanded;
            ++m_nWaiting;
        }
    }
    if (wake) m_Wake.notify_one();
    if (tooMany && m_Watch.fnTell)
        m_Watch.fnTell(m_strPath + " has not been writable for too long; the newest answers are "
                                   "not recorded");
}

void CHistoryWriter::CommitSoon() {
    {
        std::lock_guard lock(m_Mutex);
        if (!m_bAccepting) return;
        m_bCommitNow = true;
    }
    m_Wake.notify_one();
}

bool CHistoryWriter::CommitAndWait(unsigned waitMs) {
    std::unique_lock lock(m_Mutex);
    const uint64_t target = m_nHanded;
    const uint64_t attempts = m_nAttempts;
    if (!m_bAccepting) return m_nSettled >= target;
    m_bCommitNow = true;
    m_Wake.notify_one();
    // A record held by another program is not waited for beyond one try: the window goes on.
    m_Settled.wait_for(lock, std::chrono::milliseconds(waitMs), [&] {
        return m_nKept >= target || (m_nAttempts > attempts && m_nAttempted >= target);
    });
    return m_nKept >= target;
}

void CHistoryWriter::Stop() {
    {
        std::lock_guard lock(m_Mutex);
        if (!m_Thread.joinable()) return;
        m_bStop = true;
    }
    m_Wake.notify_one();
    m_Thread.join();
    std::lock_guard lock(m_Mutex);
    m_bAccepting = false;
}

void CHistoryWriter::Run() {
    // The file is opened (checked, a damaged one kept aside, a missing one made) with the first
    // batch: a family that never plays gets no file, and the start of the game neither waits nor
    // grows for a large record's check. Only what the last close left waiting is written at once.
    m_nOpen = HistoryOpen::ABSENT;
    ReadWaiting();
    std::unique_lock lock(m_Mutex);
    for (;;) {
        WaitForWork(lock);
        const bool stopping = m_bStop;
        m_bCommitNow = false;
        const size_t nReplayed = m_nReplayed;
        std::vector<HistoryRecord> batch = std::move(m_arrUnwritten);
        m_arrUnwritten.clear();
        m_nReplayed = 0;
        std::move(m_arrHanded.begin(), m_arrHanded.end(), std::back_inserter(batch));
        m_arrHanded.clear();
        const size_t nHanded = batch.size() - nReplayed;
        const uint64_t through = m_nSettled + nHanded;
        lock.unlock();
        const BatchResult result = batch.empty() ? BatchResult::WRITTEN : Write(batch, nReplayed);
        bool kept = false;
        if (result == BatchResult::WRITTEN && m_nOnDisk > 0) {
            RemoveWaitingRecords(m_strPath);
            m_nOnDisk = 0;
        } else if (result == BatchResult::LATER && (stopping || HasForget(batch, m_nOnDisk))) {
            // A deletion is safe on disk before the data file forgets the child, and what the
            // record cannot take at the close waits for the next start.
            kept = KeepWaiting(batch);
            if (stopping)
                Tell(kept ? std::to_string(batch.size()) + " records wait in " +
                                WaitingFilePath(m_strPath) + " for the next start"
                          : std::to_string(batch.size()) + " records could not be written to " +
                                m_strPath);
        }
        lock.lock();
        m_nAttempted = through;
        ++m_nAttempts;
        if (result == BatchResult::LATER && !stopping) {
            m_arrUnwritten = std::move(batch);
            m_nReplayed = nReplayed;
            m_RetryAt = std::chrono::steady_clock::now() + m_RetryDelay;
            if (kept) m_nKept = through;
        } else {
            m_nSettled = through;
            m_nKept = through;
            m_nWaiting -= nHanded;
            if (result == BatchResult::FAILED) TurnOff();
        }
        m_Settled.notify_all();
        if (stopping) break;
    }
    m_bAccepting = false;
    lock.unlock();
    CloseHistory(m_File);
}

void CHistoryWriter::WaitForWork(std::unique_lock<std::mutex>& lock) {
    const auto due = [this] { return m_bStop || m_bCommitNow; };
    if (due()) return;
    if (m_arrHanded.empty() && m_arrUnwritten.empty())
        m_Wake.wait(lock, [&] { return due() || !m_arrHanded.empty(); });
    if (due()) return;
    m_Wake.wait_until(lock, m_arrUnwritten.empty() ? m_FirstHanded + m_BatchDelay : m_RetryAt, due);
}

BatchResult CHistoryWriter::Write(const std::vector<HistoryRecord>& batch, size_t nReplayed) {
    if (m_Watch.fnStillWriter && !m_Watch.fnStillWriter()) {
        Tell("the folder of " + m_strPath +
             " was moved or replaced while the game ran; answers are no longer recorded");
        return BatchResult::FAILED;
    }
    m_RetryDelay = m_BatchDelay;
    if (m_nOpen == HistoryOpen::OPEN && !IsHistoryFileInPlace(m_File)) {
        // Writing on into a file that is no longer at its name would lose every later answer.
        Tell(m_File.strPath +
             " was deleted or moved away while the game ran; a new record is started with the "
             "answers not yet written");
        LetGoOfMovedHistory(m_File);
        m_nOpen = HistoryOpen::ABSENT;
    }
    if (m_nOpen != HistoryOpen::OPEN) {
        // Deleting a child from a record that is not there needs no file.
        const bool needsFile = std::any_of(batch.begin(), batch.end(), [](const auto& record) {
            return !std::holds_alternative<asHISTORYFORGET>(record);
        });
        m_nOpen = OpenHistory(m_File, m_strPath, needsFile,
                              [this](const std::string& line) { Tell(line); });
        switch (m_nOpen) {
        case HistoryOpen::OPEN:
            // Another file than the runs' rows were made in, perhaps: each run's row is found or
            // made again with its next record.
            for (auto& entry : m_Runs)
                entry.second.nRunId = 0;
            break;
        case HistoryOpen::ABSENT:
            return BatchResult::WRITTEN;
        case HistoryOpen::LATER:
            return BatchResult::LATER;
        case HistoryOpen::BLOCKED:
            m_RetryDelay = m_BlockedDelay;
            return BatchResult::LATER;
        case HistoryOpen::OFF:
            return BatchResult::FAILED;
        }
    }
    std::string error;
    const BatchResult result = WriteHistoryBatch(m_File.pDb, batch, m_Runs, error, nReplayed);
    switch (result) {
    case BatchResult::WRITTEN:
        m_strLastTold.clear();
        return result;
    case BatchResult::LATER:
        Tell(m_File.strPath + " cannot be written now (" + error +
             "); answers wait and are tried again");
        return result;
    case BatchResult::FAILED:
        break;
    }
    // Made read-only or damaged while the game ran: the file is opened and checked afresh later.
    Tell(m_File.strPath + " cannot be written (" + error +
         "); answers wait in memory and are tried again in a minute");
    CloseHistory(m_File);
    m_nOpen = HistoryOpen::ABSENT;
    m_RetryDelay = m_BlockedDelay;
    return BatchResult::LATER;
}

void CHistoryWriter::ReadWaiting() {
    std::vector<HistoryRecord> records;
    std::string error;
    switch (ReadWaitingRecords(m_strPath, records, error)) {
    case WaitingRead::NONE:
        return;
    case WaitingRead::SET_ASIDE:
        Tell(error);
        return;
    case WaitingRead::IN_THE_WAY:
        Tell(error + "; it is left as it is and nothing is kept waiting there");
        m_bWaitingInTheWay = true;
        return;
    case WaitingRead::READ:
        break;
    }
    if (records.empty()) return RemoveWaitingRecords(m_strPath);
    m_nOnDisk = records.size();
    // The last session's run keys may be this session's too.
    std::unordered_map<int64_t, int64_t> keys;
    for (HistoryRecord& record : records)
        if (int64_t* key = RunKeyOf(record)) {
            const auto [entry, added] = keys.try_emplace(*key, m_nNextReplayKey);
            if (added) --m_nNextReplayKey;
            *key = entry->second;
        }
    Tell(std::to_string(records.size()) +
         " records kept waiting at the last close are written to " + m_strPath);
    m_nReplayed = records.size();
    m_arrUnwritten = std::move(records);
    m_RetryAt = std::chrono::steady_clock::now();
}

bool CHistoryWriter::KeepWaiting(const std::vector<HistoryRecord>& batch) {
    if (m_bWaitingInTheWay) return false;
    // Each run's start goes before its first answer or end, so that the file stands alone.
    std::vector<HistoryRecord> kept;
    std::unordered_set<int64_t> started;
    for (const HistoryRecord& record : batch) {
        if (const auto* run = std::get_if<asHISTORYRUN>(&record)) {
            started.insert(run->nRunKey);
        } else if (const int64_t* key = RunKeyOf(record); key && !started.contains(*key)) {
            const auto known = m_Runs.find(*key);
            if (known == m_Runs.end()) continue; // left out when written too
            kept.push_back(known->second.run);
            started.insert(*key);
        }
        kept.push_back(record);
    }
    std::string error;
    if (KeepWaitingRecords(m_strPath, kept, error)) {
        m_nOnDisk = batch.size();
        return true;
    }
    Tell(error);
    return false;
}

void CHistoryWriter::Tell(const std::string& line) {
    if (line == m_strLastTold) return;
    m_strLastTold = line;
    if (m_Watch.fnTell) m_Watch.fnTell(line);
}

void CHistoryWriter::TurnOff() {
    m_bAccepting = false;
    m_nSettled += m_arrHanded.size();
    m_nKept = m_nSettled;
    m_nAttempted = m_nSettled;
    m_nWaiting -= m_arrHanded.size();
    m_arrHanded.clear();
}
