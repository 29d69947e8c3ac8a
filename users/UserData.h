// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The persistent data: users with their score histories, the current user, the eight problem
// sets, and the data file "Sumora.cfg" that holds them between runs.
#pragma once

#include "exercise/ExerciseSet.h"
#include "storage/FileIo.h"
#include "storage/Paths.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

constexpr uint32_t DATA_FILE_VERSION = 0x20131120;
constexpr int MAX_USERS = 8;
constexpr int MAX_NAME_BYTES = 42;
constexpr int SCORE_HISTORY_SIZE = 670;

struct asUSERINFO {
    std::string strName;                                // GBK bytes, 1..MAX_NAME_BYTES of them
    std::array<uint8_t, SCORE_HISTORY_SIZE> byScores{}; // percentages, oldest first
    int32_t nLastScore = -1; // index of the newest entry; -1 before the first result
};

extern std::vector<asUSERINFO> g_arrUsers;
// Whenever g_arrUsers is not empty this lies in 0..count-1; 0 at start-up, -1 once the last user
// has been deleted.
extern int32_t g_nCurrentUser;
extern ExerciseSet g_ExerciseSets[EXERCISE_SET_COUNT];

constexpr const char* DATA_FILE_NAME = "Sumora.cfg";
// Larger than any data file the game could have written (eight users take under 6 KB): such a
// file is not read, and so never replaced.
constexpr size_t MAX_DATA_FILE_BYTES = 1 << 20;

// Where the data file is read from at start-up and written to afterwards.
struct asDATAFILEPLACE {
    std::string strReadPath;
    std::string strWritePath;
};

// Beside the executable when a file can be created there. Otherwise saves go to the per-user
// data directory, and the file beside the executable (the family's, in a read-only install) is
// read until one has been saved there. fnExists tells whether a file is at a path.
asDATAFILEPLACE ChooseDataFilePlace(const std::string& executableDirectory,
                                    bool executableDirectoryWritable,
                                    const std::string& userDataDirectory,
                                    const std::function<bool(const std::string&)>& fnExists);

// ChooseDataFilePlace for the running executable and the user's folders. A game started from the
// tree it was built in keeps its data in the per-user folder, as an installed one does: a rebuild,
// a clean or a fresh clone must not take the family's results with it.
asDATAFILEPLACE FindDataFilePlace(const asUSERPLACES& places);

// Points LoadUserData and the saves at place, with symbolic links resolved, and forgets what an
// earlier load found. Until it is called (or after it is given empty paths) nothing is read or
// written. The saves and rescue copies write through ops. A link that another account could have
// planted is not followed: a data file behind one is neither read nor written (DataFileProblem
// says why).
void UseDataFilePlace(const asDATAFILEPLACE& place, const asFILEOPS& ops = SystemFileOps());

// What the saves ask and tell outside the data: whether this process is still the file's one
// writer (checked before each save; false stops the saves for the session), and a line for the
// terminal when a save had to keep a file another program put there.
struct asSAVEWATCH {
    std::function<bool()> fnStillWriter;
    std::function<void(const std::string&)> fnTell;
};
void WatchSaves(asSAVEWATCH watch);
const asDATAFILEPLACE& GetDataFilePlace();

// True when the file exists and begins with the 26 header bytes.
bool IsDataFileValid(const std::string& path);

// Reads the data file into the three globals. False when it is absent, foreign, damaged or
// unreadable; then nothing in memory has changed. A foreign or damaged file that the saves would
// replace is first kept under a numbered rescue name (".bad", ".bad.1", …). A file that cannot be
// read (no permission, not a regular file, too large) is never written over in this session, nor
// is a file whose rescue copy could not be made. A file older than DATA_FILE_VERSION carries no
// problem sets: the default sets are put in place.
bool LoadUserData();

// After the load (or the defaults): removes what killed saves left behind and takes the state in
// memory as the one on disk, so that SaveUserDataIfChanged writes only real changes.
void BeginKeepingUserData();

// Writes the three globals to the data file, replacing it crash-safely; an older file's bytes
// beyond the new content are kept, as an in-place overwrite would leave them. A file that is not
// the one last loaded or written (another program replaced or changed it) is kept under a rescue
// name first, and not written over when that fails. True when written; false when it failed or
// this session must not write (see LoadUserData and asSAVEWATCH).
bool SaveUserData();

// SaveUserData when the state differs from what was last written or loaded; true when nothing
// needed writing or the write succeeded.
bool SaveUserDataIfChanged();

// The save as the game closes: SaveUserData, unless the file at the path is still the one last
// loaded or written and holds exactly the bytes the save would write (two syncs spared, seconds on
// a slow disk).
bool SaveUserDataAtExit();

// Empty while results are being kept; otherwise why not (the file could not be read, no other
// copy could be ruled out, or the last save failed), as a line for the terminal.
const std::string& DataFileProblem();

// False when this session must not write the data file at all (as opposed to a save that failed).
bool MayWriteUserData();

// Stops all writing for this session (another copy of the game is the writer, or none can be
// sure it is), with the reason.
void StopKeepingUserData(const std::string& reason);

// Set k becomes {k + 3, 2, OP_ADD | OP_SUBTRACT | OP_FILL_BLANK}; users are not touched.
void SetDefaultExerciseSets();

// Adds a percentage (0..100) to the user's history, dropping the oldest when it is full.
void AppendScore(asUSERINFO& user, int score);

// The current user, or null when there is none (no users, or the index is outside the list).
asUSERINFO* CurrentUser();

// Appends the user to g_arrUsers and returns its index. The caller enforces MAX_USERS.
int AppendUser(const asUSERINFO& user);

// Removes the user at index (nothing happens for an index outside the list). The current user
// stays the same person when it comes later in the list; when it was the removed one the first
// user becomes current, and -1 when no users remain.
void RemoveUser(int index);

// The first index whose name equals name with ASCII letters compared regardless of case, or -1.
int FindUserByName(std::string_view name);
