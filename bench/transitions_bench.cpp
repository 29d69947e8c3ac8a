// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of the slide and fade transitions: one step of each, made of the same pixel operations
// as the transitions themselves, and each whole transition on the headless window (whose
// sleeps only move its clock, so the figure is the work alone), with and without a refresh.
#include "bench/BenchWindow.h"
#include "exercise/ExerciseLayout.h"

#include <benchmark/benchmark.h>

namespace {

constexpr Rect CLIENT{0, 0, CLIENT_WIDTH, CLIENT_HEIGHT};

// One slide step from the right: the frame moves a pixel to the left and the strip of the
// exercise screen that comes into view is copied in, the frame handed over.
void BM_SlideStep(benchmark::State& state) {
    CBenchWindow bench;
    bench.StartRun();
    CSumoraWnd& wnd = bench.Wnd();
    CImageLayer to;
    to.CreateSurface(CLIENT_WIDTH, CLIENT_HEIGHT);
    wnd.ComposeFrame(to);
    Surface& frame = *wnd.m_hBitmap;
    const Rect strip{CLIENT_WIDTH - 1, 0, CLIENT_WIDTH, CLIENT_HEIGHT};
    int x = CLIENT_WIDTH / 2;
    for (auto _ : state) {
        ScrollPixels(frame, -1, 0);
        frame.SetClipRect(strip);
        CopyPixels(frame, OffsetRect(CLIENT, x, 0), to.m_hBitmap->View(), CLIENT);
        frame.ResetClipRect();
        wnd.Host().Present(frame);
        x = x > 1 ? x - 1 : CLIENT_WIDTH / 2;
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SlideStep);

// One fade step at half alpha: the shelf put back under the page, the new page blended over it.
void BM_FadeStep(benchmark::State& state) {
    CBenchWindow bench;
    bench.StartRun();
    CSumoraWnd& wnd = bench.Wnd();
    CImageLayer withPage;
    withPage.CreateSurface(CLIENT_WIDTH, CLIENT_HEIGHT);
    wnd.ComposeFrame(withPage);
    int alpha = 128;
    for (auto _ : state) {
        wnd.DrawShelfRegion(PAGE_RECT, PAGE_RECT);
        BlendPixels(*wnd.m_hBitmap, PAGE_RECT, withPage.m_hBitmap->View(), PAGE_RECT, alpha);
        wnd.Host().Present(*wnd.m_hBitmap);
        alpha = alpha < 255 ? alpha + 1 : 1;
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FadeStep);

// A whole transition per iteration; items are its presented frames. The argument is the
// display's refresh in ms: 0 composes every step, 16 only those a 60 Hz display shows.
template <typename Transition> void WholeTransition(benchmark::State& state, Transition run) {
    CBenchWindow bench;
    bench.StartRun();
    bench.Host().m_nRefreshMs = unsigned(state.range(0));
    const int before = bench.Host().m_nPresents;
    for (auto _ : state)
        run(bench.Wnd());
    state.SetItemsProcessed(bench.Host().m_nPresents - before);
    state.SetLabel("items = frames presented");
}

void BM_SlideTransition(benchmark::State& state) {
    WholeTransition(state, [](CSumoraWnd& wnd) { wnd.SlideInExerciseScreen(); });
}
BENCHMARK(BM_SlideTransition)->Arg(0)->Arg(16)->Unit(benchmark::kMillisecond);

void BM_FadeTransition(benchmark::State& state) {
    WholeTransition(state, [](CSumoraWnd& wnd) { wnd.FadeInNewPage(); });
}
BENCHMARK(BM_FadeTransition)->Arg(0)->Arg(16)->Unit(benchmark::kMillisecond);

} // namespace
