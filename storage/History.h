// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The answer record's file: telling whether it is ours, making it, keeping a damaged one aside,
// and closing it so that it rests as one plain file.
#pragma once

#include "storage/FileIo.h"

#include <functional>
#include <string>

struct sqlite3;

enum class HistoryOpen {
    OPEN,    // ready for writing
    ABSENT,  // no file there yet, and none was asked for
    LATER,   // locked by another program or no room: worth another try in a moment
    BLOCKED, // cannot be made or written now (permissions, a read-only file or folder, a damaged
             // file no copy could be kept of): worth another try in a while
    OFF,     // not to be written in this session (a newer version's, a doubtful link)
};

struct asHISTORYFILE {
    std::string strPath; // where it is, links followed
    sqlite3* pDb = nullptr;
    // The files opened, to tell them from ones put at their names later.
    asFILEID id;
    asFILEID walId;
    asFILEID shmId;
};

// One line for the terminal about what was found.
using HistoryTell = std::function<void(const std::string&)>;

// Opens the record at path for writing. A file that is not ours or is damaged is kept under a
// rescue name (as the data file's are) and a new one is started; a newer version's file is left as
// it is, an earlier version's is opened as it is (its first batch brings it up to date); a missing
// one is made only when create is set, with the data file's rule for its permission bits and group.
// A link another account could have planted is not followed. Every case but OPEN and ABSENT says
// one line through fnTell. While open, the file is in WAL mode, so that a reader never waits for
// the game nor the game for a reader.
HistoryOpen OpenHistory(asHISTORYFILE& file, const std::string& path, bool create,
                        const HistoryTell& fnTell);

// False once the open file is not the one at its path any more: deleted, moved away or replaced.
bool IsHistoryFileInPlace(const asHISTORYFILE& file);

// Lets go of a file that is no longer at its path. SQLite writes nothing more to it, so its
// write-ahead log stays behind at the old name, where a new record would take it for its own:
// the log and its index are removed when they are still the ones this connection made.
void LetGoOfMovedHistory(asHISTORYFILE& file);

// Closes the file. The last connection gone, SQLite copies the write-ahead log into it and removes
// the log and its index: at rest it is one file, which the report reads as immutable (nothing
// made beside it) from a folder it may not write in. Without a connection nothing happens.
void CloseHistory(asHISTORYFILE& file);
