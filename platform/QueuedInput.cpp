// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The choice of the input a transition leaves in the queue.
#include "platform/QueuedInput.h"

#include <cstddef>

std::vector<bool> KeptAfterTransition(const std::vector<QueuedEvent>& queue, bool leftHeld) {
    std::vector<bool> kept(queue.size(), false);
    bool releaseDue = leftHeld;
    size_t newestMove = queue.size();
    for (size_t i = 0; i < queue.size(); ++i) {
        switch (queue[i]) {
        case QueuedEvent::OTHER:
            kept[i] = true;
            break;
        case QueuedEvent::MOVE:
            newestMove = i;
            break;
        case QueuedEvent::LEFT_RELEASE:
            kept[i] = releaseDue;
            releaseDue = false;
            break;
        case QueuedEvent::LEFT_PRESS:
        case QueuedEvent::INPUT:
            break;
        }
    }
    if (newestMove < queue.size()) kept[newestMove] = true;
    return kept;
}
