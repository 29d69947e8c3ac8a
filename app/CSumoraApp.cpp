// Start-up (data, window, set-up) and shut-down (window gone, then the data saved).
#include "app/CSumoraApp.h"

#include "app/CSumoraWnd.h"
#include "platform/SdlWindow.h"
#include "users/UserData.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr const char* WINDOW_TITLE = "Zimbly（演示版）";

} // namespace

int CSumoraApp::Run() {
    const bool running = InitInstance();
    const int exitCode = ExitInstance();
    return running ? exitCode : 1;
}

bool CSumoraApp::InitInstance() {
    if (!LoadUserData()) SetDefaultExerciseSets();

    std::string error;
    std::unique_ptr<CSdlWindow> host =
        CSdlWindow::Create(WINDOW_TITLE, CLIENT_WIDTH, CLIENT_HEIGHT, error);
    if (!host) {
        std::fprintf(stderr, "zimbly: %s\n", error.c_str());
        return false;
    }
    {
        CSumoraWnd window(*host);
        if (window.OnCreate() != 0) {
            std::fprintf(stderr, "zimbly: the window could not be set up\n");
            return false;
        }
        // End-to-end tests replay pages they know the answers of (see the snapshot tool).
        if (const char* seed = std::getenv("ZIMBLY_SEED"))
            std::srand(unsigned(std::strtoul(seed, nullptr, 10)));
        window.RedrawWindow();
        host->Run(window);
        window.OnDestroy();
    }
    host.reset();
    return true;
}

int CSumoraApp::ExitInstance() {
    if (!SaveUserData()) {
        std::fprintf(stderr, "zimbly: the results could not be saved\n");
        return 1;
    }
    return 0;
}
