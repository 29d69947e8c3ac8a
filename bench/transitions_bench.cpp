// Cost of the slide and fade transitions: one step of each, made of the same pixel operations
// as the transitions themselves, and each whole transition on the headless window (whose
// sleeps only move its clock, so the figure is the work alone).
#include "bench/BenchWindow.h"
#include "exercise/ExerciseScreen.h"

#include <benchmark/benchmark.h>

namespace {

constexpr Rect CLIENT{0, 0, CLIENT_WIDTH, CLIENT_HEIGHT};

// One slide step half-way through a slide from the right: the old screen moved out to the left,
// the exercise screen moved in from the right, the frame handed over.
void BM_SlideStep(benchmark::State& state) {
    CBenchWindow bench;
    bench.StartRun();
    CSumoraWnd& wnd = bench.Wnd();
    CImageLayer from;
    CImageLayer to;
    from.CreateSurface(CLIENT_WIDTH, CLIENT_HEIGHT);
    to.CreateSurface(CLIENT_WIDTH, CLIENT_HEIGHT);
    wnd.PaintTitleScreen();
    wnd.BlitTo(*from.m_hDC, CLIENT, nullptr);
    wnd.PaintExerciseScreen(to);
    int x = CLIENT_WIDTH / 2;
    for (auto _ : state) {
        from.BlitTo(*wnd.m_hDC, OffsetRect(CLIENT, x - CLIENT_WIDTH, 0), &CLIENT);
        to.BlitTo(*wnd.m_hDC, OffsetRect(CLIENT, x, 0), &CLIENT);
        wnd.Host().Present(*wnd.m_hBitmap);
        x = x > 1 ? x - 1 : CLIENT_WIDTH / 2;
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SlideStep);

// One fade step at half alpha: the page area without the page, the new page blended over it.
void BM_FadeStep(benchmark::State& state) {
    CBenchWindow bench;
    bench.StartRun();
    CSumoraWnd& wnd = bench.Wnd();
    const Rect page{PAGE_LEFT, PAGE_TOP, PAGE_RIGHT, PAGE_BOTTOM};
    CImageLayer withoutPage;
    CImageLayer withPage;
    withoutPage.CreateSurface(CLIENT_WIDTH, CLIENT_HEIGHT);
    withPage.CreateSurface(CLIENT_WIDTH, CLIENT_HEIGHT);
    wnd.PaintExerciseScreen(withPage);
    wnd.PaintExerciseScreen(withoutPage);
    withoutPage.DrawShelfRegion(page, page);
    int alpha = 128;
    for (auto _ : state) {
        withoutPage.BlitTo(*wnd.m_hDC, page, nullptr);
        BlendPixels(*wnd.m_hBitmap, page, withPage.m_hBitmap->View(), page, alpha);
        wnd.Host().Present(*wnd.m_hBitmap);
        alpha = alpha < 255 ? alpha + 1 : 1;
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FadeStep);

// A whole transition per iteration; items are its steps (presented frames).
template <typename Transition> void WholeTransition(benchmark::State& state, Transition run) {
    CBenchWindow bench;
    bench.StartRun();
    const int before = bench.Host().m_nPresents;
    for (auto _ : state)
        run(bench.Wnd());
    state.SetItemsProcessed(bench.Host().m_nPresents - before);
    state.SetLabel("items = steps");
}

void BM_SlideTransition(benchmark::State& state) {
    WholeTransition(state, [](CSumoraWnd& wnd) { wnd.SlideInExerciseScreen(); });
}
BENCHMARK(BM_SlideTransition)->Unit(benchmark::kMillisecond);

void BM_FadeTransition(benchmark::State& state) {
    WholeTransition(state, [](CSumoraWnd& wnd) { wnd.FadeInNewPage(); });
}
BENCHMARK(BM_FadeTransition)->Unit(benchmark::kMillisecond);

} // namespace
