// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// DrawTextBox for the game's short captions and for a long word-broken text, with the glyphs
// already in the cache (as they are after the first frame that shows them).
#include "gfx/CImageLayer.h"
#include "gfx/Gbk.h"
#include "gfx/Text.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

CImageLayer& Layer() {
    static CImageLayer layer;
    if (!layer.m_hBitmap) {
        std::string error;
        if (!InitTextRenderer(error)) {
            std::fprintf(stderr, "bench: %s\n", error.c_str());
            std::exit(1);
        }
        layer.CreateSurface(1024, 768);
    }
    return layer;
}

void DrawOver(benchmark::State& state, const std::string& gbk, const Rect& rc, unsigned format,
              int weight, int height) {
    CImageLayer& layer = Layer();
    for (auto _ : state) {
        layer.DrawTextBox(gbk, rc, format, weight, height);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(gbk.size()));
}

// A plank caption: centred single line, bold, 20 pixels.
void BM_TextShortCaption(benchmark::State& state) {
    DrawOver(state, GbkFromUtf8("10 以内算术题"), {360, 180, 690, 220},
             DT_CENTER | DT_VCENTER | DT_SINGLELINE, 700, 20);
}
BENCHMARK(BM_TextShortCaption);

// A problem line: heavy, 28 pixels, bottom-aligned.
void BM_TextProblemLine(benchmark::State& state) {
    DrawOver(state, "17 + 25 = 42", {270, 150, 724, 190}, DT_SINGLELINE | DT_BOTTOM, 900, 28);
}
BENCHMARK(BM_TextProblemLine);

// The balloon hint: a short paragraph broken into lines.
void BM_TextBalloonHint(benchmark::State& state) {
    DrawOver(state, GbkFromUtf8("　　100 以内算术题：加　减　连加　连减　加减混合 填空"),
             {760, 305, 950, 427}, DT_WORDBREAK, 400, 14);
}
BENCHMARK(BM_TextBalloonHint);

// A long text: about 600 characters, mixed Chinese and Latin, broken into a large box.
void BM_TextLongParagraph(benchmark::State& state) {
    std::string utf8;
    for (int k = 0; k < 20; ++k)
        utf8 += "小朋友们每天做一页算术题，答对了就能得到小红花。Practice makes perfect! ";
    DrawOver(state, GbkFromUtf8(utf8), {100, 100, 924, 668}, DT_WORDBREAK, 400, 16);
}
BENCHMARK(BM_TextLongParagraph);

} // namespace
