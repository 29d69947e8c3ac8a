// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The writer thread: records wait in a list the window's thread appends to, and are written in
// order, a batch at a time, at the latest HISTORY_BATCH_MS after the first of them.
#include "storage/HistoryWriter.h"

#include <algorithm>
#include <iterator>

CHistoryWriter::~CHistoryWriter() {
    Stop();
}

void CHistoryWriter::Start(const std::string& path, asHISTORYWATCH watch, unsigned batchMs) {
    if (m_Thread.joinable()) return;
    m_strPath = path;
    m_Watch = std::move(watch);
    m_BatchDelay = std::chrono::milliseconds(batchMs);
    m_Runs.clear();
    m_strLastTold.clear();
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
    if (!m_bAccepting) return m_nSettled >= target;
    m_bCommitNow = true;
    m_Wake.notify_one();
    return m_Settled.wait_for(lock, std::chrono::milliseconds(waitMs),
                              [&] { return m_nSettled >= target; });
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
    // grows for a large record's check.
    m_nOpen = HistoryOpen::ABSENT;
    std::unique_lock lock(m_Mutex);
    for (;;) {
        WaitForWork(lock);
        const bool stopping = m_bStop;
        m_bCommitNow = false;
        std::vector<HistoryRecord> batch = std::move(m_arrUnwritten);
        m_arrUnwritten.clear();
        std::move(m_arrHanded.begin(), m_arrHanded.end(), std::back_inserter(batch));
        m_arrHanded.clear();
        lock.unlock();
        const BatchResult result = batch.empty() ? BatchResult::WRITTEN : Write(batch);
        if (result == BatchResult::LATER && stopping)
            Tell(std::to_string(batch.size()) + " records could not be written to " + m_strPath);
        lock.lock();
        if (result == BatchResult::LATER && !stopping) {
            m_arrUnwritten = std::move(batch);
            m_RetryAt = std::chrono::steady_clock::now() + m_BatchDelay;
        } else {
            m_nSettled += batch.size();
            m_nWaiting -= batch.size();
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

BatchResult CHistoryWriter::Write(const std::vector<HistoryRecord>& batch) {
    if (m_Watch.fnStillWriter && !m_Watch.fnStillWriter()) {
        Tell("the folder of " + m_strPath +
             " was moved or replaced while the game ran; answers are no longer recorded");
        return BatchResult::FAILED;
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
            break;
        case HistoryOpen::ABSENT:
            return BatchResult::WRITTEN;
        case HistoryOpen::LATER:
            return BatchResult::LATER;
        case HistoryOpen::OFF:
            return BatchResult::FAILED;
        }
    }
    std::string error;
    const BatchResult result = WriteHistoryBatch(m_File.pDb, batch, m_Runs, error);
    switch (result) {
    case BatchResult::WRITTEN:
        m_strLastTold.clear();
        break;
    case BatchResult::LATER:
        Tell(m_File.strPath + " cannot be written now (" + error +
             "); answers wait and are tried again");
        break;
    case BatchResult::FAILED:
        Tell(m_File.strPath + " cannot be written (" + error + "); answers are no longer recorded");
        break;
    }
    return result;
}

void CHistoryWriter::Tell(const std::string& line) {
    if (line == m_strLastTold) return;
    m_strLastTold = line;
    if (m_Watch.fnTell) m_Watch.fnTell(line);
}

void CHistoryWriter::TurnOff() {
    m_bAccepting = false;
    m_nSettled += m_arrHanded.size();
    m_nWaiting -= m_arrHanded.size();
    m_arrHanded.clear();
}
