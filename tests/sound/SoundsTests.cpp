// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Every synthesised sound measured as a listener would meet it: how long it lasts, how high it
// peaks, that it starts and ends without a click, how loud it is for its role, and its contour.
#include "sound/Sounds.h"
#include "sound/Synth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

struct asEXPECTEDSOUND {
    SoundId nId;
    const char* pName;
    double dMaxSeconds;
    double dUnderAnswersDb; // how much quieter than the answer sounds (right, wrong, magnifier)
};

const asEXPECTEDSOUND SOUNDS[] = {
    {SOUND_RIGHT, "right", 1.5, 0.0}, {SOUND_WRONG, "wrong", 1.5, 0.0},
    {SOUND_KEY, "key", 1.5, 10.0},    {SOUND_MAGNIFIER, "magnifier", 1.5, 0.0},
    {SOUND_PAGE, "page", 1.5, 3.0},   {SOUND_CERTIFICATE, "certificate", 3.0, 1.0},
};

double Db(double fullScaleFraction) {
    return 20.0 * std::log10(std::max(fullScaleFraction, 1e-12));
}

double PeakDb(const std::vector<int16_t>& samples) {
    int peak = 0;
    for (int16_t sample : samples)
        peak = std::max(peak, std::abs(int(sample)));
    return Db(peak / 32768.0);
}

// Loudness as momentary level: the RMS of the loudest 100 ms stretch, measured here on the
// 16-bit samples the device plays, in steps of 5 ms.
double LoudnessDb(const std::vector<int16_t>& samples) {
    const size_t window = SOUND_RATE / 10, step = SOUND_RATE / 200;
    double loudest = 0.0;
    for (size_t start = 0; start == 0 || start + window <= samples.size(); start += step) {
        double sum = 0.0;
        for (size_t i = start; i < start + window && i < samples.size(); ++i)
            sum += double(samples[i]) * samples[i];
        loudest = std::max(loudest, sum / double(window));
    }
    return Db(std::sqrt(loudest) / 32768.0);
}

// The largest step between neighbouring samples within the first or last n samples.
int LargestStepAtEnds(const std::vector<int16_t>& samples, size_t n) {
    int largest = 0;
    for (size_t i = 1; i < n; ++i) {
        largest = std::max(largest, std::abs(samples[i] - samples[i - 1]));
        const size_t j = samples.size() - i;
        largest = std::max(largest, std::abs(samples[j] - samples[j - 1]));
    }
    return largest;
}

double CrossingsPerSecond(const std::vector<int16_t>& samples, double from, double to) {
    int crossings = 0;
    for (size_t i = size_t(from * SOUND_RATE) + 1; i < size_t(to * SOUND_RATE); ++i)
        crossings += (samples[i - 1] < 0) != (samples[i] < 0);
    return crossings / (to - from);
}

} // namespace

TEST(Sounds, EachIsShortEnoughPeaksAtMinusSixDbAtMostAndNeitherStartsNorEndsWithAClick) {
    const size_t fiveMs = SOUND_RATE / 200;
    for (const asEXPECTEDSOUND& expected : SOUNDS) {
        SCOPED_TRACE(expected.pName);
        const std::vector<int16_t> samples = SynthesiseSound(expected.nId);
        const double seconds = double(samples.size()) / SOUND_RATE;
        EXPECT_GE(seconds, 0.1);
        EXPECT_LE(seconds, expected.dMaxSeconds);
        EXPECT_LE(PeakDb(samples), -6.0);
        EXPECT_GT(PeakDb(samples), -20.0) << "a sound that can be heard";
        // Silence at either end, reached over at least 5 ms of fade: the first and last
        // millisecond stay near silence, and no neighbouring samples jump as a click would.
        EXPECT_LE(std::abs(int(samples.front())), 8);
        EXPECT_LE(std::abs(int(samples.back())), 8);
        int edge = 0;
        for (size_t i = 0; i < size_t(SOUND_RATE / 1000); ++i)
            edge = std::max(
                {edge, std::abs(int(samples[i])), std::abs(int(samples[samples.size() - 1 - i]))});
        EXPECT_LE(Db(edge / 32768.0), PeakDb(samples) - 12.0) << "the ends fade in and out";
        EXPECT_LE(LargestStepAtEnds(samples, fiveMs), 2500);
    }
}

// The key tap, heard some eighty times a session, stays about 10 dB under the answer sounds and
// peaks under every other sound; the page's and the certificate's sounds sit just under.
TEST(Sounds, EachIsAsLoudAsItsRoleAndTheTapPeaksUnderAllOthers) {
    const double answersDb = LoudnessDb(SynthesiseSound(SOUND_RIGHT));
    const double tapPeakDb = PeakDb(SynthesiseSound(SOUND_KEY));
    EXPECT_GT(answersDb, -24.0);
    for (const asEXPECTEDSOUND& expected : SOUNDS) {
        const std::vector<int16_t> samples = SynthesiseSound(expected.nId);
        EXPECT_NEAR(answersDb - LoudnessDb(samples), expected.dUnderAnswersDb, 1.0)
            << expected.pName;
        EXPECT_LE(tapPeakDb, PeakDb(samples)) << expected.pName;
    }
}

// Each sound is its own (a table slip would give two causes one sound), and making them again
// gives the same samples, so what the end-to-end test compares against is what the game plays.
TEST(Sounds, AreDistinctAndTheSameEachTimeTheyAreMade) {
    const std::vector<std::vector<int16_t>> all = SynthesiseAllSounds();
    ASSERT_EQ(all.size(), size_t(SOUND_COUNT));
    for (int a = 0; a < SOUND_COUNT; ++a) {
        EXPECT_EQ(all[size_t(a)], SynthesiseSound(SoundId(a)));
        for (int b = a + 1; b < SOUND_COUNT; ++b)
            EXPECT_NE(all[size_t(a)], all[size_t(b)]) << a << " and " << b;
    }
}

// "right" climbs and the magnifier's sparkle comes down, so one is not taken for the other: zero
// crossings a second (twice the pitch that rings loudest) once all notes are struck, beside the
// first note's, at least a major third apart.
TEST(Sounds, RightClimbsWhileTheMagnifiersSparkleComesDown) {
    const std::vector<int16_t> right = SynthesiseSound(SOUND_RIGHT);
    const std::vector<int16_t> magnifier = SynthesiseSound(SOUND_MAGNIFIER);
    EXPECT_GT(CrossingsPerSecond(right, 0.25, 0.35), 1.26 * CrossingsPerSecond(right, 0.0, 0.03));
    EXPECT_LT(1.26 * CrossingsPerSecond(magnifier, 0.25, 0.35),
              CrossingsPerSecond(magnifier, 0.0, 0.03));
}

// A spiky sound whose loudness would put its peak over the limit is turned down rather than
// clipped: it keeps its shape, and the peak sits just under the limit.
TEST(Synth, ASpikyMixIsBroughtUnderThePeakLimitAndKeepsItsShape) {
    std::vector<float> mix(SOUND_RATE / 2);
    std::vector<asPARTIAL> inPhase;
    for (int k = 1; k <= 24; ++k)
        inPhase.push_back({double(k), 1.0, 1.0});
    AddNote(mix, {0.0, 100.0, 3.0, 0.2}, inPhase);
    const std::vector<int16_t> samples = FinishSound(mix, -18.0);
    EXPECT_LE(PeakDb(samples), -6.0);
    EXPECT_GT(PeakDb(samples), -6.5);
    // Scaled, not clipped: the loudest sample lies where the mix was loudest.
    const auto loudestMix = std::max_element(
        mix.begin(), mix.end(), [](float a, float b) { return std::fabs(a) < std::fabs(b); });
    const auto loudestOut = std::max_element(
        samples.begin(), samples.end(), [](int a, int b) { return std::abs(a) < std::abs(b); });
    EXPECT_EQ(loudestMix - mix.begin(), loudestOut - samples.begin());
}
