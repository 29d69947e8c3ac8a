// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// An answer record on disk for the benchmarks that read one: years of daily practice.
#pragma once

#include "storage/HistorySchema.h"

#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

constexpr int64_t BENCH_DAY_MS = 24 * 3600 * 1000;

// Children practising daily, in runs of three pages of 12 problems drawn like the game's sets
// within 20 (and a third of the time within 50), with retries and the magnifier now and then:
// 100,000 answers are about two years of two children. A run is the child's at
// arrChildren[answers written so far % their number].
class CBenchHistory {
public:
    CBenchHistory(int answers, std::vector<std::string> arrChildren)
        : m_nAnswers(answers), m_arrChildren(std::move(arrChildren)) {
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
            clock += draw(3) == 0 ? BENCH_DAY_MS - 4 * 3600 * 1000 : 15 * 60000;
        }
        sqlite3_finalize(run);
        sqlite3_finalize(answer);
    }

    int m_nAnswers;
    std::vector<std::string> m_arrChildren;
    std::string m_strDirectory;
    std::string m_strPath;
};
