// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A fresh folder for an answer record, a writer on it that keeps what it tells, and a reader of
// what the file holds (a connection of its own each time, as the parents' report would open).
#pragma once

#include "storage/HistorySchema.h"
#include "storage/HistoryWriter.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// The rows of sql in the record at path, columns joined by '|'; {"(no record)"} when the file
// cannot be opened.
inline std::vector<std::string> HistoryRows(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    std::vector<std::string> rows;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return {"(no record)"};
    }
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
        rows.push_back(std::string("(error) ") + sqlite3_errmsg(db));
    while (statement && sqlite3_step(statement) == SQLITE_ROW) {
        std::string row;
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
            const auto* text = sqlite3_column_text(statement, i);
            row += (i ? "|" : "") + std::string(text ? reinterpret_cast<const char*>(text) : "-");
        }
        rows.push_back(row);
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rows;
}

class CHistoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = std::filesystem::temp_directory_path() / "zimbly-record-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_strFolder = pattern;
        m_strPath = m_strFolder + "/" + HISTORY_FILE_NAME;
    }
    void TearDown() override {
        m_Writer.Stop();
        std::error_code ec;
        std::filesystem::permissions(m_strFolder, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(m_strFolder, ec);
    }

    void StartWriter(unsigned batchMs = HISTORY_BATCH_MS, std::function<bool()> fnStill = {}) {
        m_Writer.Start(m_strPath,
                       {std::move(fnStill),
                        [this](const std::string& line) {
                            std::lock_guard lock(m_Mutex);
                            m_arrTold.push_back(line);
                        }},
                       batchMs);
    }
    // Waits (up to 20 s, for loaded machines) until a told line holds text, and returns it;
    // empty when none did.
    std::string WaitTold(const std::string& text) {
        for (int i = 0; i < 2000; ++i) {
            {
                std::lock_guard lock(m_Mutex);
                for (const std::string& line : m_arrTold)
                    if (line.find(text) != std::string::npos) return line;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return {};
    }
    size_t ToldCount() {
        std::lock_guard lock(m_Mutex);
        return m_arrTold.size();
    }

    std::vector<std::string> Rows(const std::string& sql) const {
        return HistoryRows(m_strPath, sql);
    }
    std::string One(const std::string& sql) const {
        const auto rows = Rows(sql);
        return rows.empty() ? "(none)" : rows[0];
    }
    // Waits (up to 20 s) until One(sql) is want; returns what it last was.
    std::string WaitFor(const std::string& sql, const std::string& want) const {
        std::string now;
        for (int i = 0; i < 2000 && (now = One(sql)) != want; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return now;
    }
    std::vector<std::string> FolderNames() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_strFolder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // A run of key with a child, and its answers.
    void HandRun(int64_t key, const std::string& child) {
        m_Writer.Hand(asHISTORYRUN{key, child, 1, 35, 4, 1'000'000 + key});
    }
    void HandAnswer(int64_t key, int position, bool right = true) {
        m_Writer.Hand(asHISTORYANSWER{key, 1, position, 2'000'000 + position, "1+\u25A1=3", "2",
                                      right ? "2" : "4", right, true, false, 1500});
    }

    std::string m_strFolder;
    std::string m_strPath;
    CHistoryWriter m_Writer;
    std::mutex m_Mutex;
    std::vector<std::string> m_arrTold;
};
