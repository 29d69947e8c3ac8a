#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Finds the game's sounds in the audio SDL's disk driver wrote (mono, 16-bit, 48 kHz).

Usage: audio_events.py AUDIO.raw EVENTS REFERENCE_DIR

EVENTS holds one line per input: its name, the sound expected (or "silence"), and the
device's clock (samples written) just before the input was sent, just after it was sent, and
once its sound should have ended. Each expected sound must start after the input, within
LATE_MS of its sending, and match its reference (the synthesised sound, written by sound_wav)
better than any other; "silence" stretches hold no sound at all. Prints one line per event;
exits 1 if any fails."""
import array
import math
import sys
import wave

RATE = 48000
THRESHOLD = 300  # about -40 dBFS: the quietest onset of any sound is far above
# From the input's sending to the sound's start, on the device's clock: the frame showing the
# cause comes a few ms after the input, the sound within 100 ms of it; and the file's size (the
# clock as read) lags what was played by up to one 4 KiB stdio buffer (43 ms).
LATE_MS = 100 + 43
# Enough of each sound to tell it from the others.
COMPARED = RATE * 15 // 100


def load_raw(path):
    samples = array.array("h")
    with open(path, "rb") as f:
        samples.frombytes(f.read())
    return samples


def load_wav(path):
    with wave.open(path) as w:
        samples = array.array("h")
        samples.frombytes(w.readframes(w.getnframes()))
    return samples


def onset(samples, start, end):
    for i in range(max(start, 0), min(end, len(samples))):
        if abs(samples[i]) > THRESHOLD:
            return i
    return None


def likeness(audio, start, reference):
    """Normalised correlation of the reference with the audio from start on."""
    n = min(len(reference), len(audio) - start, COMPARED)
    if n <= 0:
        return 0.0
    dot = sum(audio[start + i] * reference[i] for i in range(n))
    energy_a = sum(audio[start + i] ** 2 for i in range(n))
    energy_r = sum(reference[i] ** 2 for i in range(n))
    return dot / math.sqrt(energy_a * energy_r) if energy_a and energy_r else 0.0


def main():
    audio = load_raw(sys.argv[1])
    references = {}
    for name in ("right", "wrong", "key", "magnifier", "page", "certificate"):
        references[name] = load_wav(f"{sys.argv[3]}/{name}.wav")
    failures = 0
    with open(sys.argv[2]) as f:
        events = [line.split() for line in f if line.strip()]
    for name, expected, before, sent, after in events:
        before, sent, after = int(before), int(sent), int(after)
        found = onset(audio, before, after)
        if expected == "silence":
            ok = found is None
            print(f"{name}: silence {'kept' if ok else 'broken at %.3f s' % (found / RATE)}")
        elif found is None:
            ok = False
            print(f"{name}: no {expected} sound")
        else:
            late = (found - sent) * 1000 / RATE
            scores = {}
            for other, reference in references.items():
                start = found - onset(reference, 0, len(reference))
                # The sound's start may lie a sample or two off the threshold's crossing.
                scores[other] = max(likeness(audio, start + d, reference) for d in (-2, -1, 0, 1, 2))
            best = max(scores, key=scores.get)
            ok = late <= LATE_MS and best == expected and scores[expected] > 0.9
            print(f"{name}: {expected} starts {late:.0f} ms after the input was sent, likeness "
                  f"{scores[expected]:.3f} (best match {best})")
        failures += not ok
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
