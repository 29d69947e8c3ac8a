// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The score of each sound: which notes, when, in which timbre, and how long it lasts.
#include "sound/Sounds.h"

#include "sound/Synth.h"

#include <cmath>

namespace {

// A wooden bar: a strong fundamental, a little octave for warmth and the bar's high partials,
// which die away fast.
const std::vector<asPARTIAL> MARIMBA = {
    {1.0, 1.0, 1.0}, {2.0, 0.10, 1.5}, {3.93, 0.16, 3.0}, {9.2, 0.03, 6.0}};
// A small soft bell: more partials, slightly inharmonic, the upper ones fading first.
const std::vector<asPARTIAL> BELL = {
    {1.0, 1.0, 1.0}, {2.0, 0.30, 1.6}, {2.76, 0.12, 2.2}, {4.07, 0.06, 3.0}, {5.40, 0.03, 4.0}};
// Glass: nearly a pure tone, doubled a few hertz apart so that it shimmers as it rings, and one
// faint twelfth for sparkle. No octave partial, which is what makes the bell a bell.
const std::vector<asPARTIAL> GLASS = {{1.0, 1.0, 1.0}, {1.006, 0.5, 1.0}, {3.0, 0.05, 2.5}};

// Loudness by role (the loudest 100 ms, RMS, dBFS). The answer sounds set the level. The key
// tap, heard some eighty times in four pages, stays well under them; the new page's sound comes
// with the slide and is a cue, not news; the certificate's chord rings for two seconds, and a
// long sound is heard louder than its loudest moment tells.
constexpr double ANSWER_DB = -18.0;
constexpr double KEY_DB = ANSWER_DB - 10.0;
constexpr double PAGE_DB = ANSWER_DB - 3.0;
constexpr double CERTIFICATE_DB = ANSWER_DB - 1.0;

// Pitches of the notes used (equal temperament, A4 = 440 Hz).
constexpr double C4 = 261.63, E4 = 329.63, G4 = 392.00, C5 = 523.25, E5 = 659.26, G5 = 783.99,
                 A5 = 880.00, C6 = 1046.50, D6 = 1174.66, E6 = 1318.51, G6 = 1567.98, A6 = 1760.00;

struct asVOICE {
    const std::vector<asPARTIAL>* pTimbre;
    asNOTE note;
};

struct asSCORE {
    double dLength; // seconds
    double dLoudnessDb;
    std::vector<asVOICE> arrVoices;
};

asSCORE ScoreOf(SoundId id) {
    switch (id) {
    case SOUND_RIGHT:
        return {0.9,
                ANSWER_DB,
                {{&BELL, {0.00, G5, 0.8, 0.22}},
                 {&BELL, {0.08, C6, 0.8, 0.22}},
                 {&BELL, {0.16, E6, 1.0, 0.30}}}};
    case SOUND_WRONG:
        return {
            0.6, ANSWER_DB, {{&MARIMBA, {0.00, G4, 1.0, 0.12}}, {&MARIMBA, {0.15, E4, 1.0, 0.16}}}};
    case SOUND_KEY:
        return {0.16, KEY_DB, {{&MARIMBA, {0.00, A5, 1.0, 0.035}}}};
    case SOUND_MAGNIFIER:
        // Falling where "right" rises, in glass where it rings a bell, at twice its pace: a
        // sparkle that shows the answer and neither praises nor blames.
        return {0.75,
                ANSWER_DB,
                {{&GLASS, {0.00, A6, 0.5, 0.08}},
                 {&GLASS, {0.04, G6, 0.55, 0.08}},
                 {&GLASS, {0.08, E6, 0.6, 0.09}},
                 {&GLASS, {0.12, D6, 0.65, 0.10}},
                 {&GLASS, {0.16, C6, 0.75, 0.12}},
                 {&GLASS, {0.20, A5, 1.0, 0.30}}}};
    case SOUND_PAGE:
        return {
            0.5, PAGE_DB, {{&MARIMBA, {0.00, C4, 1.0, 0.10}}, {&MARIMBA, {0.09, G4, 1.0, 0.14}}}};
    case SOUND_CERTIFICATE:
        return {2.6,
                CERTIFICATE_DB,
                {{&MARIMBA, {0.00, C5, 0.9, 0.12}},
                 {&MARIMBA, {0.14, E5, 0.9, 0.12}},
                 {&MARIMBA, {0.28, G5, 0.9, 0.12}},
                 {&BELL, {0.42, C6, 1.0, 0.20}},
                 {&MARIMBA, {0.62, G5, 0.8, 0.10}},
                 {&BELL, {0.80, C5, 0.6, 0.55}},
                 {&BELL, {0.80, E5, 0.6, 0.55}},
                 {&BELL, {0.80, G5, 0.6, 0.55}},
                 {&BELL, {0.80, C6, 0.7, 0.60}}}};
    default:
        return {0.0, 0.0, {}};
    }
}

} // namespace

std::vector<int16_t> SynthesiseSound(SoundId id) {
    const asSCORE score = ScoreOf(id);
    std::vector<float> mix(size_t(std::lround(score.dLength * SOUND_RATE)));
    for (const asVOICE& voice : score.arrVoices)
        AddNote(mix, voice.note, *voice.pTimbre);
    return FinishSound(std::move(mix), score.dLoudnessDb);
}

std::vector<std::vector<int16_t>> SynthesiseAllSounds() {
    std::vector<std::vector<int16_t>> sounds;
    for (int id = 0; id < SOUND_COUNT; ++id)
        sounds.push_back(SynthesiseSound(SoundId(id)));
    return sounds;
}
