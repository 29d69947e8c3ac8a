// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up (display, the one writer's lock, results left in a build folder, data, the answer
// record's writer, window, set-up) and shut-down (window gone, then the data saved and the
// answers written).
#include "app/CSumoraApp.h"

#include "app/CSumoraWnd.h"
#include "app/DisplaySettings.h"
#include "gfx/Gbk.h"
#include "gfx/Text.h"
#include "platform/MessageWindow.h"
#include "platform/SdlSound.h"
#include "platform/SdlWindow.h"
#include "platform/Translate.h"
#include "sound/Sounds.h"
#include "sound/Synth.h"
#include "storage/FileLinks.h"
#include "storage/HistorySchema.h"
#include "storage/Paths.h"
#include "storage/ResultsCopy.h"
#include "users/UserData.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

// The window's title, in the family's language.
const char* WindowTitle() {
    return Tr("Zimbly（演示版）");
}

// A closing copy that ends within this time is waited for without a word.
constexpr unsigned WAITING_WINDOW_AFTER_MS = 2000;

// Set while the window runs: a process ended from inside a library (Xlib ends it with exit()
// when the display goes away, as at logout) still writes the results on its way out.
bool g_bSaveOnExit = false;
CHistoryWriter* g_pHistoryOnExit = nullptr;

// The data file first: it holds the results the child sees on the chart; then the record.
void SaveOnUnexpectedExit() {
    if (!g_bSaveOnExit) return;
    SaveUserDataAtExit();
    if (g_pHistoryOnExit) g_pHistoryOnExit->Stop();
}

void Tell(const std::string& line) {
    std::fprintf(stderr, "zimbly: %s\n", line.c_str());
}

// What the waiting window shows, in the game's own face and words.
Surface WaitingPicture() {
    static const std::string heading = GbkFromUtf8(Tr("游戏正在关闭，还在保存成绩。"));
    static const std::string detail = GbkFromUtf8(Tr("请稍候：保存完毕后，游戏会自动打开。"));
    constexpr Color OUTLINE = RGB(0x5b, 0x3a, 0x1e);
    // Outlined, as the title's notice label: with no window manager the window has no frame.
    Surface picture(480, 130, OUTLINE);
    FillPixels(picture, {2, 2, 478, 128}, RGB(0xff, 0xfd, 0xf5));
    DrawGbkText(picture, heading, {20, 24, 460, 60}, DT_CENTER | DT_VCENTER | DT_SINGLELINE, 700,
                20, OUTLINE);
    DrawGbkText(picture, detail, {20, 70, 460, 100}, DT_CENTER | DT_VCENTER | DT_SINGLELINE, 400,
                16, COLOR_BLACK);
    return picture;
}

} // namespace

int CSumoraApp::Run(const asENVIRONMENT& environment, std::optional<bool> fullScreen, bool mute,
                    bool noReview) {
    std::string error;
    // A start that fails for want of a display reads and writes nothing.
    if (!CSdlWindow::OpenDisplay(environment.strVideoDriver, error)) {
        std::fprintf(stderr, "zimbly: %s\n", error.c_str());
        return 1;
    }
    UseDataFilePlace(FindDataFilePlace(environment.places));
    int exitCode = 0;
    bool ready = TakeWriterLock(GetDataFilePlace().strWritePath, m_WriterLock, exitCode);
    const std::string executableDirectory = GetExecutableDirectory();
    if (ready && IsInBuildTree(executableDirectory) &&
        HasResultsToCopy(executableDirectory, DirectoryOf(GetDataFilePlace().strWritePath),
                         DATA_FILE_NAME))
        ready = MoveResultsFromBuildFolder(executableDirectory, environment.places, exitCode);
    if (!ready) {
        UnlockDataFile(m_WriterLock);
        CSdlWindow::CloseDisplay();
        return exitCode;
    }
    KeepWithWriterLock();
    const bool running = InitInstance(
        environment, fullScreen.value_or(LoadFullScreenSetting(environment.places).value_or(false)),
        mute || LoadMuteSetting(environment.places).value_or(false),
        !noReview && LoadReviewSetting(environment.places).value_or(true));
    exitCode = running ? ExitInstance() : 1;
    UnlockDataFile(m_WriterLock);
    return exitCode;
}

bool CSumoraApp::TakeWriterLock(const std::string& path, asWRITERLOCK& lock, int& exitCode) {
    // A copy that is closing is waited for as long as its last save takes; after a moment a
    // window says so, and closing it (or Ctrl-C) gives the wait up.
    CWaitingWindow waiting;
    Surface picture;
    bool gaveUp = false;
    const LockWait keepWaiting = [&](const asWRITERLOCK& taken, unsigned waitedMs) {
        const bool closing =
            taken.nHolder == LockHolder::CLOSING_GAME || taken.nHolder == LockHolder::ENDING;
        if (closing && waitedMs >= WAITING_WINDOW_AFTER_MS && !waiting.IsShown()) {
            Tell("waiting for the game that is closing (process " +
                 std::to_string(taken.nHolderPid) + ") to finish saving the results in " + path);
            picture = WaitingPicture();
            waiting.Show(WindowTitle(), picture);
        }
        gaveUp = !waiting.Serve();
        return !gaveUp;
    };
    for (;;) {
        lock = LockDataFileForWriting(path, keepWaiting);
        const ComeForward asked = AskWriterToComeForward(lock, keepWaiting);
        if (asked == ComeForward::CAME) {
            std::fprintf(stderr, "zimbly: the game is already running; its window was brought "
                                 "to the front\n");
            exitCode = 0;
            return false;
        }
        // A copy that closed its window instead of coming forward ends in a moment: it is
        // waited for, and this start goes on as the writer.
        if (asked != ComeForward::CLOSING) break;
    }
    if (lock.nStatus != WriterLockStatus::TAKEN) return true;
    waiting.Hide();
    const std::string why = DescribeTakenLock(lock, path);
    std::fprintf(stderr, "zimbly: %s\n", why.c_str());
    exitCode = 1;
    if (gaveUp) return false; // the family closed the waiting window, or Ctrl-C
    // The message window draws with the display's own fonts, which often have no Chinese.
    std::string lines = why;
    if (const size_t semicolon = lines.find("; "); semicolon != std::string::npos)
        lines.replace(semicolon, 2, ";\n");
    ShowMessageWindow(WindowTitle(), "The game cannot start:\n" + lines + ".");
    return false;
}

bool CSumoraApp::MoveResultsFromBuildFolder(const std::string& buildDirectory,
                                            const asUSERPLACES& places, int& exitCode) {
    // A copy built earlier may still keep its results there: it is the writer until it ends.
    const std::string oldPath = ResolveFilePath(buildDirectory + DATA_FILE_NAME).strPath;
    asWRITERLOCK oldLock;
    if (!TakeWriterLock(oldPath, oldLock, exitCode)) return false;
    const std::string newDirectory = DirectoryOf(GetDataFilePlace().strWritePath);
    const asRESULTSCOPY copy = CopyResultsOnce(buildDirectory, newDirectory, DATA_FILE_NAME);
    if (copy.strFailed.empty()) {
        std::string names;
        for (const std::string& name : copy.arrCopied)
            names += (names.empty() ? "" : ", ") + name;
        Tell("the results kept beside the game in " + DirectoryOf(oldPath) + " (" + names +
             ") are copied to " + newDirectory +
             ", where they are kept from now on; the old files are left as they are");
        UnlockDataFile(oldLock);
        UseDataFilePlace(FindDataFilePlace(places));
        return true;
    }
    if (oldLock.nStatus != WriterLockStatus::HELD) {
        // Nobody can be writing there: the file is read there until the first save here.
        Tell(copy.strFailed + "; they are read from there and saved in " + newDirectory);
        return true;
    }
    // Nothing is split between two folders: this time the results stay where they were.
    Tell(copy.strFailed + "; this time the results stay in " + DirectoryOf(oldPath));
    UnlockDataFile(m_WriterLock);
    m_WriterLock = oldLock;
    UseDataFilePlace({oldPath, oldPath});
    return true;
}

void CSumoraApp::KeepWithWriterLock() {
    switch (m_WriterLock.nStatus) {
    case WriterLockStatus::HELD:
        // Another copy started in a folder of the same name after this one's was moved away
        // would write there too: each save first checks that this lock is still the folder's.
        WatchSaves({[this] { return StillHoldsWriterLock(m_WriterLock); }, Tell});
        break;
    case WriterLockStatus::UNAVAILABLE:
        StopKeepingUserData(m_WriterLock.strReason +
                            " (another copy could be writing the same file)");
        break;
    case WriterLockStatus::TAKEN:
        break;
    }
}

bool CSumoraApp::InitInstance(const asENVIRONMENT& environment, bool fullScreen, bool mute,
                              bool review) {
    std::string error;
    std::unique_ptr<CSdlWindow> host = CSdlWindow::Create(
        WindowTitle(), CLIENT_WIDTH, CLIENT_HEIGHT, fullScreen, environment.strScale, error);
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
    const std::string historyPath = StartAnswerRecord();
    // Review needs the record: without one (or when it cannot be read) pages are drawn as ever.
    if (review && !historyPath.empty())
        m_Review.emplace(
            [historyPath](const asREVIEWREAD& read) { return ReadReviewBook(historyPath, read); });
    {
        // A seed from the environment replays known pages (the end-to-end tests answer them).
        CSumoraWnd window(*host, environment.nSeed);
        window.m_pSound = &*sound;
        window.m_bMuted = mute;
        window.m_fnOnMuteChanged = [places = environment.places](bool on) {
            SaveMuteSetting(places, on);
        };
        window.m_pHistory = &m_History;
        window.m_pReview = m_Review ? &*m_Review : nullptr;
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
std::string CSumoraApp::StartAnswerRecord() {
    if (m_WriterLock.nStatus != WriterLockStatus::HELD || !MayWriteUserData()) return {};
    const std::string path = DirectoryOf(GetDataFilePlace().strWritePath) + "/" + HISTORY_FILE_NAME;
    m_History.Start(path, {[this] { return StillHoldsWriterLock(m_WriterLock); }, Tell});
    g_pHistoryOnExit = &m_History;
    return path;
}

int CSumoraApp::ExitInstance() {
    g_bSaveOnExit = false;
    // The data file first: on a slow disk the record's close takes seconds, and the result the
    // child sees on the chart must not wait for it.
    const bool saved = !MayWriteUserData() || SaveUserDataAtExit(); // none kept: said at start-up
    if (!saved)
        std::fprintf(stderr, "zimbly: the results could not be saved (%s)\n",
                     DataFileProblem().c_str());
    m_History.Stop(); // the last answers, and the file at rest
    return saved ? 0 : 1;
}
