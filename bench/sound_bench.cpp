// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What making the sounds costs: all six at once, as the sound thread does when the game starts,
// and the longest alone.
#include "sound/Sounds.h"

#include <benchmark/benchmark.h>

namespace {

void BM_SynthesiseAllSounds(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(SynthesiseAllSounds());
}
BENCHMARK(BM_SynthesiseAllSounds)->Unit(benchmark::kMillisecond);

void BM_SynthesiseCertificate(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(SynthesiseSound(SOUND_CERTIFICATE));
}
BENCHMARK(BM_SynthesiseCertificate)->Unit(benchmark::kMillisecond);

} // namespace
