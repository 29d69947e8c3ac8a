// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The message window on SDL2's own message box, and the waiting window on a plain SDL window.
#include "platform/MessageWindow.h"

#include "platform/SdlWindowParts.h"

#include <SDL.h>

void ShowMessageWindow(const std::string& titleUtf8, const std::string& textUtf8) {
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, titleUtf8.c_str(), textUtf8.c_str(),
                             nullptr);
}

void CWaitingWindow::Show(const char* titleUtf8, const Surface& picture) {
    if (m_pWindow) return;
    m_pPicture = &picture;
    m_pWindow = SDL_CreateWindow(titleUtf8, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                 picture.Width(), picture.Height(), SDL_WINDOW_SHOWN);
    Paint();
}

bool CWaitingWindow::Serve() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT) m_bQuit = true;
        if (event.type != SDL_WINDOWEVENT || !m_pWindow ||
            event.window.windowID != SDL_GetWindowID(m_pWindow))
            continue;
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) m_bQuit = true;
        if (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
            event.window.event == SDL_WINDOWEVENT_SHOWN)
            Paint();
    }
    return !m_bQuit && !IsQuitSignalled();
}

void CWaitingWindow::Hide() {
    if (!m_pWindow) return;
    SDL_DestroyWindow(m_pWindow);
    m_pWindow = nullptr;
    m_pPicture = nullptr;
    // Its last events (it went away) are not the game's.
    SDL_PumpEvents();
    SDL_FlushEvent(SDL_WINDOWEVENT);
}

void CWaitingWindow::Paint() {
    if (!m_pWindow || !m_pPicture) return;
    SDL_Surface* target = SDL_GetWindowSurface(m_pWindow);
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint32_t*>(m_pPicture->Data()), m_pPicture->Width(), m_pPicture->Height(), 32,
        m_pPicture->Width() * 4, SDL_PIXELFORMAT_RGB888);
    if (target && source) {
        SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
        SDL_BlitSurface(source, nullptr, target, nullptr);
        SDL_UpdateWindowSurface(m_pWindow);
    }
    SDL_FreeSurface(source);
}
