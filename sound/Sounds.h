// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The game's sounds: one short struck-note figure for each thing a child does or earns, all in
// one soft family of timbres, made by code when the game starts.
#pragma once

#include <cstdint>
#include <vector>

enum SoundId {
    SOUND_RIGHT,       // a right answer: a rising bright chime
    SOUND_WRONG,       // a wrong answer: two soft falling wooden notes
    SOUND_KEY,         // a keypad key or ball: one soft wooden tap
    SOUND_MAGNIFIER,   // the magnifier shows an answer: a quick falling glass sparkle
    SOUND_PAGE,        // a new page: a calm rising fifth
    SOUND_CERTIFICATE, // the certificate: a short fanfare ending on a chord
    SOUND_COUNT
};

// Mono 16-bit samples at SOUND_RATE (sound/Synth.h).
std::vector<int16_t> SynthesiseSound(SoundId id);
// Every sound, indexed by SoundId.
std::vector<std::vector<int16_t>> SynthesiseAllSounds();
