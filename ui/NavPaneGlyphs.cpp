#include "ui/NavPaneGlyphs.h"

#include "graphics/GdiOwners_win.h"

#include <algorithm>

namespace {

// One chevron: a V (or an upturned V) of the square's width, a quarter of it high.
void DrawChevron(HDC dc, int left, int top, int side, bool up) {
    const int depth = side / 4;
    const int tip = up ? top : top + depth;
    const int ends = up ? top + depth : top;
    const POINT points[3] = {{left, ends}, {left + side / 2, tip}, {left + side, ends}};
    Polyline(dc, points, 3);
}

// Two chevrons a quarter of the side apart.
void DrawChevronPair(HDC dc, int left, int top, int side, bool up, COLORREF colour) {
    CGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, colour));
    CSelection selection;
    // Without the pen the chevrons are drawn with the context's own.
    static_cast<void>(selection.Select(dc, pen.Get()));
    DrawChevron(dc, left, top, side, up);
    DrawChevron(dc, left, top + side / 4, side, up);
}

} // namespace

void DrawDoubleChevron(HDC dc, const RECT& cell, bool up) {
    const int side = std::min(cell.right - cell.left, cell.bottom - cell.top) * 3 / 4;
    if (side < 2)
        return;
    const int left = (cell.left + cell.right - side) / 2;
    // The pair spans the middle half of the square.
    const int top = (cell.top + cell.bottom - side) / 2 + side / 4;
    DrawChevronPair(dc, left, top + 1, side, up, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawChevronPair(dc, left, top, side, up, GetSysColor(COLOR_BTNSHADOW));
}

void DrawSeparatorBar(HDC dc, const RECT& cell) {
    RECT bar{cell.left + 1, cell.top + 2, cell.left + 3, cell.bottom - 2};
    DrawEdge(dc, &bar, BDR_SUNKENOUTER, BF_LEFT | BF_RIGHT);
}
