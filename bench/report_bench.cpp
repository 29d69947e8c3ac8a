// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The parents' report and the CSV export over 100,000 answers (about two years of daily
// practice) read from an answer record on disk: the whole command's work, and its parts; and the
// game's read of one child's answers from a record of three children.
#include "BenchHistory.h"
#include "report/ChildReport.h"
#include "report/CsvExport.h"
#include "report/ReportPage.h"
#include "storage/HistoryReader.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int ANSWERS = 100000;

const CBenchHistory& History() {
    static const CBenchHistory history(ANSWERS, {"\xD0\xA1\xC3\xF7", "Ann"});
    return history;
}

// What `zimbly --report` does between its options and writing the file.
void BM_Report100k(benchmark::State& state) {
    const std::string& path = History().Path();
    size_t bytes = 0;
    for (auto _ : state) {
        const asHISTORYREAD read = ReadHistory(path);
        if (read.nStatus != HistoryStatus::OK) state.SkipWithError(read.strError.c_str());
        asPAGEINFO info;
        info.arrSources = {path};
        const std::string page =
            WriteReportPage(BuildChildReports(read.history, path, asREPORTOPTIONS()), info);
        bytes = page.size();
        benchmark::DoNotOptimize(page.data());
    }
    state.counters["page_bytes"] = double(bytes);
    state.SetLabel(std::to_string(ANSWERS) + " answers");
}
BENCHMARK(BM_Report100k)->Unit(benchmark::kMillisecond);

void BM_ReadHistory100k(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadHistory(History().Path()).history.arrAnswers.size());
    state.counters["file_bytes"] = double(std::filesystem::file_size(History().Path()));
}
BENCHMARK(BM_ReadHistory100k)->Unit(benchmark::kMillisecond);

void BM_BuildReport100k(benchmark::State& state) {
    const asHISTORYREAD read = ReadHistory(History().Path());
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildChildReports(read.history, "", asREPORTOPTIONS()));
}
BENCHMARK(BM_BuildReport100k)->Unit(benchmark::kMillisecond);

void BM_ExportCsv100k(benchmark::State& state) {
    const asHISTORYREAD read = ReadHistory(History().Path());
    size_t bytes = 0;
    for (auto _ : state) {
        std::string csv = CsvHeader(false);
        AppendCsvRows(csv, read.history, "", asREPORTOPTIONS());
        bytes = csv.size();
        benchmark::DoNotOptimize(csv.data());
    }
    state.counters["csv_bytes"] = double(bytes);
}
BENCHMARK(BM_ExportCsv100k)->Unit(benchmark::kMillisecond);

// What the game reads when a child becomes current: that child's runs and answers from a record
// of three children with 60,000 answers (some 20,000 each, as 200 days of 100). Arg 1: the whole
// record, for comparison.
void BM_ReadOneChildOf3(benchmark::State& state) {
    static const CBenchHistory history(60'000, {"\xD0\xA1\xC3\xF7", "Ann", "Tom"});
    const std::optional<std::string> child =
        state.range(0) ? std::nullopt : std::optional<std::string>("Tom");
    size_t answers = 0;
    for (auto _ : state)
        answers = ReadHistory(history.Path(), 500, child).history.arrAnswers.size();
    state.counters["answers"] = double(answers);
}
BENCHMARK(BM_ReadOneChildOf3)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
