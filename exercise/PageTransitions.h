// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The two transitions of a run: the exercise screen sliding in over the screen shown, and a new
// page fading in over the empty shelf. Every step is taken; the steps are spread over a fixed
// duration so that the animation looks the same on any machine.
#pragma once

#include "gfx/CImageLayer.h"
#include "platform/Window.h"

#include <cstdint>

struct asTRANSITIONPACE {
    uint32_t nDurationMs = 500;
    // Pixels (the slide) or alpha units (the fade) a step. Only a divisor of 256 brings the slide
    // exactly home from 768 and 1024 pixels away; any other value takes one unit a step.
    int nStride = 1;
};

// The slide's four directions: the new screen comes down from the top, up from the bottom, in
// from the right or in from the left.
constexpr int SLIDE_DIRECTIONS = 4;

// Slides to in over what screen holds, a step at a time, until it is one step short of its
// place; the caller's next full repaint shows it in place.
void SlideIn(CPlatformWindow& host, CImageLayer& screen, const CImageLayer& to, int direction,
             const asTRANSITIONPACE& pace);

// Shows withPage with the page area as the empty shelf, then fades its page in over the shelf,
// an alpha step at a time up to the whole page.
void FadeInPage(CPlatformWindow& host, CImageLayer& screen, const CImageLayer& withPage,
                const asTRANSITIONPACE& pace);
