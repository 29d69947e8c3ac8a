// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the SDL window's own files share (only they include this).
#pragma once

struct SDL_SysWMmsg;
struct SDL_Window;

// A window manager takes a full-screen window over the whole display; without one (a bare X
// server, a kiosk session) nothing would move it, so it is placed there directly as well.
void CoverDisplay(SDL_Window* window);

// Where the pointer is now, in window pixels. SDL's own idea of it is its last motion's window
// coordinates, which go stale when the window changes under a still pointer; the X server is
// asked directly.
void PointerInWindow(SDL_Window* window, int& x, int& y);

// Where the pointer is on the screen; false when the display cannot be asked.
bool PointerOnScreen(SDL_Window* window, int& x, int& y);

// Puts the pointer back on the screen point (x, y) if anything moved it.
void KeepPointerAt(SDL_Window* window, int x, int y);

// Whether the window on the display has the size and place SDL reports for it. A window manager
// makes a full-screen switch some time after SDL has reported the new size.
bool HasReportedPlacement(SDL_Window* window);

// Whether the display's message tells of a new size or place of this window.
bool IsWindowConfigured(SDL_Window* window, const SDL_SysWMmsg& message);

// SIGHUP (the session ends) and SIGQUIT end the game as SIGTERM does, through the normal
// shut-down that saves; SDL itself turns SIGINT and SIGTERM into a quit event.
void EndOnHangUpAndQuit();
// True once SIGHUP or SIGQUIT has come (the game's loop then closes; a start that waits gives up).
bool IsQuitSignalled();
