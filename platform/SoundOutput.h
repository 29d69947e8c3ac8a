// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The sounds the game plays, seen from the game: the SDL audio device (platform/SdlSound) or,
// with no device, nothing at all.
#pragma once

class CSoundOutput {
public:
    virtual ~CSoundOutput() = default;
    // Starts sound number id now, over whatever still plays. Never waits. Window thread only.
    virtual void Play(int id) = 0;
    // The player is at the controls: a sound may follow soon. The device, closed while the
    // game is left alone, opens now, so that sound is not late.
    virtual void Prepare() {}
};
