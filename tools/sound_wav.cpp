// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Writes every synthesised sound as a WAV file, to listen to or measure, and prints its length,
// peak, loudness and the contour of its pitch. Usage: sound_wav DIRECTORY
#include "sound/Sounds.h"
#include "sound/Synth.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <string>

namespace {

const char* const NAMES[SOUND_COUNT] = {"right",     "wrong", "key",
                                        "magnifier", "page",  "certificate"};

void PutLittleEndian(std::FILE* file, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        std::fputc(int((value >> (8 * i)) & 0xFF), file);
}

bool WriteWav(const std::string& path, const std::vector<int16_t>& samples) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    std::fputs("RIFF", file);
    PutLittleEndian(file, 36 + dataBytes, 4);
    std::fputs("WAVEfmt ", file);
    PutLittleEndian(file, 16, 4);
    PutLittleEndian(file, 1, 2); // PCM
    PutLittleEndian(file, 1, 2); // mono
    PutLittleEndian(file, SOUND_RATE, 4);
    PutLittleEndian(file, SOUND_RATE * 2, 4);
    PutLittleEndian(file, 2, 2);
    PutLittleEndian(file, 16, 2);
    std::fputs("data", file);
    PutLittleEndian(file, dataBytes, 4);
    for (int16_t sample : samples)
        PutLittleEndian(file, uint16_t(sample), 2);
    return std::fclose(file) == 0;
}

// The name of the strongest equal-tempered pitch (A3 to A7) in a stretch of samples, by the
// power of each pitch there: what a listener follows as the tune.
std::string StrongestNote(const std::vector<int16_t>& samples, size_t first, size_t last) {
    static const char* const PITCHES[12] = {"A",  "A#", "B", "C",  "C#", "D",
                                            "D#", "E",  "F", "F#", "G",  "G#"};
    int strongest = 0;
    double strongestPower = 0.0;
    for (int semitone = -12; semitone <= 36; ++semitone) {
        const double step =
            2.0 * std::numbers::pi * 440.0 * std::pow(2.0, semitone / 12.0) / SOUND_RATE;
        double re = 0.0, im = 0.0;
        for (size_t i = first; i < last && i < samples.size(); ++i) {
            re += samples[i] * std::cos(step * double(i));
            im += samples[i] * std::sin(step * double(i));
        }
        if (re * re + im * im > strongestPower) {
            strongestPower = re * re + im * im;
            strongest = semitone;
        }
    }
    // Octave numbers change at C, nine semitones below A.
    return PITCHES[(strongest + 48) % 12] + std::to_string((strongest + 57) / 12);
}

// The strongest pitch of each 50 ms from the start until 0.4 s or the end.
std::string Contour(const std::vector<int16_t>& samples) {
    const size_t stretch = SOUND_RATE / 20;
    std::string contour;
    for (size_t first = 0; first + stretch <= samples.size() && first < SOUND_RATE * 4 / 10;
         first += stretch)
        contour += (contour.empty() ? "" : " ") + StrongestNote(samples, first, first + stretch);
    return contour;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: sound_wav DIRECTORY\n", stderr);
        return 2;
    }
    for (int id = 0; id < SOUND_COUNT; ++id) {
        const std::vector<int16_t> samples = SynthesiseSound(SoundId(id));
        const std::string path = std::string(argv[1]) + "/" + NAMES[id] + ".wav";
        if (!WriteWav(path, samples)) {
            std::fprintf(stderr, "sound_wav: cannot write %s\n", path.c_str());
            return 1;
        }
        int peak = 0;
        for (int16_t sample : samples)
            peak = std::max(peak, std::abs(int(sample)));
        std::vector<float> asFloat(samples.begin(), samples.end());
        for (float& sample : asFloat)
            sample /= 32767.0f;
        std::printf("%-12s %5.3f s  peak %6.2f dBFS  loudness %6.2f dB  pitch %s\n", NAMES[id],
                    double(samples.size()) / SOUND_RATE, 20.0 * std::log10(peak / 32767.0),
                    LoudestWindowDb(asFloat), Contour(samples).c_str());
    }
    return 0;
}
