// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What a transition leaves of the input that queued up while it played.
#include "platform/QueuedInput.h"

#include <gtest/gtest.h>

namespace {

using enum QueuedEvent;

struct asQUEUECASE {
    const char* szWhat;
    bool bLeftHeld; // the left button went down before the transition
    std::vector<QueuedEvent> arrQueue;
    std::vector<bool> arrKept;
};

TEST(QueuedInput, OnlyTheNewestMoveAndTheReleaseOfAnEarlierPressStay) {
    const asQUEUECASE cases[] = {
        {"clicks, keys and text of the transition's time go",
         false,
         {LEFT_PRESS, INPUT, LEFT_RELEASE, INPUT, INPUT},
         {false, false, false, false, false}},
        {"the release ending a drag stays in its place",
         true,
         {MOVE, OTHER, LEFT_RELEASE, MOVE},
         {false, true, true, true}},
        {"only that first release: later clicks go",
         true,
         {INPUT, LEFT_RELEASE, LEFT_PRESS, LEFT_RELEASE},
         {false, true, false, false}},
        {"window changes and repaint requests stay",
         false,
         {OTHER, MOVE, OTHER},
         {true, true, true}},
    };
    for (const asQUEUECASE& c : cases)
        EXPECT_EQ(KeptAfterTransition(c.arrQueue, c.bLeftHeld), c.arrKept) << c.szWhat;
}

} // namespace
