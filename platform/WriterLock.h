// One writer per data file: an advisory lock beside it that dies with the process holding it,
// and the request that brings the holder's window to the front.
#pragma once

#include <string>

enum class WriterLockStatus {
    HELD,       // this process is the writer
    TAKEN,      // another process is; nHolderPid names it when it can be seen from here
    UNAVAILABLE // no lock file could be made (strReason says why)
};

struct asWRITERLOCK {
    WriterLockStatus nStatus = WriterLockStatus::UNAVAILABLE;
    int nHolderPid = 0;
    std::string strReason;
    int nFd = -1;
};

// Locks dataPath + ".lock" (created when missing). From here on a request from another start
// (AskWriterToComeForward) is taken by this process instead of ending it.
asWRITERLOCK LockDataFileForWriting(const std::string& dataPath);

// Gives the lock up (also done by the system when the process ends, however it ends).
void UnlockDataFile(asWRITERLOCK& lock);

// Asks the process holding the lock to bring its window to the front. False when it cannot be
// reached (another user's process, or one in another PID namespace).
bool AskWriterToComeForward(int holderPid);

// True once for each request that reached this process since the last call.
bool TakeComeForwardRequest();
