// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The current child's review book: read from the answer record on a worker thread when the child
// becomes current, then kept up to date from each marked answer without the disk. The window's
// thread never waits for it: until the book is read there is simply nothing due.
#pragma once

#include "facts/ReviewBook.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <variant>
#include <vector>

class CChildReview {
public:
    // Reads a child's book (on the worker thread); none when the record cannot tell.
    using LoadFn = std::function<std::optional<CReviewBook>(const asREVIEWREAD& read)>;
    explicit CChildReview(LoadFn fnLoad);
    ~CChildReview();
    CChildReview(const CChildReview&) = delete;
    CChildReview& operator=(const CChildReview&) = delete;

    // read.strChild is now current (nullopt: no child chosen, no review). A child already read
    // in this session is taken back from memory; another is read from the record.
    void ChooseChild(const std::optional<asREVIEWREAD>& read);
    const std::optional<std::string>& Child() const { return m_strChild; }
    // A child was deleted: a new child of that name starts afresh.
    void ForgetChild(const std::string& child);

    void BeginRun();
    void Add(const asREVIEWFACT& fact, Verdict verdict, int page, int day, int64_t utcMs);
    // As CReviewBook::Due, for the current child; nothing while their book is being read.
    std::vector<asREVIEWFACT> Due(int page, int day, size_t nMax,
                                  const std::function<bool(const asREVIEWFACT&)>& fnWanted);
    // True once the current child's book is read (tests and the tools wait on it).
    bool Ready();

private:
    struct asADDED {
        asREVIEWFACT fact;
        Verdict nVerdict;
        int nPage;
        int nDay;
        int64_t nUtcMs;
    };
    struct asRUNBEGUN {};
    using Event = std::variant<asRUNBEGUN, asADDED>;

    void Work();
    void TakeLoaded();
    void Apply(const Event& event);

    LoadFn m_fnLoad;
    std::optional<std::string> m_strChild; // the current child; none: no review
    std::optional<CReviewBook> m_book;     // theirs, once read
    bool m_bLoading = false;
    std::vector<Event> m_arrWhileLoading; // replayed over the book once it is read
    std::map<std::string, std::optional<CReviewBook>> m_mapKept; // children read this session

    std::mutex m_mutex; // guards what the worker shares
    std::condition_variable m_wake;
    std::optional<asREVIEWREAD> m_request;
    uint64_t m_nRequest = 0; // counts requests; a result for an older one is dropped
    std::optional<std::pair<uint64_t, std::optional<CReviewBook>>> m_result;
    bool m_bStop = false;
    std::thread m_worker;
};
