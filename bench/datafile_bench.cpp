// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Load and save of a data file holding 8 users with 670 results each: the whole calls the game
// makes at start-up, after each result and at exit, and their encoding and decoding alone.
#include "bench/BenchWindow.h"
#include "users/DataFile.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

// A fresh directory for the data file, on the same disk as the temporary directory; the save
// flushes to the disk, as it does for the player.
class CDataFileDirectory {
public:
    CDataFileDirectory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "zimbly-bench-XXXXXX");
        if (!mkdtemp(pattern.data())) std::exit(1);
        m_strDirectory = pattern;
        const std::string path = m_strDirectory + "/Sumora.cfg";
        UseDataFilePlace({path, path});
        SetDefaultExerciseSets();
        FillUsersWithFullHistories();
        if (!SaveUserData()) std::exit(1);
    }
    ~CDataFileDirectory() {
        UseDataFilePlace({});
        std::error_code ec;
        std::filesystem::remove_all(m_strDirectory, ec);
    }

private:
    std::string m_strDirectory;
};

void BM_LoadUserData(benchmark::State& state) {
    CDataFileDirectory directory;
    for (auto _ : state)
        if (!LoadUserData()) state.SkipWithError("load failed");
    state.SetLabel(std::to_string(g_arrUsers.size()) + " users");
}
BENCHMARK(BM_LoadUserData);

void BM_SaveUserData(benchmark::State& state) {
    CDataFileDirectory directory;
    for (auto _ : state)
        if (!SaveUserData()) state.SkipWithError("save failed");
    state.SetLabel(std::filesystem::temp_directory_path().string() + ", flushed to the disk");
}
BENCHMARK(BM_SaveUserData)->Unit(benchmark::kMicrosecond);

// What every click and key pays to learn that no result changed.
void BM_SaveUserDataIfUnchanged(benchmark::State& state) {
    CDataFileDirectory directory;
    BeginKeepingUserData();
    for (auto _ : state)
        if (!SaveUserDataIfChanged()) state.SkipWithError("check failed");
}
BENCHMARK(BM_SaveUserDataIfUnchanged)->Unit(benchmark::kMicrosecond);

void BM_EncodeDataFile(benchmark::State& state) {
    SetDefaultExerciseSets();
    FillUsersWithFullHistories();
    size_t size = 0;
    for (auto _ : state) {
        const std::vector<uint8_t> bytes =
            EncodeDataFile(g_ExerciseSets, g_arrUsers, g_nCurrentUser);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations() * size));
}
BENCHMARK(BM_EncodeDataFile);

void BM_DecodeDataFile(benchmark::State& state) {
    SetDefaultExerciseSets();
    FillUsersWithFullHistories();
    const std::vector<uint8_t> bytes = EncodeDataFile(g_ExerciseSets, g_arrUsers, g_nCurrentUser);
    for (auto _ : state) {
        asDATAFILE file;
        if (DecodeDataFile(bytes, file) != DataFileStatus::VALID)
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(file.arrUsers.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations() * bytes.size()));
}
BENCHMARK(BM_DecodeDataFile);

} // namespace
