// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Pages per second of the problem generator for the default sets and the widest set.
#include "exercise/ProblemGenerator.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

// A fast seeded source, so the benchmark measures the generator rather than rand().
std::function<int()> BenchRand() {
    auto engine = std::make_shared<std::minstd_rand>(1);
    return [engine] { return static_cast<int>((*engine)() >> 1); };
}

void GeneratePages(benchmark::State& state, const ExerciseSet& set) {
    std::vector<std::string> arrProblems;
    std::vector<std::string> arrAnswers;
    const std::function<int()> fnRand = BenchRand();
    for (auto _ : state) {
        benchmark::DoNotOptimize(GenerateProblems(arrProblems, arrAnswers, set, fnRand));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel("pages");
}

// The default sets: limits 3..10, addition and subtraction, fill-in.
void BM_DefaultSet(benchmark::State& state) {
    const auto k = static_cast<int32_t>(state.range(0));
    GeneratePages(state, ExerciseSet{k + 3, 2, 35});
}
BENCHMARK(BM_DefaultSet)->DenseRange(0, 7);

void BM_AllKindsUpToAHundred(benchmark::State& state) {
    GeneratePages(state, ExerciseSet{100, 0, 63});
}
BENCHMARK(BM_AllKindsUpToAHundred);

} // namespace
