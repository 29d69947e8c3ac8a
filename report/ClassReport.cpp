// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The class's weakest facts: the facts within 20 that the most children have red or yellow.
#include "platform/Translate.h"
#include "report/HtmlText.h"
#include "report/ReportParts.h"

#include <algorithm>
#include <numeric>
#include <tuple>

void AppendClassWeakest(std::string& out, const std::vector<asCHILDREPORT>& arrChildren,
                        std::vector<CFactLinks>& arrLinks) {
    const std::vector<asGRIDCELL> arrCells = GridCells();
    std::vector<int> arrRed(arrCells.size()), arrYellow(arrCells.size());
    for (const asCHILDREPORT& child : arrChildren)
        for (size_t c = 0; c < arrCells.size() && c < child.arrGrid.size(); ++c) {
            arrRed[c] += child.arrGrid[c].nState == FactState::RED;
            arrYellow[c] += child.arrGrid[c].nState == FactState::YELLOW;
        }
    // Most children red or yellow, then the most red, then as the grid reads.
    std::vector<size_t> arrOrder(arrCells.size());
    std::iota(arrOrder.begin(), arrOrder.end(), size_t(0));
    auto key = [&](size_t c) { return std::tuple(-(arrRed[c] + arrYellow[c]), -arrRed[c], c); };
    std::stable_sort(arrOrder.begin(), arrOrder.end(),
                     [&](size_t a, size_t b) { return key(a) < key(b); });
    out +=
        "<h3>" +
        Format(Tr("全班最需要练习的 %s 道题（20 以内）"), {std::to_string(CLASS_WEAKEST_COUNT)}) +
        "</h3>";
    if (arrOrder.empty() || arrRed[arrOrder[0]] + arrYellow[arrOrder[0]] == 0) {
        out += std::string("<p class=\"empty\">") + Tr("没有哪道题是红色或黄色的。") + "</p>";
        return;
    }
    out += std::string("<table class=\"list class-weakest\"><tr><th>") + Tr("题目") + "</th><th>" +
           Tr("红色") + "</th><th>" + Tr("黄色") + "</th><th>" + Tr("哪些孩子") +
           "<span class=\"screen\">" + Tr("（点名字看记录）") + "</span></th></tr>";
    for (size_t shown = 0; shown < CLASS_WEAKEST_COUNT && shown < arrOrder.size(); ++shown) {
        const size_t c = arrOrder[shown];
        if (arrRed[c] + arrYellow[c] == 0) break;
        const asGRIDCELL& cell = arrCells[c];
        const std::string fact =
            std::to_string(cell.nLeft) + cell.cSign + std::to_string(cell.nRight);
        out += "<tr data-class-fact=\"" + fact + "\" data-red=\"" + std::to_string(arrRed[c]) +
               "\" data-yellow=\"" + std::to_string(arrYellow[c]) + "\"><td>" + fact + "</td><td>" +
               std::to_string(arrRed[c]) + "</td><td>" + std::to_string(arrYellow[c]) +
               "</td><td class=\"facts\">";
        for (size_t i = 0; i < arrChildren.size(); ++i) {
            const FactState state = arrChildren[i].arrGrid[c].nState;
            if (state != FactState::RED && state != FactState::YELLOW) continue;
            out += "<span><span class=\"key ";
            out += StateKey(state);
            out += "\"></span><a href=\"" + Escaped(arrLinks[i].Href(fact)) + "\">" +
                   Escaped(arrChildren[i].strName) + "</a></span>";
        }
        out += "</td></tr>";
    }
    out += "</table>";
}
