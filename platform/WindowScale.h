// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed-size client on any window: whole-number enlargement on large desktops and in full
// screen (nearest neighbour, so it stays sharp), a smooth reduction on screens smaller than the
// client, and pointer positions mapped back exactly.
#pragma once

#include "gfx/Surface.h"

constexpr int MAX_WINDOW_SCALE = 8;

// The largest whole number by which the client fits into the desktop in both directions, at
// least 1. A forced value (the text of ZIMBLY_SCALE) that is a whole number 1..MAX_WINDOW_SCALE
// wins; anything else in it is ignored.
int ChooseWindowScale(int desktopWidth, int desktopHeight, int clientWidth, int clientHeight,
                      const char* forced);

// Whether the window, the client enlarged scale times, fits in the usable desktop. One that does
// not would leave controls out of reach: such a desktop stays full screen.
bool WindowFitsDesktop(int desktopWidth, int desktopHeight, int clientWidth, int clientHeight,
                       int scale);

// Writes the pixels of area of frame enlarged scale times into dst (pitch in bytes): every pixel
// becomes a scale x scale block. dst is the origin of the whole enlarged picture and holds at
// least Width() * scale by Height() * scale 32-bit pixels.
void UpscaleNearest(const Surface& frame, const Rect& area, int scale, void* dst, int dstPitch);

// Where the client's picture lies in a window: its top-left corner and its size there.
struct asPICTUREPLACE {
    int nLeft = 0;
    int nTop = 0;
    int nWidth = 0;
    int nHeight = 0;
    int nScale = 1; // whole-number enlargement; 0 when the picture is reduced to fit

    bool operator==(const asPICTUREPLACE&) const = default;
};

// The picture in a window of its own size times scale.
asPICTUREPLACE PlaceAtScale(int clientWidth, int clientHeight, int scale);

// The picture centred in a full-screen window: the largest whole-number scale that fits, or,
// on a screen smaller than the client either way, reduced to fit (keeping its proportions).
asPICTUREPLACE FitPicture(int windowWidth, int windowHeight, int clientWidth, int clientHeight);

// A window pixel as a client coordinate (rounding toward minus infinity, so a point before
// the picture, as the pointer while captured, stays outside the client): origin and size are
// the picture's along that axis.
int ClientCoordinate(int windowCoordinate, int origin, int pictureSize, int clientSize);

// The window pixels that show the client rectangle area (what a change there touches).
Rect WindowRectOf(const Rect& area, const asPICTUREPLACE& place, int clientWidth, int clientHeight);

// Writes the area of frame, reduced to place (nScale 0) by averaging the client pixels each
// window pixel covers, into dst (the window's pixels, pitch in bytes).
void ReduceSmooth(const Surface& frame, const Rect& area, const asPICTUREPLACE& place, void* dst,
                  int dstPitch);
