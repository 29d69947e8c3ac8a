// Start-up (display, the one writer's lock, data, window, set-up) and shut-down (window gone,
// then the data saved).
#include "app/CSumoraApp.h"

#include "app/CSumoraWnd.h"
#include "app/DisplaySettings.h"
#include "platform/Paths.h"
#include "platform/SdlWindow.h"
#include "platform/WriterLock.h"
#include "users/UserData.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr const char* WINDOW_TITLE = "Zimbly（演示版）";

// Set while the window runs: a process ended from inside a library (Xlib ends it with exit()
// when the display goes away, as at logout) still writes the results on its way out.
bool g_bSaveOnExit = false;

void SaveOnUnexpectedExit() {
    if (g_bSaveOnExit) SaveUserData();
}

asDATAFILEPLACE FindDataFilePlace(const asUSERPLACES& places) {
    const std::string executableDirectory = GetExecutableDirectory();
    const bool writable = !executableDirectory.empty() && IsDirectoryWritable(executableDirectory);
    return ChooseDataFilePlace(executableDirectory, writable,
                               writable ? std::string() : GetUserDataDirectory(places), PathExists);
}

} // namespace

int CSumoraApp::Run(const asENVIRONMENT& environment, std::optional<bool> fullScreen) {
    std::string error;
    // A start that fails for want of a display reads and writes nothing.
    if (!CSdlWindow::OpenDisplay(environment.strVideoDriver, error)) {
        std::fprintf(stderr, "zimbly: %s\n", error.c_str());
        return 1;
    }
    UseDataFilePlace(FindDataFilePlace(environment.places));
    const std::string& path = GetDataFilePlace().strWritePath;
    asWRITERLOCK lock = LockDataFileForWriting(path);
    if (lock.nStatus == WriterLockStatus::TAKEN) {
        CSdlWindow::CloseDisplay();
        if (AskWriterToComeForward(lock.nHolderPid)) {
            std::fprintf(stderr, "zimbly: the game is already running; its window was brought "
                                 "to the front\n");
            return 0;
        }
        std::fprintf(stderr,
                     "zimbly: another copy of the game is already running with %s; close it "
                     "before starting the game again\n",
                     path.c_str());
        return 1;
    }
    if (lock.nStatus == WriterLockStatus::UNAVAILABLE)
        StopKeepingUserData(lock.strReason + " (another copy could be writing the same file)");

    const bool running = InitInstance(
        environment,
        fullScreen.value_or(LoadFullScreenSetting(environment.places).value_or(false)));
    const int exitCode = running ? ExitInstance() : 1;
    UnlockDataFile(lock);
    return exitCode;
}

bool CSumoraApp::InitInstance(const asENVIRONMENT& environment, bool fullScreen) {
    std::string error;
    std::unique_ptr<CSdlWindow> host = CSdlWindow::Create(WINDOW_TITLE, CLIENT_WIDTH, CLIENT_HEIGHT,
                                                          fullScreen, environment.strScale, error);
    if (!host) {
        std::fprintf(stderr, "zimbly: %s\n", error.c_str());
        return false;
    }
    // F11's choice is kept for the next start.
    host->m_fnOnFullScreenChanged = [places = environment.places](bool on) {
        SaveFullScreenSetting(places, on);
    };
    if (!LoadUserData()) SetDefaultExerciseSets();
    BeginKeepingUserData();
    if (!DataFileProblem().empty())
        std::fprintf(stderr,
                     "zimbly: %s; the game starts with the default problem sets and this "
                     "session's results will not be kept\n",
                     DataFileProblem().c_str());
    {
        // A seed from the environment replays known pages (the end-to-end tests answer them).
        CSumoraWnd window(*host, environment.nSeed);
        if (window.OnCreate() != 0) {
            std::fprintf(stderr, "zimbly: the window could not be set up\n");
            return false;
        }
        static const bool s_bAtExitRegistered = std::atexit(SaveOnUnexpectedExit) == 0;
        g_bSaveOnExit = s_bAtExitRegistered;
        window.RedrawWindow();
        host->Run(window);
        window.OnDestroy();
    }
    host.reset();
    return true;
}

int CSumoraApp::ExitInstance() {
    g_bSaveOnExit = false;
    if (!MayWriteUserData()) return 0; // said at start-up
    if (!SaveUserData()) {
        std::fprintf(stderr, "zimbly: the results could not be saved\n");
        return 1;
    }
    return 0;
}
