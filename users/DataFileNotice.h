// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The line on the title screen that tells a parent this session's results are not being kept.
#pragma once

#include "gfx/CImageLayer.h"

// Draws the notice at the foot of the screen, where it covers no control.
void PaintDataFileNotice(CImageLayer& layer);
