// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The data-file loader under libFuzzer: any bytes as the data file, decoded in memory and loaded
// through the real file, with what the rest of the program relies on checked for every input.
#include "storage/FileIo.h"
#include "users/DataFile.h"
#include "users/UserData.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

std::string g_strPath;

// A broken promise of the loader is a crash, so that libFuzzer keeps the input.
void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "fuzz_data_file: %s\n", what);
    std::abort();
}

void RequireSound(const std::vector<asUSERINFO>& users, int32_t current) {
    for (const asUSERINFO& user : users) {
        Require(user.strName.size() <= size_t(MAX_NAME_BYTES), "a name over 42 bytes");
        Require(user.nLastScore >= -1 && user.nLastScore < SCORE_HISTORY_SIZE,
                "a newest-result index outside the history");
    }
    if (users.empty())
        Require(current == 0 || current == -1, "a current user with no users");
    else
        Require(current >= 0 && size_t(current) < users.size(), "a current user outside the list");
}

bool SameUsers(const std::vector<asUSERINFO>& a, const std::vector<asUSERINFO>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const asUSERINFO& x, const asUSERINFO& y) {
                          return x.strName == y.strName && x.byScores == y.byScores &&
                                 x.nLastScore == y.nLastScore;
                      });
}

bool SameSets(const ExerciseSet* a, const ExerciseSet* b) {
    return std::equal(a, a + EXERCISE_SET_COUNT, b, [](const ExerciseSet& x, const ExerciseSet& y) {
        return x.nRange == y.nRange && x.nReserved == y.nReserved && x.nOperations == y.nOperations;
    });
}

// What a decoded file becomes when it is written again and read back.
void CheckRoundTrip(const asDATAFILE& file) {
    const std::vector<uint8_t> again =
        EncodeDataFile(file.arrSets, file.arrUsers, file.nCurrentUser);
    asDATAFILE reread;
    Require(DecodeDataFile(again, reread) == DataFileStatus::VALID, "own output not valid");
    Require(SameUsers(reread.arrUsers, file.arrUsers), "users changed on the round trip");
    Require(SameSets(reread.arrSets.data(), file.arrSets.data()), "sets changed on the round trip");
    Require(reread.nCurrentUser == file.nCurrentUser, "current user changed on the round trip");
}

void WritePlain(const std::string& path, const uint8_t* data, size_t size) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    Require(fd >= 0, "cannot create the data file");
    Require(write(fd, data, size) == ssize_t(size), "cannot write the data file");
    close(fd);
}

// A state of the three globals that no file loads to, so that any change shows.
void SetSentinelState() {
    asUSERINFO user;
    user.strName = "sentinel";
    user.nLastScore = 3;
    g_arrUsers.assign(1, user);
    g_nCurrentUser = 0;
    for (ExerciseSet& set : g_ExerciseSets)
        set = {-77, -77, 0xDEAD};
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Memory-backed when possible: every input is written, read and often saved again.
    std::string pattern =
        access("/dev/shm", W_OK) == 0 ? "/dev/shm/zimbly-fuzz-XXXXXX" : "/tmp/zimbly-fuzz-XXXXXX";
    Require(mkdtemp(pattern.data()) != nullptr, "no temporary directory");
    g_strPath = pattern + "/Sumora.cfg";
    std::atexit([] {
        unlink(g_strPath.c_str());
        unlink((g_strPath + ".bad").c_str());
        rmdir(g_strPath.substr(0, g_strPath.rfind('/')).c_str());
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    asDATAFILE file;
    const DataFileStatus status = DecodeDataFile({data, size}, file);
    Require(HasDataFileHeader({data, size}) == (status != DataFileStatus::FOREIGN),
            "the header test and the decoder disagree");
    if (status == DataFileStatus::VALID) {
        RequireSound(file.arrUsers, file.nCurrentUser);
        CheckRoundTrip(file);
    }

    // The same bytes through the loader, from a file.
    const std::string damagedCopy = g_strPath + ".bad";
    unlink(damagedCopy.c_str());
    WritePlain(g_strPath, data, size);
    SetSentinelState();
    UseDataFilePlace({g_strPath, g_strPath}); // each input is a session of its own
    const bool loaded = LoadUserData();
    Require(loaded == (status == DataFileStatus::VALID), "the loader and the decoder disagree");
    if (!loaded) {
        Require(g_arrUsers.size() == 1 && g_arrUsers[0].strName == "sentinel" &&
                    g_ExerciseSets[7].nRange == -77,
                "a refused file changed the state");
        const auto copy = ReadFileBytes(damagedCopy);
        if (size > 0)
            Require(copy && copy->size() == size && std::equal(copy->begin(), copy->end(), data),
                    "the refused file was not kept whole");
        else
            Require(!copy, "an empty file was kept");
        return 0;
    }
    RequireSound(g_arrUsers, g_nCurrentUser);
    Require(SameUsers(g_arrUsers, file.arrUsers), "loaded users differ from the decoded ones");
    if (file.dwVersion >= DATA_FILE_VERSION)
        Require(SameSets(g_ExerciseSets, file.arrSets.data()), "loaded sets differ");
    else
        Require(g_ExerciseSets[7].nRange == 10, "an older file did not get the default sets");

    // Saved and loaded again, the state stays; the file keeps at least its old length.
    const std::vector<asUSERINFO> users = g_arrUsers;
    const int32_t current = g_nCurrentUser;
    ExerciseSet sets[EXERCISE_SET_COUNT];
    std::copy(std::begin(g_ExerciseSets), std::end(g_ExerciseSets), sets);
    Require(SaveUserData(), "the save failed");
    const auto saved = ReadFileBytes(g_strPath);
    Require(saved && saved->size() >= size, "the save lost the old file's tail");
    SetSentinelState();
    Require(LoadUserData(), "the saved file does not load");
    Require(SameUsers(g_arrUsers, users) && g_nCurrentUser == current &&
                SameSets(g_ExerciseSets, sets),
            "the saved file loads to a different state");
    return 0;
}
