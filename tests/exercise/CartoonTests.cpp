// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Butterfly timing with a fake clock: when each wing beats and when a pass asks for a repaint.
#include "exercise/Cartoons.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Pass {
    std::vector<asCARTOONCONTROL> list;
    uint32_t now = 5000;
    int repaints = 0;

    Pass() {
        list.emplace_back(CARTOON_BUTTERFLY, 200, 842, 495);
        list.emplace_back(CARTOON_BUTTERFLY, 150, 788, 628);
    }
    uint32_t Run() {
        return RunCartoonPass(
            list, [this] { return now; },
            [this] {
                ++repaints;
                return true;
            });
    }
    void Show(bool visible) {
        for (auto& c : list)
            c.bVisible = visible ? 1 : 0;
    }
};

} // namespace

TEST(CartoonTiming, FirstPassStampsAndTheFirstChangeComesAFullIntervalLater) {
    Pass pass;
    EXPECT_EQ(pass.Run(), UINT32_MAX) << "hidden butterflies are not timed";
    EXPECT_EQ(pass.list[0].dwLastTick.load(), 0u);
    pass.Show(true);
    EXPECT_EQ(pass.Run(), 150u);
    EXPECT_EQ(pass.list[0].dwLastTick.load(), 5000u);
    EXPECT_EQ(pass.repaints, 0);
    EXPECT_EQ(pass.list[0].nFrame.load(), 0);
    pass.now = 5149;
    EXPECT_EQ(pass.Run(), 1u) << "the 150 ms butterfly is due in 1 ms";
    EXPECT_EQ(pass.repaints, 0);
    pass.now = 5150;
    pass.Run();
    EXPECT_EQ(pass.repaints, 1);
    EXPECT_EQ(pass.list[1].nFrame.load(), 1);
    EXPECT_EQ(pass.list[0].nFrame.load(), 0);
    pass.now = 5200;
    pass.Run();
    EXPECT_EQ(pass.repaints, 2);
    EXPECT_EQ(pass.list[0].nFrame.load(), 1);
    pass.now = 5300;
    pass.Run();
    EXPECT_EQ(pass.list[1].nFrame.load(), 0) << "toggled back";
}

// A repaint takes time; the beats must not drift by it.
TEST(CartoonTiming, OverAHundredBeatsTheMeanPeriodIsTheInterval) {
    Pass pass;
    pass.Show(true);
    std::vector<uint32_t> beats[2];
    int frames[2] = {0, 0};
    auto run = [&] {
        const uint32_t wait = RunCartoonPass(
            pass.list, [&] { return pass.now; },
            [&] {
                pass.now += 7; // what a repaint costs
                return true;
            });
        for (int i = 0; i < 2; ++i)
            if (pass.list[size_t(i)].nFrame.load() != frames[i]) {
                frames[i] = pass.list[size_t(i)].nFrame.load();
                beats[i].push_back(pass.now);
            }
        return wait;
    };
    run();
    while (beats[0].size() < 101 || beats[1].size() < 101)
        pass.now += std::max(run(), 1u) + 1; // the worker wakes a little late, as threads do
    const double intervals[2] = {200.0, 150.0};
    for (int i = 0; i < 2; ++i) {
        const double mean = double(beats[i][100] - beats[i][0]) / 100.0;
        EXPECT_NEAR(mean, intervals[i], intervals[i] / 100) << "butterfly " << i;
    }
}

TEST(CartoonTiming, TheIntervalTestSurvivesTheTickWrap) {
    Pass pass;
    pass.Show(true);
    pass.now = 0xFFFFFFA0u;
    pass.Run();
    pass.now = 0x00000040u; // 160 ms later, across the wrap
    pass.Run();
    EXPECT_EQ(pass.list[1].nFrame.load(), 1);
    EXPECT_EQ(pass.list[0].nFrame.load(), 0);
}

TEST(CartoonTiming, HiddenButterfliesKeepTheirPictureAndChangeAtOnceOnALaterRun) {
    Pass pass;
    pass.Show(true);
    pass.Run();
    pass.now += 200;
    pass.Run();
    ASSERT_EQ(pass.list[0].nFrame.load(), 1);
    pass.Show(false);
    pass.now += 5000;
    pass.Run();
    EXPECT_EQ(pass.list[0].nFrame.load(), 1) << "kept while hidden";
    const int before = pass.repaints;
    pass.Show(true);
    pass.Run();
    EXPECT_EQ(pass.list[0].nFrame.load(), 0) << "its stored tick is old: it changes at once";
    EXPECT_EQ(pass.repaints, before + 2);
}

TEST(CartoonTiming, AStoppedWindowEndsThePass) {
    Pass pass;
    pass.Show(true);
    pass.Run();
    pass.now += 1000;
    const uint32_t next = RunCartoonPass(
        pass.list, [&] { return pass.now; }, [] { return false; });
    EXPECT_EQ(next, UINT32_MAX);
    EXPECT_EQ(pass.list[1].nFrame.load(), 0) << "the pass stops at the first refused repaint";
}
