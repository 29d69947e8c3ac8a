// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Links from the facts a child's section names to their histories at the section's end.
#pragma once

#include "report/ChildReport.h"

#include <set>
#include <string>

// The links of one child's section; ids carry the child's place on the page, so several children
// (and the same name from two records) share one page.
class CFactLinks {
public:
    CFactLinks(const asCHILDREPORT& child, size_t nChild);

    // "#c0-7+8" for a fact with a history, remembered to be written; "" for one never asked.
    std::string Href(const std::string& fact);
    // The fact's text, escaped, as a link to its history when it has one.
    std::string Link(const std::string& fact);
    // The section's id prefix and the facts linked so far.
    const std::string& Prefix() const { return m_strPrefix; }
    const std::set<std::string>& Linked() const { return m_setLinked; }

private:
    const asCHILDREPORT* m_pChild;
    std::string m_strPrefix;
    std::set<std::string> m_setLinked;
};

// The history of every fact linked, additions before subtractions and by their numbers.
void AppendFactHistories(std::string& out, const asCHILDREPORT& child, const CFactLinks& links);
