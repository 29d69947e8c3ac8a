// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Windows that tell a parent why the game does not open (yet): a parent who started the game from
// the desktop sees no terminal.
#pragma once

#include "gfx/Surface.h"

#include <string>

struct SDL_Window;

// A small window with a message and an OK button, for a start that cannot go on. Shows the message
// and waits until it is closed; does nothing when no window can be shown. It draws with the
// display's own fonts, which often have no Chinese.
void ShowMessageWindow(const std::string& titleUtf8, const std::string& textUtf8);

// A start that waits: while the wait lasts, a picture (drawn by the caller, with the game's own
// fonts) in a plain window that the program takes down when the wait is over. The display is
// served meanwhile, so that the window repaints and a close or Ctrl-C ends the wait.
class CWaitingWindow {
public:
    CWaitingWindow() = default;
    CWaitingWindow(const CWaitingWindow&) = delete;
    CWaitingWindow& operator=(const CWaitingWindow&) = delete;
    ~CWaitingWindow() { Hide(); }

    // Opens the window, centred, showing picture (kept by reference while shown).
    void Show(const char* titleUtf8, const Surface& picture);
    bool IsShown() const { return m_pWindow != nullptr; }
    // Serves the display's events; false once the window was closed or the process was asked to
    // quit (Ctrl-C, SIGTERM, SIGHUP), shown or not.
    bool Serve();
    void Hide();

private:
    void Paint();

    SDL_Window* m_pWindow = nullptr;
    const Surface* m_pPicture = nullptr;
    bool m_bQuit = false;
};
