#pragma once

#include "params/CCollector.h"
#include "ui/CNavPaneItemTool.h"

#include <windows.h>

// Walks the tools of one end of a row, each in a square cell of `side` pixels, vertically
// centred in the row, from the left end rightward or from the right end leftward; a tool
// that shares its cell leaves the next one in the same cell. visit(tool, cell) returning
// true stops the walk at that tool, which is returned (null when none stopped it). edge
// receives the inner edge of the cells walked.
template <class Visit>
CNavPaneItemTool* ForEachToolCell(const CCollector<CNavPaneItemTool*>& tools, const RECT& row,
                                  int side, bool fromRight, int& edge, Visit visit) {
    const int top = (row.top + row.bottom - side) / 2;
    int x = fromRight ? row.right : row.left;
    for (CNavPaneItemTool* tool : tools.Items()) {
        const int left = fromRight ? x - side : x;
        const RECT cell{left, top, left + side, top + side};
        if (visit(tool, cell)) {
            edge = x;
            return tool;
        }
        if (!tool->Has(CNavPaneItemTool::kSharesCell))
            x += fromRight ? -side : side;
    }
    edge = x;
    return nullptr;
}
