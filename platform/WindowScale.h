// Whole-number enlargement of the fixed-size client on large desktops: the window's size, its
// picture (nearest neighbour, so it stays sharp) and pointer positions mapped back.
#pragma once

#include "platform/Surface.h"

constexpr int MAX_WINDOW_SCALE = 8;

// The largest whole number by which the client fits into the desktop in both directions, at
// least 1. A forced value (the text of ZIMBLY_SCALE) that is a whole number 1..MAX_WINDOW_SCALE
// wins; anything else in it is ignored.
int ChooseWindowScale(int desktopWidth, int desktopHeight, int clientWidth, int clientHeight,
                      const char* forced);

// A window pixel coordinate as a client coordinate. Rounds toward minus infinity, so a point
// left of or above the window (the pointer while captured) stays outside the client.
int ClientCoordinate(int windowCoordinate, int scale);

// Writes frame enlarged scale times into dst (pitch in bytes): every pixel becomes a
// scale x scale block. dst holds at least Width() * scale by Height() * scale 32-bit pixels.
void UpscaleNearest(const Surface& frame, int scale, void* dst, int dstPitch);
// The same for the pixels of area only; dst is still the origin of the whole enlarged picture.
void UpscaleNearest(const Surface& frame, const Rect& area, int scale, void* dst, int dstPitch);
