// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the composed frame of any screen state to a PNG without a display, by driving the
// real window handlers on the headless window with a list of actions.
//
// Usage: snapshot OUT.png [ACTION ...]
//   move X Y | press X Y | release X Y | click X Y   mouse events (click = press + release)
//   leave                     the pointer leaves the window
//   key VK                    a key by virtual-key code (e.g. 13 Enter, 34 Page Down, 0x35 digit 5,
//                             9 Tab, 27 Escape, 32 Space, 37-40 Left Up Right Down, 0x48 H), plus
//                             0x10000 with Shift or 0x20000 with Ctrl (0x20000D: Ctrl+Enter)
//   keyup VK                  the key let go (its code alone: a held Left or Right stops)
//   type TEXT                 typed text (UTF-8), one character message per GBK byte; a character
//                             with no GBK form is refused, and what follows it dropped
//   user NAME                 add a user (UTF-8 name) and make it current
//   scores S1,S2,...          append results to the current user
//   set K RANGE OPS           problem set K = {RANGE, 2, OPS}
//   seed N                    srand(N) for the problem draws
//   tick MS                   advance the clock
//   timer ID                  the window's timer ID fires (e.g. 5: the speaker sign goes)
//   mute                      the sound off, as a start with --mute or a kept choice
//   noreview                  no review, as a start with --no-review or review=off
//   capture N                 the picture is the N-th frame presented from here on (transitions)
//   answers                   print the answers of the current page on one line (stdout)
//
// Review is on, as in the game, over an answer record that starts empty and keeps nothing: a
// missed fact comes back on the next page as it would in a fresh game's.
#include "app/CSumoraWnd.h"
#include "app/Environment.h"
#include "gfx/Gbk.h"
#include "gfx/Pictures.h"
#include "gfx/PngWriter.h"
#include "gfx/Text.h"
#include "platform/HeadlessWindow.h"
#include "users/UserData.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

namespace {

int Usage() {
    std::fprintf(
        stderr,
        "usage: snapshot OUT.png [move|press|release|click X Y | leave | key VK | type TEXT"
        " | user NAME | scores S,S,... | set K RANGE OPS | seed N | tick MS | timer ID | mute"
        " | noreview"
        " | keyup VK | capture N | answers] ...\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    UsePictureLanguage(UseDesktopLanguage(ReadEnvironment().language));
    std::string error;
    if (!InitTextRenderer(error)) {
        std::fprintf(stderr, "snapshot: %s\n", error.c_str());
        return 1;
    }
    SetDefaultExerciseSets();
    CHeadlessWindow host;
    // Transitions compose only the frames a 60 Hz display would show: the picture after them is
    // the same, and the tests that replay whole runs spend far less time in them.
    host.m_nRefreshMs = 16;
    CSumoraWnd window(host);
    // A record that is never started takes nothing; the window still counts runs and pages.
    CHistoryWriter idleRecord;
    window.m_pHistory = &idleRecord;
    CChildReview review(
        [](const asREVIEWREAD&) { return std::optional<CReviewBook>(CReviewBook()); });
    window.m_pReview = &review;
    if (window.OnCreate() != 0) return 1;

    std::optional<Surface> captured;
    int captureIndex = -1;
    host.m_fnOnPresent = [&](const Surface& frame) {
        if (captureIndex > 0 && --captureIndex == 0) captured = frame;
    };

    for (int i = 2; i < argc; ++i) {
        const std::string action = argv[i];
        auto next = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "snapshot: '%s' needs more arguments\n", action.c_str());
                std::exit(Usage());
            }
            return argv[++i];
        };
        auto number = [&] { return int(std::strtol(next().c_str(), nullptr, 0)); };
        if (action == "move" || action == "press" || action == "release" || action == "click") {
            const int x = number(), y = number();
            if (action == "move") window.OnMouseMove(x, y, 0);
            if (action == "press" || action == "click") window.OnLButtonDown(x, y);
            if (action == "release" || action == "click") window.OnLButtonUp(x, y);
        } else if (action == "leave") {
            window.OnMouseLeave();
        } else if (action == "key") {
            window.OnKeyDown(unsigned(number()));
        } else if (action == "keyup") {
            window.OnKeyUp(unsigned(number()));
        } else if (action == "type") {
            // As the window delivers typed text: up to a character with no GBK form, then that.
            const std::string text = next();
            std::string gbk;
            const size_t taken = GbkPrefixFromUtf8(text, gbk);
            for (char byte : gbk)
                window.OnChar(static_cast<unsigned char>(byte), false);
            if (taken < text.size()) window.OnCharRefused();
        } else if (action == "user") {
            asUSERINFO user;
            user.strName = GbkFromUtf8(next());
            g_nCurrentUser = AppendUser(user);
            window.SyncReviewChild(); // as if the child had been current when the game started
        } else if (action == "scores") {
            std::stringstream list(next());
            std::string score;
            while (std::getline(list, score, ','))
                if (asUSERINFO* user = CurrentUser()) AppendScore(*user, std::atoi(score.c_str()));
        } else if (action == "set") {
            const int k = number(), range = number(), operations = number();
            if (k >= 0 && k < EXERCISE_SET_COUNT)
                g_ExerciseSets[k] = {range, 2, uint32_t(operations)};
            RebuildTitleCaptions(window.m_TitleItems, g_ExerciseSets);
        } else if (action == "seed") {
            std::srand(unsigned(number()));
        } else if (action == "tick") {
            host.m_dwTick += uint32_t(number());
        } else if (action == "timer") {
            window.OnTimer(number());
        } else if (action == "mute") {
            window.m_bMuted = true;
        } else if (action == "noreview") {
            window.m_pReview = nullptr;
        } else if (action == "answers") {
            for (const std::string& answer : window.m_Run.m_arrAnswers)
                std::printf("%s ", answer.c_str());
            std::printf("\n");
        } else if (action == "capture") {
            captureIndex = number();
            host.m_nRefreshMs = 0; // every step of a transition is a frame to count
        } else {
            std::fprintf(stderr, "snapshot: unknown action '%s'\n", action.c_str());
            return Usage();
        }
        if (window.IsDestroyed()) break;
        // The game's book is read long before a child can answer: the tool waits for it.
        while (!review.Ready())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

    if (!captured) {
        window.ComposeFrame();
        if (!window.m_hBitmap) return 1;
        captured = *window.m_hBitmap;
    }
    if (!WritePng(argv[1], *captured)) {
        std::fprintf(stderr, "snapshot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
