// Entry point: the command-line options, the font check, then the game.
#include "app/CSumoraApp.h"
#include "gfx/Text.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

namespace {

constexpr const char* USAGE =
    "Usage: zimbly [--fullscreen | --window] [--help | --version]\n"
    "A drill game of sums for young children.\n"
    "  --fullscreen  start full screen this time (F11 switches while playing)\n"
    "  --window      start in a window this time\n"
    "Without either, the game starts as it was left; on a screen too small for its window it\n"
    "starts full screen.\n";

} // namespace

int main(int argc, char** argv) {
    std::optional<bool> fullScreen;
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
    return app.Run(ReadEnvironment(), fullScreen);
}
