// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The synthesiser's parts: struck notes made of a few decaying partials, mixed into one buffer,
// then faded at both ends and brought to a loudness under a common peak.
#pragma once

#include <cstdint>
#include <vector>

// Every sound is mono at this rate, as the audio device plays it.
constexpr int SOUND_RATE = 48000;
// The peak no sound exceeds, whatever loudness it is given: room for two voices at once.
constexpr double SOUND_PEAK_DB = -6.0;
// Fades at the start of a sound and of each note, and at its end (at most a quarter of a short
// sound): no step, so no click.
constexpr double SOUND_FADE_SECONDS = 0.006;
constexpr double SOUND_FADE_OUT_SECONDS = 0.08;

// One partial of a timbre: its frequency as a multiple of the note's, its level beside the
// fundamental's, and how much faster than the fundamental it dies away.
struct asPARTIAL {
    double dRatio;
    double dLevel;
    double dDecayFactor;
};

// A struck note: when it starts, its pitch, its level, and the time its fundamental takes to
// fall to 1/e.
struct asNOTE {
    double dStart;
    double dFrequency;
    double dLevel;
    double dDecay;
};

// Adds the note to mix (in samples of SOUND_RATE), growing nothing: what falls past the end is
// left out.
void AddNote(std::vector<float>& mix, const asNOTE& note, const std::vector<asPARTIAL>& timbre);

// RMS of the loudest 100 ms of samples, in dB below full scale (-inf-like for silence).
double LoudestWindowDb(const std::vector<float>& samples);

// Fades both ends, brings the loudness (as LoudestWindowDb) to loudnessDb, less if the peak
// would pass SOUND_PEAK_DB, and turns the result into 16-bit samples.
std::vector<int16_t> FinishSound(std::vector<float> mix, double loudnessDb);
