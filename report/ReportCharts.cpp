// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The fact grid, a plain table whose every cell carries its figures as data attributes and
// links to its fact's history; and the chip that names a fact's colour.
#include "platform/Translate.h"
#include "report/HtmlText.h"
#include "report/ReportParts.h"

#include <algorithm>
#include <map>

namespace {

void AppendNumberAttribute(std::string& out, const char* name, int64_t value) {
    out += ' ';
    out += name;
    out += "=\"";
    out += std::to_string(value);
    out += '"';
}

// The grid's cells of one sign, laid out by row (left number) and column (right number).
void AppendGridTable(std::string& out, const asCHILDREPORT& child, char cSign, CFactLinks& links) {
    std::map<std::pair<int, int>, const asGRIDCELL*> mapCells;
    for (const asGRIDCELL& cell : child.arrGrid)
        if (cell.cSign == cSign) mapCells[{cell.nLeft, cell.nRight}] = &cell;
    out += cSign == '+' ? std::string("<table class=\"grid\" data-grid=\"addition\"><caption>") +
                              Tr("加法 a+b") + "</caption>"
                        : std::string("<table class=\"grid\" data-grid=\"subtraction\"><caption>") +
                              Tr("减法 a−b") + "</caption>";
    out += "<tr><th>";
    out += "a＼b";
    out += "</th>";
    for (int b = 0; b <= 20; ++b)
        out += "<th>" + std::to_string(b) + "</th>";
    out += "</tr>";
    for (int a = cSign == '+' ? 0 : 1; a <= 20; ++a) {
        out += "<tr><th>" + std::to_string(a) + "</th>";
        for (int b = 0; b <= 20; ++b) {
            const auto found = mapCells.find({a, b});
            if (found == mapCells.end()) {
                out += "<td class=\"none\"></td>";
                continue;
            }
            const asGRIDCELL& cell = *found->second;
            const std::string fact = std::to_string(a) + cSign + std::to_string(b);
            const char* state = StateKey(cell.nState);
            out += "<td class=\"";
            out += state;
            out += "\" data-fact=\"" + fact + "\" data-state=\"";
            out += state;
            out += '"';
            AppendNumberAttribute(out, "data-tries", cell.nTries);
            // TRANSLATORS: a grid cell's tip: %1$s the fact, %2$s how often it was asked.
            out += " title=\"" +
                   Format(TrN("%1$s：练了 %2$s 次", "%1$s：练了 %2$s 次", cell.nTries),
                          {fact, std::to_string(cell.nTries)}) +
                   "\">";
            if (cell.nTries > 0) out += "<a href=\"" + links.Href(fact) + "\"></a>";
            out += "</td>";
        }
        out += "</tr>";
    }
    out += "</table>";
}

} // namespace

void AppendFactGrid(std::string& out, const asCHILDREPORT& child, CFactLinks& links) {
    out += "<div class=\"grids\">";
    AppendGridTable(out, child, '+', links);
    AppendGridTable(out, child, '-', links);
    out += "</div>";
}

std::string StateChip(FactState state) {
    std::string chip = "<span class=\"key ";
    chip += StateKey(state);
    chip += "\"></span>";
    switch (state) {
    case FactState::RED:
        return chip + Tr("要再练");
    case FactState::YELLOW:
        return chip + Tr("会了，还不够快");
    case FactState::GREEN:
        return chip + Tr("熟练");
    default:
        return chip + Tr("没练过");
    }
}
