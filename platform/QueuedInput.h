// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Which input that queued up while a transition played survives it.
#pragma once

#include <vector>

// An event waiting in the window's queue, as far as a transition's clean-up cares.
enum class QueuedEvent {
    OTHER, // not input: window changes, repaint requests, the desktop's own messages
    MOVE,
    LEFT_PRESS,
    LEFT_RELEASE,
    INPUT, // keys, text, the other buttons
};

// Whether each event of queue stays: the newest move, and, when the left button was pressed
// before the transition (leftHeld), the first left release, which ends that press (a window
// drag, or the game's own); every other click, key and text is dropped, so that nothing replays
// as a storm afterwards.
std::vector<bool> KeptAfterTransition(const std::vector<QueuedEvent>& queue, bool leftHeld);
