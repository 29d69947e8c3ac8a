// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// One writer per data file: an advisory lock beside it that dies with the process holding it,
// and the request that brings the holder's window to the front.
#pragma once

#include <functional>
#include <string>

enum class WriterLockStatus {
    HELD,       // this process is the writer
    TAKEN,      // another process is: nHolder tells what it is
    UNAVAILABLE // no lock file could be made or locked (strReason says why)
};

// What holds a taken lock.
enum class LockHolder {
    UNKNOWN,       // a process this one cannot look into (another account's, another PID namespace)
    GAME,          // a copy of this game with its window open
    CLOSING_GAME,  // a copy of this game past its window, still saving (the wait was stopped)
    ENDING,        // a process on its way out (the wait was stopped)
    OTHER_PROGRAM, // a program that is not this game (or one holding it only to read, or through
                   // its open file, with no process to be seen)
};

struct asWRITERLOCK {
    WriterLockStatus nStatus = WriterLockStatus::UNAVAILABLE;
    LockHolder nHolder = LockHolder::UNKNOWN;
    int nHolderPid = 0; // 0 when it cannot be seen from here
    std::string strPath;
    std::string strReason;
    int nFd = -1;
};

// Whether to go on waiting for the holder of the lock (nHolder, nHolderPid) that is closing
// (CLOSING_GAME) or ending (ENDING), asked about every 20 ms with how long this wait has lasted;
// false stops it. Without it the wait lasts as long as the holder is closing.
using LockWait = std::function<bool(const asWRITERLOCK& taken, unsigned waitedMs)>;

// Locks dataPath + ".lock", created when missing. Only those who may replace the data file may
// open it: its owner, and in a family's shared folder the folder's group. A copy of the game that
// holds it with its window already gone (its last save under way), or any holder already ending,
// is waited for (see LockWait); any other holder makes it TAKEN at once.
// From here on a request from another start (AskWriterToComeForward) is taken by this process
// instead of ending it (HasComeForwardRequest).
asWRITERLOCK LockDataFileForWriting(const std::string& dataPath,
                                    const LockWait& fnKeepWaiting = {});

// The window is gone: another start now waits for this process to end instead of asking it to
// come forward.
void AnnounceWindowClosed(const asWRITERLOCK& lock);

// False once the lock file at the lock's path is not the one this process locked: its folder was
// moved or replaced, and another copy may be writing there.
bool StillHoldsWriterLock(const asWRITERLOCK& lock);

// Gives the lock up (also done by the system when the process ends, however it ends).
void UnlockDataFile(asWRITERLOCK& lock);

// Why the game cannot start with a taken lock on the data file at dataPath, and what to do: one
// line in the words of a message to the family.
std::string DescribeTakenLock(const asWRITERLOCK& taken, const std::string& dataPath);

enum class ComeForward {
    CAME,      // the holder brought its window to the front and said so
    CLOSING,   // it closed its window (or ended) instead: the lock is worth waiting for now
    NO_ANSWER, // its window stayed open and it did not answer in time (or the wait was stopped)
    NOT_ASKED, // it is not a copy of this game with its window open, or cannot be reached
};

// Asks the holder of a taken lock to bring its window to the front, when it is a copy of this
// game with its window open, and waits for its answer for at most answerWaitMs. A copy answers
// only once its window is in front and it is not closing, so a start never leaves while the copy
// it relied on closes. fnKeepWaiting is asked as while locking (the holder then being GAME).
ComeForward AskWriterToComeForward(const asWRITERLOCK& taken, const LockWait& fnKeepWaiting = {},
                                   unsigned answerWaitMs = 10000);
