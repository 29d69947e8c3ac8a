// The real window on SDL2: borderless, client 1024x768, centred, with the game's message loop.
#pragma once

#include "platform/RepaintGate.h"
#include "platform/Window.h"

#include <map>
#include <memory>
#include <string>

struct SDL_Window;

class CSdlWindow : public CPlatformWindow {
public:
    // Null with a reason in error when there is no real display or the window cannot be made.
    static std::unique_ptr<CSdlWindow> Create(const char* titleUtf8, int width, int height,
                                              std::string& error);
    ~CSdlWindow() override;

    // Delivers events to the handler until DestroyWindow.
    void Run(CWindowHandler& handler);

    void Present(const Surface& frame) override;
    void FinishPresent() override { FlushPresent(true); }
    void SetTimer(int id, unsigned periodMs) override;
    void KillTimer(int id) override;
    void SetCapture() override;
    void ReleaseCapture() override;
    void ShowSystemPointer(bool show) override;
    void BeginDrag(int x, int y) override;
    void DestroyWindow() override { m_bQuit = true; }
    bool RequestRepaintAndWait() override;
    void StopRepaintRequests() override { m_gate.Stop(); }
    void EnableTextInput(bool enable) override;
    uint32_t GetTickCount() override;
    int GetSystemTimeMilliseconds() override;
    void Sleep(unsigned ms) override;

private:
    CSdlWindow() = default;
    struct Timer {
        unsigned nPeriod;
        uint32_t dwDue;
    };
    void FlushPresent(bool force);
    void FireDueTimers(CWindowHandler& handler);
    uint32_t NextWakeDelay() const;
    void MoveDraggedWindow();

    SDL_Window* m_pWindow = nullptr;
    uint32_t m_nUserEvent = 0;
    bool m_bQuit = false;
    const Surface* m_pPendingFrame = nullptr;
    bool m_bExposed = false;
    uint32_t m_dwLastPresent = 0;
    uint32_t m_dwFrameInterval = 16;
    std::map<int, Timer> m_mapTimers;
    bool m_bDragging = false;
    int m_nDragX = 0, m_nDragY = 0;
    bool m_bComposing = false; // the input method is composing: keys belong to it
    CRepaintGate m_gate;
};
