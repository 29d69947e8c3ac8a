// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A test fixture that starts from the start-up state of the three globals, points the data file
// into a fresh temporary directory, and puts everything back afterwards.
#pragma once

#include "storage/FileIo.h"
#include "tests/storage/FaultyFileOps.h"
#include "users/UserData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <grp.h>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// Runs checks where permission bits hold: as root they do not stop a read or a write, so
// the checks then run in a child process that has given up root (100: it could not).
// Returns what checks returned (0: all passed).
inline int RunWithoutRoot(const std::function<int()>& checks) {
    if (geteuid() != 0) return checks();
    const pid_t child = fork();
    if (child == 0) {
        constexpr uid_t NOBODY = 65534;
        if (setgroups(0, nullptr) != 0 || setgid(NOBODY) != 0 || setuid(NOBODY) != 0) _exit(100);
        _exit(checks());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 200;
}

class CUserDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_arrSavedUsers = g_arrUsers;
        m_nSavedCurrentUser = g_nCurrentUser;
        m_SavedPlace = GetDataFilePlace();
        std::copy(std::begin(g_ExerciseSets), std::end(g_ExerciseSets), m_arrSavedSets);

        g_arrUsers.clear();
        g_nCurrentUser = 0;
        std::fill(std::begin(g_ExerciseSets), std::end(g_ExerciseSets), ExerciseSet{});

        // Memory-backed when possible: some tests write over a thousand flushed files.
        std::error_code ec;
        const std::filesystem::path base =
            std::filesystem::is_directory("/dev/shm", ec) && access("/dev/shm", W_OK) == 0
                ? std::filesystem::path("/dev/shm")
                : std::filesystem::temp_directory_path();
        std::string pattern = (base / "zimbly-users-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_strDirectory = pattern;
        m_strPath = m_strDirectory + "/Sumora.cfg";
        UseDataFilePlace({m_strPath, m_strPath});
    }

    void TearDown() override {
        UseDataFilePlace(m_SavedPlace);
        std::error_code ec;
        if (!m_strDirectory.empty()) std::filesystem::remove_all(m_strDirectory, ec);
        g_arrUsers = m_arrSavedUsers;
        g_nCurrentUser = m_nSavedCurrentUser;
        std::copy(std::begin(m_arrSavedSets), std::end(m_arrSavedSets), g_ExerciseSets);
    }

    static asUSERINFO User(std::string name, std::vector<int> scores = {}) {
        asUSERINFO user;
        user.strName = std::move(name);
        for (int score : scores)
            AppendScore(user, score);
        return user;
    }

    // A plain write: the tests need no flush to the disk, and they write many files.
    static void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        ASSERT_TRUE(out.good()) << path;
    }

    std::vector<uint8_t> FileBytes(const std::string& path) const {
        return ReadFileBytes(path).value_or(std::vector<uint8_t>{});
    }

    // Names in the directory other than the data file and its damaged copy.
    std::vector<std::string> StrayFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_strDirectory)) {
            const std::string name = entry.path().filename().string();
            if (name != "Sumora.cfg" && name != "Sumora.cfg.bad") names.push_back(name);
        }
        return names;
    }

    std::string m_strDirectory;
    std::string m_strPath;

private:
    std::vector<asUSERINFO> m_arrSavedUsers;
    int32_t m_nSavedCurrentUser = 0;
    ExerciseSet m_arrSavedSets[EXERCISE_SET_COUNT] = {};
    asDATAFILEPLACE m_SavedPlace;
};
