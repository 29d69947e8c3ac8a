// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The parents' report and the CSV export over 100,000 answers (about two years of daily
// practice) read from an answer record on disk: the whole command's work, and its parts; and the
// game's read of one child's answers from a record of three children.
#include "report/ChildReport.h"
#include "report/CsvExport.h"
#include "report/ReportPage.h"
#include "storage/HistoryReader.h"
#include "storage/HistorySchema.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int ANSWERS = 100000;
constexpr int64_t DAY_MS = 24 * 3600 * 1000;

// Children practising daily (by default two over two years), in runs of three pages of 12
// problems drawn like the game's sets within 20 (and a third of the time within 50), with
// retries and the magnifier now and then.
class CBenchHistory {
public:
    explicit CBenchHistory(std::vector<std::string> children = {"\xD0\xA1\xC3\xF7", "Ann"},
                           int answers = ANSWERS)
        : m_arrChildren(std::move(children)), m_nAnswers(answers) {
        std::string pattern = (std::filesystem::temp_directory_path() / "zimbly-bench-XXXXXX");
        if (!mkdtemp(pattern.data())) std::exit(1);
        m_strDirectory = pattern;
        m_strPath = m_strDirectory + "/zimbly-history.sqlite";
        sqlite3* db = nullptr;
        sqlite3_open(m_strPath.c_str(), &db);
        sqlite3_exec(db, HISTORY_SCHEMA_SQL, nullptr, nullptr, nullptr);
        sqlite3_exec(db,
                     ("PRAGMA application_id = " + std::to_string(HISTORY_APPLICATION_ID) +
                      "; PRAGMA user_version = " + std::to_string(HISTORY_SCHEMA_VERSION) +
                      "; BEGIN")
                         .c_str(),
                     nullptr, nullptr, nullptr);
        Fill(db);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    ~CBenchHistory() {
        std::error_code ec;
        std::filesystem::remove_all(m_strDirectory, ec);
    }
    const std::string& Path() const { return m_strPath; }

private:
    void Fill(sqlite3* db) {
        std::mt19937 random(27);
        auto draw = [&](int n) { return int(random() % unsigned(n)); };
        sqlite3_stmt* run = nullptr;
        sqlite3_stmt* answer = nullptr;
        sqlite3_prepare_v2(db,
                           "INSERT INTO runs (child, set_number, set_kinds, set_limit, "
                           "started_utc_ms, ended_utc_ms, score, answers_done, answers_first_try) "
                           "VALUES (?, 0, 63, ?, ?, ?, ?, 36, 30)",
                           -1, &run, nullptr);
        sqlite3_prepare_v2(
            db,
            "INSERT INTO answers (run_id, page, position, utc_ms, problem, expected, "
            "typed, is_right, is_first_try, by_magnifier, elapsed_ms) VALUES "
            "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
            -1, &answer, nullptr);
        int64_t clock = 1'720'000'000'000;
        for (int written = 0; written < m_nAnswers;) {
            const int limit = draw(3) == 0 ? 50 : 20;
            const std::string& child = m_arrChildren[size_t(written) % m_arrChildren.size()];
            sqlite3_bind_blob(run, 1, child.data(), int(child.size()), SQLITE_STATIC);
            sqlite3_bind_int(run, 2, limit);
            sqlite3_bind_int64(run, 3, clock);
            sqlite3_bind_int64(run, 4, clock + 8 * 60000);
            sqlite3_bind_int(run, 5, 60 + draw(41));
            sqlite3_step(run);
            sqlite3_reset(run);
            const int64_t runId = sqlite3_last_insert_rowid(db);
            for (int page = 1; page <= 3; ++page)
                for (int position = 0; position < 12 && written < m_nAnswers; ++position) {
                    const int a = draw(limit), b = draw(limit - a + 1);
                    const bool add = draw(2) == 0;
                    const std::string problem =
                        add ? std::to_string(a) + "+" + std::to_string(b) + "=□"
                            : std::to_string(a + b) + "-□=" + std::to_string(a);
                    const std::string expected = std::to_string(add ? a + b : b);
                    for (int attempt = 0; attempt < 2 && written < m_nAnswers; ++attempt) {
                        const bool right = attempt == 1 || draw(8) != 0;
                        const std::string typed = right ? expected : std::to_string(a + b + 1);
                        clock += 1000 + draw(9000);
                        sqlite3_bind_int64(answer, 1, runId);
                        sqlite3_bind_int(answer, 2, page);
                        sqlite3_bind_int(answer, 3, position);
                        sqlite3_bind_int64(answer, 4, clock);
                        sqlite3_bind_text(answer, 5, problem.c_str(), -1, SQLITE_TRANSIENT);
                        sqlite3_bind_text(answer, 6, expected.c_str(), -1, SQLITE_TRANSIENT);
                        sqlite3_bind_text(answer, 7, typed.c_str(), -1, SQLITE_TRANSIENT);
                        sqlite3_bind_int(answer, 8, right);
                        sqlite3_bind_int(answer, 9, attempt == 0);
                        sqlite3_bind_int(answer, 10, attempt == 1 && draw(10) == 0);
                        sqlite3_bind_int64(answer, 11, 1000 + draw(9000));
                        sqlite3_step(answer);
                        sqlite3_reset(answer);
                        ++written;
                        if (right) break;
                    }
                }
            // About 140 answers a day.
            clock += draw(3) == 0 ? DAY_MS - 4 * 3600 * 1000 : 15 * 60000;
        }
        sqlite3_finalize(run);
        sqlite3_finalize(answer);
    }

    std::vector<std::string> m_arrChildren; // GBK
    int m_nAnswers;
    std::string m_strDirectory;
    std::string m_strPath;
};

const CBenchHistory& History() {
    static const CBenchHistory history;
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
    static const CBenchHistory history({"\xD0\xA1\xC3\xF7", "Ann", "Tom"}, 60'000);
    const std::optional<std::string> child =
        state.range(0) ? std::nullopt : std::optional<std::string>("Tom");
    size_t answers = 0;
    for (auto _ : state)
        answers = ReadHistory(history.Path(), 500, child).history.arrAnswers.size();
    state.counters["answers"] = double(answers);
}
BENCHMARK(BM_ReadOneChildOf3)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
