// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The answer record's writer: the window's thread hands records over and never waits for the
// disk; a thread of its own writes them in batches.
#pragma once

#include "storage/History.h"
#include "storage/HistoryBatch.h"
#include "storage/HistoryRecords.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A batch is written at the latest this long after its first record, so that a kill loses at
// most two seconds of answers (the write itself takes milliseconds).
constexpr unsigned HISTORY_BATCH_MS = 1000;
// Records that wait while the file is locked or full; beyond this the newest are not kept, so
// what reaches the file stays an unbroken beginning of the play.
constexpr size_t HISTORY_MAX_WAITING = 100000;
// A record that cannot be made or written for want of permission is tried again this often.
constexpr unsigned HISTORY_BLOCKED_RETRY_MS = 60'000;

// What the writer asks and tells outside the record, from its own thread.
struct asHISTORYWATCH {
    std::function<bool()> fnStillWriter;            // checked before each batch
    std::function<void(const std::string&)> fnTell; // one line for the terminal
};

class CHistoryWriter {
public:
    CHistoryWriter() = default;
    ~CHistoryWriter();
    CHistoryWriter(const CHistoryWriter&) = delete;
    CHistoryWriter& operator=(const CHistoryWriter&) = delete;

    // Starts the thread on the record at path; the file is checked, or made when missing, with the
    // first batch. What the waiting file kept at the last close is written first, at once.
    void Start(const std::string& path, asHISTORYWATCH watch, unsigned batchMs = HISTORY_BATCH_MS,
               unsigned blockedRetryMs = HISTORY_BLOCKED_RETRY_MS);
    // Hands a record over (the window's thread). Before Start, after Stop, or when the record
    // cannot be written this session, it is dropped.
    void Hand(HistoryRecord record);
    // What was handed is written now, without waiting for it (a page ended).
    void CommitSoon();
    // What was handed is written now; waits up to waitMs for the attempt. True when it is safe
    // on disk (in the record or, while the record cannot take it, a deletion in the waiting file)
    // or known never to be written.
    bool CommitAndWait(unsigned waitMs);
    // Writes what is left, closes the file and ends the thread; waits for all of it. What the
    // record cannot take now goes to the waiting file, for the next start.
    void Stop();

private:
    void Run();
    void WaitForWork(std::unique_lock<std::mutex>& lock);
    // The writer thread's side: the file opened or made as needed (again, when it was deleted or
    // moved away), then the batch; m_RetryDelay says when a batch that did not go is tried again.
    BatchResult Write(const std::vector<HistoryRecord>& batch, size_t nReplayed);
    // The waiting file: read at the start into m_arrUnwritten, written with what the record could
    // not take (each run's start included, so that it stands alone).
    void ReadWaiting();
    bool KeepWaiting(const std::vector<HistoryRecord>& batch);
    void Tell(const std::string& line);
    void TurnOff();

    std::string m_strPath;
    asHISTORYWATCH m_Watch;
    std::chrono::milliseconds m_BatchDelay{HISTORY_BATCH_MS};
    std::chrono::milliseconds m_BlockedDelay{HISTORY_BLOCKED_RETRY_MS};
    std::thread m_Thread;

    std::mutex m_Mutex;
    std::condition_variable m_Wake;    // the writer's
    std::condition_variable m_Settled; // CommitAndWait's
    std::vector<HistoryRecord> m_arrHanded;
    std::chrono::steady_clock::time_point m_FirstHanded;
    size_t m_nWaiting = 0;     // handed and not yet settled
    uint64_t m_nHanded = 0;    // counts since Start
    uint64_t m_nSettled = 0;   // written or dropped, in order
    uint64_t m_nKept = 0;      // the first this many handed are written, dropped or kept waiting
    uint64_t m_nAttempted = 0; // the first this many handed were in the last batch tried
    uint64_t m_nAttempts = 0;  // batches tried
    bool m_bAccepting = false;
    bool m_bCommitNow = false;
    bool m_bStop = false;
    bool m_bToldTooMany = false;

    // The writer thread's own.
    std::vector<HistoryRecord> m_arrUnwritten; // a batch that may be tried again
    size_t m_nReplayed = 0; // of those, the first read back from the waiting file
    size_t m_nOnDisk = 0;   // the waiting file holds this many of the batch's first records
    bool m_bWaitingInTheWay = false; // a file not ours at the waiting file's name
    int64_t m_nNextReplayKey = -1;   // replayed runs get keys of their own, below this session's
    std::chrono::milliseconds m_RetryDelay{HISTORY_BATCH_MS};
    std::chrono::steady_clock::time_point m_RetryAt;
    asHISTORYFILE m_File;
    HistoryOpen m_nOpen = HistoryOpen::ABSENT;
    RunRows m_Runs;
    std::string m_strLastTold; // a failure that lasts is told once
};
