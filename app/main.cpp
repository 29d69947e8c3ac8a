// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Entry point: the command-line options, then the parents' report, or the font check and the game.
#include "app/CSumoraApp.h"
#include "app/Language.h"
#include "app/ReportCommand.h"
#include "gfx/Pictures.h"
#include "gfx/Text.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const char* USAGE =
    "Usage: zimbly [--fullscreen | --window] [--mute] [--no-review] [--help | --version]\n"
    "       zimbly --report [--child NAME] [--out FILE] [--threshold SECONDS] [HISTORY...]\n"
    "       zimbly --export-csv [--child NAME] [--out FILE] [HISTORY...]\n"
    "A drill game of sums for young children.\n"
    "  --fullscreen  start full screen this time (F11 switches while playing)\n"
    "  --window      start in a window this time\n"
    "  --mute        start without sound this time (M switches sound off and on)\n"
    "  --no-review   no review this time: every page is drawn at random. With review (the\n"
    "                default) up to 3 problems a page bring back the current child's facts:\n"
    "                a missed one on the next page until it is answered quickly twice in a\n"
    "                row, a slow one later that day, a known one after 1, 3, 7, 21 and 60\n"
    "                days. The line review=off in ~/.config/zimbly/settings turns it off\n"
    "Without either, the game starts as it was left; on a screen too small for its window it\n"
    "starts full screen.\n"
    "  --report      write the parents' report (one HTML page) from the answer records and,\n"
    "                without --out, open it in the browser; needs no display\n"
    "  --export-csv  write every answer as CSV (to standard output without --out)\n"
    "  --child NAME  only this child (没有名字的小朋友 or \"\": the runs played with no child\n"
    "                chosen)\n"
    "  --threshold SECONDS  a fact is fluent when answered within this time (default 6)\n"
    "  HISTORY       answer records to read (default: zimbly-history.sqlite beside the\n"
    "                game's data file, made with the first answer); one given that cannot\n"
    "                be read makes the exit status 1\n"
    "\n"
    "Keys:\n"
    "  Arrows, Tab, Shift+Tab  move the focus (title, users, settings panel, name board, lists)\n"
    "  Enter or Space          choose the control with the focus, as a click does\n"
    "  Escape                  one step back (first out of full screen); it never closes the\n"
    "                          game: only the leave sign does (clicked, or Enter on it)\n"
    "  1 to 8                  title: start that plank's problem set\n"
    "  Right or Enter          a settings row: open its panel\n"
    "  Left, Right             settings panel: lower, raise the number limit (held: repeats)\n"
    "  Space                   settings panel: tick or clear the kind box with the focus\n"
    "  0 to 9, keypad digits   exercise page: type the answer\n"
    "  Enter                   exercise page: check the answer\n"
    "  Backspace               remove the last digit, or the last character of a name\n"
    "  Delete                  exercise page: clear the answer (the red cross ball)\n"
    "  H                       exercise page: the magnifier\n"
    "  Page Up, Page Down      exercise page: a new page (the curled corner)\n"
    "  Ctrl+Enter              exercise page: finish the run (the book)\n"
    "  Home                    exercise page: leave the run without recording it\n"
    "  F11                     full screen and back\n"
    "  M                       sounds off and on (not while a name is typed); the choice is kept\n";

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arrArgs(argv + 1, argv + argc);
    const asENVIRONMENT environment = ReadEnvironment();
    // The pictures with words follow the texts' language (the report uses no picture).
    UsePictureLanguage(UseDesktopLanguage(environment.language));
    if (IsReportCommand(arrArgs)) {
        asREPORTCOMMAND command;
        std::string error;
        if (!ParseReportCommand(arrArgs, command, error)) {
            std::fprintf(stderr, "zimbly: %s\n", error.c_str());
            std::fputs(USAGE, stderr);
            return 2;
        }
        return RunReportCommand(command, environment);
    }
    std::optional<bool> fullScreen;
    bool mute = false;
    bool noReview = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0 && argc == 2) {
            std::printf("zimbly %s\nLicence: GNU GPL version 3 or later (GPL-3.0-or-later)\n",
                        ZIMBLY_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 && argc == 2) {
            std::fputs(USAGE, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--fullscreen") == 0 && !fullScreen) {
            fullScreen = true;
        } else if (std::strcmp(argv[i], "--window") == 0 && !fullScreen) {
            fullScreen = false;
        } else if (std::strcmp(argv[i], "--mute") == 0 && !mute) {
            mute = true;
        } else if (std::strcmp(argv[i], "--no-review") == 0 && !noReview) {
            noReview = true;
        } else {
            std::fprintf(stderr, "zimbly: unexpected argument '%s'\n", argv[i]);
            std::fputs(USAGE, stderr);
            return 2;
        }
    }
    std::string error;
    if (!InitTextRenderer(error)) {
        std::fprintf(stderr, "zimbly: %s\n", error.c_str());
        return 1;
    }
    CSumoraApp app;
    return app.Run(environment, fullScreen, mute, noReview);
}
