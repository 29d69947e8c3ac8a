// What the SDL window's own files share (only they include this).
#pragma once

struct SDL_Window;

// A window manager takes a full-screen window over the whole display; without one (a bare X
// server, a kiosk session) nothing would move it, so it is placed there directly as well.
void CoverDisplay(SDL_Window* window);

// Where the pointer is now, in window pixels. SDL's own idea of it is its last motion's window
// coordinates, which go stale when the window changes under a still pointer; the X server is
// asked directly.
void PointerInWindow(SDL_Window* window, int& x, int& y);

// SIGHUP (the session ends) and SIGQUIT end the game as SIGTERM does, through the normal
// shut-down that saves; SDL itself turns SIGINT and SIGTERM into a quit event.
void EndOnHangUpAndQuit();
