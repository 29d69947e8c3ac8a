// Entry point: the two command-line answers, the font check, then the game.
#include "app/CSumoraApp.h"
#include "platform/Text.h"

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    if (argc > 1) {
        const bool known =
            std::strcmp(argv[1], "--version") == 0 || std::strcmp(argv[1], "--help") == 0;
        if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
            std::printf("zimbly %s\n", ZIMBLY_VERSION);
            return 0;
        }
        const bool help = argc == 2 && known;
        std::FILE* out = help ? stdout : stderr;
        if (!help) std::fprintf(out, "zimbly: unexpected argument '%s'\n", argv[known ? 2 : 1]);
        std::fprintf(out, "Usage: zimbly [--help | --version]\n"
                          "A drill game of sums for young children. Start it without arguments.\n");
        return help ? 0 : 2;
    }
    std::string error;
    if (!InitTextRenderer(error)) {
        std::fprintf(stderr, "zimbly: %s\n", error.c_str());
        return 1;
    }
    CSumoraApp app;
    return app.Run();
}
