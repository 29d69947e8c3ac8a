// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Struck notes as sums of damped sine partials; the finishing fades and loudness.
#include "sound/Synth.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr size_t WINDOW = SOUND_RATE / 10;

double DbOf(double amplitude) {
    return amplitude > 0 ? 20.0 * std::log10(amplitude) : -200.0;
}

// A raised cosine from 0 to 1 over n samples: smooth at both of its ends.
double Fade(size_t i, size_t n) {
    return i >= n ? 1.0 : 0.5 - 0.5 * std::cos(PI * double(i) / double(n));
}

} // namespace

void AddNote(std::vector<float>& mix, const asNOTE& note, const std::vector<asPARTIAL>& timbre) {
    const size_t start = size_t(std::lround(note.dStart * SOUND_RATE));
    if (start >= mix.size()) return;
    const size_t attack = size_t(SOUND_FADE_SECONDS * SOUND_RATE);
    for (const asPARTIAL& partial : timbre) {
        const double frequency = note.dFrequency * partial.dRatio;
        if (frequency >= SOUND_RATE / 2.0) continue;
        // A sine by its two-term recurrence and a decay by one factor a sample: no library
        // call per sample, which keeps every sound's making to a few milliseconds.
        const double step = 2.0 * PI * frequency / SOUND_RATE;
        const double twoCos = 2.0 * std::cos(step);
        double previous = std::sin(-step), current = 0.0;
        const double damping = std::exp(-partial.dDecayFactor / (note.dDecay * SOUND_RATE));
        double level = note.dLevel * partial.dLevel;
        for (size_t i = start; i < mix.size() && level > 1e-5; ++i) {
            mix[i] += float(current * level * Fade(i - start, attack));
            const double next = twoCos * current - previous;
            previous = current;
            current = next;
            level *= damping;
        }
    }
}

double LoudestWindowDb(const std::vector<float>& samples) {
    // A running sum of squares over the window, moved one sample at a time.
    double sum = 0.0, loudest = 0.0;
    const size_t window = std::min(WINDOW, samples.size());
    for (size_t i = 0; i < samples.size(); ++i) {
        sum += double(samples[i]) * samples[i];
        if (i >= window) sum -= double(samples[i - window]) * samples[i - window];
        loudest = std::max(loudest, sum);
    }
    return window == 0 ? -200.0 : 10.0 * std::log10(std::max(loudest / double(WINDOW), 1e-20));
}

std::vector<int16_t> FinishSound(std::vector<float> mix, double loudnessDb) {
    // In quickly, as a struck note does; out over a longer stretch, so that a ringing tail
    // fades rather than stops.
    const size_t fadeIn = std::min(size_t(SOUND_FADE_SECONDS * SOUND_RATE), mix.size());
    const size_t fadeOut = std::min(size_t(SOUND_FADE_OUT_SECONDS * SOUND_RATE), mix.size() / 4);
    for (size_t i = 0; i < fadeIn; ++i)
        mix[i] *= float(Fade(i, fadeIn));
    for (size_t i = 0; i < fadeOut; ++i)
        mix[mix.size() - 1 - i] *= float(Fade(i, fadeOut));
    float peak = 0.0f;
    for (float sample : mix)
        peak = std::max(peak, std::fabs(sample));
    double gainDb = loudnessDb - LoudestWindowDb(mix);
    // A tenth of a dB below the limit, so that rounding to 16 bits cannot pass it.
    gainDb = std::min(gainDb, SOUND_PEAK_DB - 0.1 - DbOf(peak));
    const double gain = std::pow(10.0, gainDb / 20.0);
    std::vector<int16_t> samples(mix.size());
    for (size_t i = 0; i < mix.size(); ++i)
        samples[i] = int16_t(std::lround(std::clamp(mix[i] * gain, -1.0, 1.0) * 32767.0));
    return samples;
}
