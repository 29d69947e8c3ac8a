// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Plays made-up runs into an answer record as fast as a child never could, for the kill loop:
// runs of pages of twelve, wrong tries, the magnifier, pages left unfinished, runs ended with or
// without a result, children deleted. Usage: record_driver FOLDER SEED [ANSWERS]; without
// ANSWERS it plays until it is killed, with them it stops cleanly after that many.
#include "platform/Clock.h"
#include "storage/HistorySchema.h"
#include "storage/HistoryWriter.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <unistd.h>

namespace {

constexpr unsigned DRIVER_BATCH_MS = 20; // many commits, so that kills land in them
constexpr int PAGE_SIZE = 12;
const char* const CHILDREN[] = {"Tom", "Amy", "\xd0\xa1\xc3\xf7"}; // the last is GBK

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: record_driver FOLDER SEED [ANSWERS]\n");
        return 2;
    }
    const std::string path = std::string(argv[1]) + "/" + HISTORY_FILE_NAME;
    std::mt19937 random(unsigned(std::strtoul(argv[2], nullptr, 10)));
    const long limit = argc > 3 ? std::strtol(argv[3], nullptr, 10) : -1;
    const auto chance = [&](int percent) { return int(random() % 100) < percent; };

    CHistoryWriter writer;
    writer.Start(path,
                 {{}, [](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); }},
                 DRIVER_BATCH_MS);
    long answers = 0;
    for (int64_t runKey = 1; limit < 0 || answers < limit; ++runKey) {
        const std::string child = CHILDREN[random() % 3];
        writer.Hand(asHISTORYRUN{runKey, child, int(random() % 8), 35, 10, GetUtcMilliseconds()});
        int done = 0, firstTries = 0;
        const int pages = 1 + int(random() % 3);
        for (int page = 1; page <= pages; ++page) {
            bool magnifier = true;
            const int reach = chance(25) ? int(random() % PAGE_SIZE) : PAGE_SIZE;
            for (int position = 0; position < reach; ++position) {
                const std::string expected = std::to_string(random() % 20);
                bool clean = true; // no wrong try yet
                for (;;) {
                    const bool byMagnifier = magnifier && chance(5);
                    const bool right = byMagnifier || chance(80);
                    magnifier = magnifier && !byMagnifier;
                    writer.Hand(asHISTORYANSWER{runKey, page, position, GetUtcMilliseconds(),
                                                "3+\u25A1=" + expected, expected,
                                                right ? expected : expected + "1", right, clean,
                                                byMagnifier, 1000 + position});
                    ++answers;
                    usleep(unsigned(random() % 1500));
                    if (right) break;
                    clean = false;
                }
                ++done;
                firstTries += clean;
            }
            writer.CommitSoon();
        }
        if (done > 0 && chance(70))
            writer.Hand(asHISTORYRUNEND{runKey, GetUtcMilliseconds(), firstTries * 100 / done, done,
                                        firstTries});
        writer.CommitSoon();
        if (chance(10)) {
            writer.Hand(asHISTORYFORGET{CHILDREN[random() % 3]});
            writer.CommitAndWait(2000);
        }
    }
    writer.Stop();
    return 0;
}
