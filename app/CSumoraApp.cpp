// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up (display, the one writer's lock, data, the answer record's writer, window, set-up) and
// shut-down (window gone, then the answers written and the data saved).
#include "app/CSumoraApp.h"

#include "app/CSumoraWnd.h"
#include "app/DisplaySettings.h"
#include "platform/MessageWindow.h"
#include "platform/SdlSound.h"
#include "platform/SdlWindow.h"
#include "sound/Sounds.h"
#include "sound/Synth.h"
#include "storage/HistorySchema.h"
#include "storage/Paths.h"
#include "users/UserData.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

constexpr const char* WINDOW_TITLE = "Zimbly（演示版）";

// Set while the window runs: a process ended from inside a library (Xlib ends it with exit()
// when the display goes away, as at logout) still writes the results on its way out.
bool g_bSaveOnExit = false;
CHistoryWriter* g_pHistoryOnExit = nullptr;

void SaveOnUnexpectedExit() {
    if (!g_bSaveOnExit) return;
    if (g_pHistoryOnExit) g_pHistoryOnExit->Stop();
    SaveUserData();
}

void Tell(const std::string& line) {
    std::fprintf(stderr, "zimbly: %s\n", line.c_str());
}

asDATAFILEPLACE FindDataFilePlace(const asUSERPLACES& places) {
    const std::string executableDirectory = GetExecutableDirectory();
    const bool writable = !executableDirectory.empty() && IsDirectoryWritable(executableDirectory);
    return ChooseDataFilePlace(executableDirectory, writable,
                               writable ? std::string() : GetUserDataDirectory(places), PathExists);
}

} // namespace

int CSumoraApp::Run(const asENVIRONMENT& environment, std::optional<bool> fullScreen, bool mute) {
    std::string error;
    // A start that fails for want of a display reads and writes nothing.
    if (!CSdlWindow::OpenDisplay(environment.strVideoDriver, error)) {
        std::fprintf(stderr, "zimbly: %s\n", error.c_str());
        return 1;
    }
    UseDataFilePlace(FindDataFilePlace(environment.places));
    int exitCode = 0;
    if (!TakeWriterLock(GetDataFilePlace().strWritePath, exitCode)) {
        CSdlWindow::CloseDisplay();
        return exitCode;
    }
    const bool running = InitInstance(
        environment, fullScreen.value_or(LoadFullScreenSetting(environment.places).value_or(false)),
        mute || LoadMuteSetting(environment.places).value_or(false));
    exitCode = running ? ExitInstance() : 1;
    UnlockDataFile(m_WriterLock);
    return exitCode;
}

bool CSumoraApp::TakeWriterLock(const std::string& path, int& exitCode) {
    m_WriterLock = LockDataFileForWriting(path);
    if (AskWriterToComeForward(m_WriterLock)) {
        // A copy that closed its window just as it was asked ends in a moment: this start then
        // goes on as the writer.
        m_WriterLock = LockDataFileForWriting(path);
        if (m_WriterLock.nStatus == WriterLockStatus::TAKEN &&
            m_WriterLock.nHolder == LockHolder::GAME) {
            std::fprintf(stderr, "zimbly: the game is already running; its window was brought "
                                 "to the front\n");
            exitCode = 0;
            return false;
        }
    }
    switch (m_WriterLock.nStatus) {
    case WriterLockStatus::HELD:
        // Another copy started in a folder of the same name after this one's was moved away
        // would write there too: each save first checks that this lock is still the folder's.
        WatchSaves({[this] { return StillHoldsWriterLock(m_WriterLock); }, Tell});
        return true;
    case WriterLockStatus::UNAVAILABLE:
        StopKeepingUserData(m_WriterLock.strReason +
                            " (another copy could be writing the same file)");
        return true;
    case WriterLockStatus::TAKEN:
        break;
    }
    const std::string why = DescribeTakenLock(m_WriterLock, path);
    std::fprintf(stderr, "zimbly: %s\n", why.c_str());
    // The message window draws with the display's own fonts, which often have no Chinese.
    std::string lines = why;
    if (const size_t semicolon = lines.find("; "); semicolon != std::string::npos)
        lines.replace(semicolon, 2, ";\n");
    ShowMessageWindow(WINDOW_TITLE, "The game cannot start:\n" + lines + ".");
    exitCode = 1;
    return false;
}

bool CSumoraApp::InitInstance(const asENVIRONMENT& environment, bool fullScreen, bool mute) {
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
    // The sounds are made and the device opened on the sound's own thread: start-up goes on.
    std::optional<CSdlSound> sound;
    sound.emplace(SOUND_RATE, SynthesiseAllSounds);
    if (!LoadUserData()) SetDefaultExerciseSets();
    BeginKeepingUserData();
    if (!DataFileProblem().empty())
        std::fprintf(stderr,
                     "zimbly: %s; the game starts with the default problem sets and this "
                     "session's results will not be kept\n",
                     DataFileProblem().c_str());
    StartAnswerRecord();
    {
        // A seed from the environment replays known pages (the end-to-end tests answer them).
        CSumoraWnd window(*host, environment.nSeed);
        window.m_pSound = &*sound;
        window.m_bMuted = mute;
        window.m_fnOnMuteChanged = [places = environment.places](bool on) {
            SaveMuteSetting(places, on);
        };
        window.m_pHistory = &m_History;
        if (window.OnCreate() != 0) {
            std::fprintf(stderr, "zimbly: the window could not be set up\n");
            return false;
        }
        static const bool s_bAtExitRegistered = std::atexit(SaveOnUnexpectedExit) == 0;
        g_bSaveOnExit = s_bAtExitRegistered;
        window.RedrawWindow();
        host->Run(window);
        // From here a second start waits for this copy's last save instead of calling it.
        AnnounceWindowClosed(m_WriterLock);
        window.OnDestroy();
    }
    sound.reset(); // before SDL quits with the window
    host.reset();
    return true;
}

// Only the writer lock's holder writes the record, and only while the data file is kept: it lives
// beside the data file, with the same sharing rules.
void CSumoraApp::StartAnswerRecord() {
    if (m_WriterLock.nStatus != WriterLockStatus::HELD || !MayWriteUserData()) return;
    const std::string path = DirectoryOf(GetDataFilePlace().strWritePath) + "/" + HISTORY_FILE_NAME;
    m_History.Start(path, {[this] { return StillHoldsWriterLock(m_WriterLock); }, Tell});
    g_pHistoryOnExit = &m_History;
}

int CSumoraApp::ExitInstance() {
    g_bSaveOnExit = false;
    m_History.Stop();                  // the last answers before the data file's last save
    if (!MayWriteUserData()) return 0; // said at start-up
    if (!SaveUserData()) {
        std::fprintf(stderr, "zimbly: the results could not be saved (%s)\n",
                     DataFileProblem().c_str());
        return 1;
    }
    return 0;
}
