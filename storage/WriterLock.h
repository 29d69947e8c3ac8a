// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// One writer per data file: an advisory lock beside it that dies with the process holding it,
// and the request that brings the holder's window to the front.
#pragma once

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
    CLOSING_GAME,  // a copy of this game past its window, still saving, that did not end in time
    ENDING,        // a process on its way out that did not let go in time
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

// Locks dataPath + ".lock", created when missing. Only those who may replace the data file may
// open it: its owner, and in a family's shared folder the folder's group. A copy of the game that
// holds it with its window already gone (its last save under way), or any holder already ending,
// is waited for, up to waitMs.
// From here on a request from another start (AskWriterToComeForward) is taken by this process
// instead of ending it (TakeComeForwardRequest).
asWRITERLOCK LockDataFileForWriting(const std::string& dataPath, unsigned waitMs = 5000);

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

// Asks the holder of a taken lock to bring its window to the front, when it is a copy of this
// game with its window open. False when it is not, or cannot be reached.
bool AskWriterToComeForward(const asWRITERLOCK& taken);
