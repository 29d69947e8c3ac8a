// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Time to compose one full frame of every screen and state, reached through the real handlers.
#include "bench/BenchWindow.h"

#include <benchmark/benchmark.h>

#include <functional>

namespace {

// Composes the frame of the state that arrange leaves the window in, over and over.
void ComposeAfter(benchmark::State& state, const std::function<void(CBenchWindow&)>& arrange) {
    CBenchWindow bench;
    arrange(bench);
    CSumoraWnd& wnd = bench.Wnd();
    for (auto _ : state) {
        wnd.ComposeFrame();
        benchmark::DoNotOptimize(wnd.m_hBitmap->Data());
        benchmark::ClobberMemory();
    }
}

void BM_TitleResting(benchmark::State& state) {
    ComposeAfter(state, [](CBenchWindow& b) { b.Move(900, 100); });
}
BENCHMARK(BM_TitleResting);

void BM_TitlePlankLifted(benchmark::State& state) {
    ComposeAfter(state, [](CBenchWindow& b) { b.Move(400, 330); });
}
BENCHMARK(BM_TitlePlankLifted);

void BM_TitleLeaveSignPointed(benchmark::State& state) {
    ComposeAfter(state, [](CBenchWindow& b) { b.Move(100, 530); });
}
BENCHMARK(BM_TitleLeaveSignPointed);

void BM_ExercisePageOpen(benchmark::State& state) {
    ComposeAfter(state, [](CBenchWindow& b) { b.StartRun(); });
}
BENCHMARK(BM_ExercisePageOpen);

// A keypad button lifted over its faint ghost: the one blended draw of the exercise screen.
void BM_ExerciseKeyLifted(benchmark::State& state) {
    ComposeAfter(state, [](CBenchWindow& b) {
        b.StartRun();
        b.MoveCentre(g_rcKeypad[5]);
    });
}
BENCHMARK(BM_ExerciseKeyLifted);

void BM_ExercisePageFinished(benchmark::State& state) {
    ComposeAfter(state, [](CBenchWindow& b) {
        b.StartRun();
        b.FinishPage();
    });
}
BENCHMARK(BM_ExercisePageFinished);

void BM_ExerciseHintShowing(benchmark::State& state) {
    ComposeAfter(state, [](CBenchWindow& b) {
        b.StartRun();
        b.ClickCentre(g_rcHint);
        b.Move(600, 400);
    });
}
BENCHMARK(BM_ExerciseHintShowing);

void BM_Certificate(benchmark::State& state) {
    ComposeAfter(state, [](CBenchWindow& b) {
        b.StartRun();
        b.AnswerCurrent();
        b.AnswerCurrent();
        b.ClickCentre(g_rcFinish);
    });
}
BENCHMARK(BM_Certificate);

void BM_UsersMain(benchmark::State& state) {
    ComposeAfter(state, [](CBenchWindow& b) { b.OpenUsers(); });
}
BENCHMARK(BM_UsersMain);

// The score chart of a user with all 670 results.
void BM_UsersScoreChart670(benchmark::State& state) {
    ComposeAfter(state, [](CBenchWindow& b) {
        b.OpenUsers();
        b.ClickCentre(g_rcUserButtons[2]);
    });
}
BENCHMARK(BM_UsersScoreChart670);

// Name entry with a name typed (one user fewer, so the list has room).
void BM_UsersNewName(benchmark::State& state) {
    ComposeAfter(state, [](CBenchWindow& b) {
        g_arrUsers.pop_back();
        g_nCurrentUser = 0;
        b.OpenUsers();
        b.ClickCentre(g_rcUserButtons[0]);
        for (char byte : GbkFromUtf8("小明明"))
            b.Wnd().OnChar(static_cast<unsigned char>(byte), false);
    });
}
BENCHMARK(BM_UsersNewName);

void BM_UsersChoose(benchmark::State& state) {
    ComposeAfter(state, [](CBenchWindow& b) {
        b.OpenUsers();
        b.ClickCentre(g_rcChangeUser);
        b.Move(500, UserRow(3).top + 10);
    });
}
BENCHMARK(BM_UsersChoose);

void BM_UsersDelete(benchmark::State& state) {
    ComposeAfter(state, [](CBenchWindow& b) {
        b.OpenUsers();
        b.ClickCentre(g_rcUserButtons[1]);
        b.Move(500, UserRow(3).top + 10);
    });
}
BENCHMARK(BM_UsersDelete);

// The settings panel hanging under row 2, the pointer on its first box.
void BM_UsersSettingsPanel(benchmark::State& state) {
    ComposeAfter(state, [](CBenchWindow& b) {
        b.OpenUsers();
        const Rect row = UserRow(2);
        b.Move(row.left + 10, row.top + 10);
        b.Move(row.left + 146, row.bottom + 78);
    });
}
BENCHMARK(BM_UsersSettingsPanel);

// A whole pointer move on the title: hit test, hand picture and the repaints it makes.
void BM_TitlePointerMove(benchmark::State& state) {
    CBenchWindow bench;
    int k = 0;
    for (auto _ : state) {
        bench.Move(400 + (k & 63), 180 + (k * 7) % 400);
        ++k;
    }
    state.counters["frames_per_move"] =
        benchmark::Counter(double(bench.Host().m_nPresents), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_TitlePointerMove);

} // namespace
