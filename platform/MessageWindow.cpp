// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The message window on SDL2's own message box.
#include "platform/MessageWindow.h"

#include <SDL.h>

void ShowMessageWindow(const std::string& titleUtf8, const std::string& textUtf8) {
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, titleUtf8.c_str(), textUtf8.c_str(),
                             nullptr);
}
