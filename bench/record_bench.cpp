// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The answer record: what recording one answer costs the window's thread (the record built as the
// window builds it, then handed over; median and 99th percentile of single calls while the writer
// thread writes), and how much the file grows per 100,000 answers.
#include "platform/Clock.h"
#include "storage/HistorySchema.h"
#include "storage/HistoryWriter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <stdlib.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace {

struct asFOLDER {
    std::string strPath;
    asFOLDER() {
        std::string pattern = std::filesystem::temp_directory_path() / "zimbly-bench-XXXXXX";
        strPath = mkdtemp(pattern.data());
    }
    ~asFOLDER() { std::filesystem::remove_all(strPath); }
    std::string Record() const { return strPath + "/" + HISTORY_FILE_NAME; }
};

// A page of sums up to 20 as the generator writes them, and their answers.
struct asPAGE {
    std::vector<std::string> arrProblems;
    std::vector<std::string> arrAnswers;
    explicit asPAGE(std::mt19937& random) {
        for (int i = 0; i < 12; ++i) {
            const int a = int(random() % 20), b = int(random() % 20);
            arrProblems.push_back(std::to_string(a) + " + " + std::to_string(b) + " = ( %s )");
            arrAnswers.push_back(std::to_string(a + b));
        }
    }
};

// What the window does for one marked answer.
asHISTORYANSWER BuildAnswer(const asPAGE& page, int position, const std::string& typed) {
    asHISTORYANSWER answer;
    answer.nRunKey = 1;
    answer.nPosition = position;
    answer.nUtcMs = GetUtcMilliseconds();
    const std::string& problem = page.arrProblems[size_t(position)];
    for (size_t i = 0; i < problem.size(); ++i) {
        if (problem.compare(i, 6, "( %s )") == 0) {
            answer.strProblem += "\u25A1";
            i += 5;
        } else if (problem[i] != ' ') {
            answer.strProblem += problem[i];
        }
    }
    answer.strExpected = page.arrAnswers[size_t(position)];
    answer.strTyped = typed;
    answer.bRight = typed == answer.strExpected;
    answer.bFirstTry = true;
    answer.nElapsedMs = 2345;
    return answer;
}

// Arg: microseconds between answers (0: as fast as they can be handed).
void BM_RecordAnswer(benchmark::State& state) {
    asFOLDER folder;
    CHistoryWriter writer;
    writer.Start(folder.Record(), {});
    writer.Hand(asHISTORYRUN{1, "Tom", 0, 35, 20, GetUtcMilliseconds()});
    std::mt19937 random(7);
    const asPAGE page(random);
    std::vector<double> samples;
    samples.reserve(size_t(state.max_iterations));
    int position = 0;
    for (auto _ : state) {
        const std::string typed = page.arrAnswers[size_t(position)];
        const auto start = std::chrono::steady_clock::now();
        writer.Hand(BuildAnswer(page, position, typed));
        samples.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count());
        position = (position + 1) % 12;
        if (state.range(0) > 0) {
            state.PauseTiming();
            std::this_thread::sleep_for(std::chrono::microseconds(state.range(0)));
            state.ResumeTiming();
        }
    }
    writer.Stop();
    std::sort(samples.begin(), samples.end());
    state.counters["median_us"] = samples[samples.size() / 2];
    state.counters["p99_us"] = samples[samples.size() * 99 / 100];
    state.counters["max_us"] = samples.back();
}
BENCHMARK(BM_RecordAnswer)->Arg(0)->Arg(1000)->Iterations(20000)->UseRealTime();

// Runs of three pages of twelve with one wrong try in ten, as a year or two of practice.
void BM_RecordGrowthPer100000Answers(benchmark::State& state) {
    for (auto _ : state) {
        asFOLDER folder;
        CHistoryWriter writer;
        writer.Start(folder.Record(), {});
        std::mt19937 random(11);
        int answers = 0;
        for (int64_t run = 1; answers < 100'000; ++run) {
            writer.Hand(asHISTORYRUN{run, "\xd0\xa1\xc3\xf7", 3, 35, 20, GetUtcMilliseconds()});
            for (int pageNumber = 1; pageNumber <= 3; ++pageNumber) {
                const asPAGE page(random);
                for (int position = 0; position < 12; ++position, ++answers) {
                    asHISTORYANSWER answer = BuildAnswer(page, position, "0");
                    answer.nRunKey = run;
                    answer.nPage = pageNumber;
                    if (random() % 10 == 0) {
                        writer.Hand(answer);
                        ++answers;
                    }
                    answer.strTyped = answer.strExpected;
                    answer.bRight = true;
                    writer.Hand(std::move(answer));
                }
                writer.CommitSoon();
            }
            writer.Hand(asHISTORYRUNEND{run, GetUtcMilliseconds(), 90, 36, 33});
            writer.CommitAndWait(60'000); // none dropped for want of room in the queue
        }
        writer.Stop();
        struct stat info {};
        stat(folder.Record().c_str(), &info);
        state.counters["answers"] = answers;
        state.counters["MB_per_100k"] = double(info.st_size) / 1e6 * 100'000 / answers;
    }
}
BENCHMARK(BM_RecordGrowthPer100000Answers)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
