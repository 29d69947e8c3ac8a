// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The figures of one child's section, each appended to the page as HTML or inline SVG.
#pragma once

#include "report/ChildReport.h"
#include "report/FactHistory.h"

#include <string>
#include <vector>

// A block a month, a row a week from Monday, each day's minutes written in its cell and shaded.
void AppendCalendar(std::string& out, const asCHILDREPORT& child);
// The score of each finished run over its date, a line a problem set, with a legend.
void AppendScoreChart(std::string& out, const asCHILDREPORT& child);
// The additions and the subtractions within 20, one cell a fact, coloured by its state.
// Each cell practised links to its fact's history.
void AppendFactGrid(std::string& out, const asCHILDREPORT& child, CFactLinks& links);
// A fact's colour as the grid draws it: its chip and its name.
std::string StateChip(FactState state);
// The facts in review, each with when it comes back, and those review brought to green in the
// week up to today; nothing when the child has no fact in review.
void AppendReview(std::string& out, const asCHILDREPORT& child, int today, int64_t thresholdMs,
                  CFactLinks& links);
// What a parent reads first in a child's section: this week against last, the mastery of the
// facts the played sets ask, what turned green, what to practise now, and review's figures.
void AppendSummary(std::string& out, const asCHILDREPORT& child, int today, CFactLinks& links);
// The page's two ways of counting a first try, said once at its top.
void AppendCountingNote(std::string& out);

constexpr size_t CLASS_WEAKEST_COUNT = 10;
// The facts within 20 that the most children have red or yellow, each child named with a link
// to their history of it.
void AppendClassWeakest(std::string& out, const std::vector<asCHILDREPORT>& arrChildren,
                        std::vector<CFactLinks>& arrLinks);
