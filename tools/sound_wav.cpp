// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Writes every synthesised sound as a WAV file, to listen to or measure, and prints its length,
// peak and loudness. Usage: sound_wav DIRECTORY
#include "sound/Sounds.h"
#include "sound/Synth.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
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
        std::printf("%-12s %5.3f s  peak %6.2f dBFS  loudness %6.2f dB\n", NAMES[id],
                    double(samples.size()) / SOUND_RATE, 20.0 * std::log10(peak / 32767.0),
                    LoudestWindowDb(asFloat));
    }
    return 0;
}
