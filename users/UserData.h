// The persistent data: users with their score histories, the current user, the eight problem
// sets, and the data file "Sumora.cfg" that holds them between runs.
#pragma once

#include "users/ExerciseSet.h"

#include <array>
#include <cstdint>
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

// The executable's directory + "Sumora.cfg" when a file can be created there, else the per-user
// data directory + "Sumora.cfg"; the bare name when neither is known. A non-empty environment
// variable ZIMBLY_DATA_FILE overrides all of this (for tests, including end-to-end runs).
std::string GetDataFilePath();

// True when the file exists and begins with the 26 header bytes.
bool IsDataFileValid(const std::string& path);

// Reads the data file into the three globals. False when it is absent, foreign or damaged; then
// nothing in memory has changed. A damaged file (right header, wrong content) is first copied to
// "<path>.bad" so that the save at exit cannot destroy it. A file older than DATA_FILE_VERSION
// carries no problem sets: the default sets are put in place.
bool LoadUserData();

// Writes the three globals to the data file, replacing it crash-safely; an older file's bytes
// beyond the new content are kept, as an in-place overwrite would leave them. True when written.
bool SaveUserData();

// Set k becomes {k + 3, 2, OP_ADD | OP_SUBTRACT | OP_FILL_BLANK}; users are not touched.
void SetDefaultExerciseSets();

// Adds a percentage (0..100) to the user's history, dropping the oldest when it is full.
void AppendScore(asUSERINFO& user, int score);

// Appends the user to g_arrUsers and returns its index. The caller enforces MAX_USERS.
int AppendUser(const asUSERINFO& user);

// Removes the user at index (nothing happens for an index outside the list). The current user
// stays the same person when it comes later in the list; when it was the removed one the first
// user becomes current, and -1 when no users remain.
void RemoveUser(int index);

// The first index whose name equals name with ASCII letters compared regardless of case, or -1.
int FindUserByName(std::string_view name);
