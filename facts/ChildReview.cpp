// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The current child's review book and the worker thread that reads it.
#include "facts/ChildReview.h"

CChildReview::CChildReview(LoadFn fnLoad) : m_fnLoad(std::move(fnLoad)) {}

CChildReview::~CChildReview() {
    {
        std::lock_guard lock(m_mutex);
        m_bStop = true;
    }
    m_wake.notify_one();
    if (m_worker.joinable()) m_worker.join();
}

void CChildReview::ChooseChild(const std::optional<asREVIEWREAD>& read) {
    const std::optional<std::string> child =
        read ? std::optional<std::string>(read->strChild) : std::nullopt;
    if (child == m_strChild) return;
    if (m_strChild && m_book) m_mapKept[*m_strChild] = std::move(m_book);
    m_strChild = child;
    m_book.reset();
    m_bLoading = false;
    m_arrWhileLoading.clear();
    if (!read) return;
    if (const auto kept = m_mapKept.find(*child); kept != m_mapKept.end()) {
        m_book = std::move(kept->second);
        m_mapKept.erase(kept);
        return;
    }
    m_bLoading = true;
    {
        std::lock_guard lock(m_mutex);
        m_request = read;
        ++m_nRequest;
        if (!m_worker.joinable()) m_worker = std::thread(&CChildReview::Work, this);
    }
    m_wake.notify_one();
}

void CChildReview::ForgetChild(const std::string& child) {
    m_mapKept.erase(child);
    if (m_strChild == child) {
        // Their answers are gone from the record too: the book starts empty.
        m_book = CReviewBook();
        m_bLoading = false;
        m_arrWhileLoading.clear();
    }
}

void CChildReview::Work() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [&] { return m_bStop || m_request; });
        if (m_bStop) return;
        const asREVIEWREAD read = std::move(*m_request);
        m_request.reset();
        const uint64_t nRequest = m_nRequest;
        lock.unlock();
        std::optional<CReviewBook> book = m_fnLoad(read);
        lock.lock();
        m_result.emplace(nRequest, std::move(book));
    }
}

void CChildReview::TakeLoaded() {
    if (!m_bLoading) return;
    std::optional<CReviewBook> book;
    {
        std::lock_guard lock(m_mutex);
        if (!m_result || m_result->first != m_nRequest) return;
        book = std::move(m_result->second);
        m_result.reset();
    }
    m_bLoading = false;
    m_book = std::move(book);
    if (m_book)
        for (const Event& event : m_arrWhileLoading)
            Apply(event);
    m_arrWhileLoading.clear();
}

void CChildReview::Apply(const Event& event) {
    if (const auto* added = std::get_if<asADDED>(&event))
        m_book->Add(added->fact, added->nVerdict, added->nPage, added->nDay, added->nUtcMs);
    else
        m_book->BeginRun();
}

void CChildReview::BeginRun() {
    TakeLoaded();
    if (m_bLoading)
        m_arrWhileLoading.push_back(asRUNBEGUN{});
    else if (m_book)
        m_book->BeginRun();
}

void CChildReview::Add(const asREVIEWFACT& fact, Verdict verdict, int page, int day,
                       int64_t utcMs) {
    TakeLoaded();
    const asADDED added{fact, verdict, page, day, utcMs};
    if (m_bLoading)
        m_arrWhileLoading.push_back(added);
    else if (m_book)
        Apply(added);
}

std::vector<asREVIEWFACT>
CChildReview::Due(int page, int day, size_t nMax,
                  const std::function<bool(const asREVIEWFACT&)>& fnWanted) {
    TakeLoaded();
    if (!m_book) return {};
    return m_book->Due(page, day, nMax, fnWanted);
}

bool CChildReview::Ready() {
    TakeLoaded();
    return !m_bLoading;
}
