// The line on the title screen that tells a parent this session's results are not being kept.
#pragma once

#include "gfx/CImageLayer.h"

// Draws the notice at the foot of the screen, where it covers no control.
void PaintDataFileNotice(CImageLayer& layer);
