#include "ui/CNavPaneItem.h"

#include "graphics/CDibSurface_win.h"
#include "graphics/GdiOwners_win.h"
#include "ui/CNavPaneWnd.h"
#include "ui/NavPaneToolCells.h"
#include "ui/UiText.h"

#include <algorithm>

namespace {

constexpr int kImageBorder = 4;
constexpr uint32_t kOwnAlpha = 0xAA000000;
constexpr uint32_t kHighlightAlpha = 0xFF000000;

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    CGdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    FillRect(dc, &rect, brush.Get());
}

RECT Inset(RECT rect, int by) {
    InflateRect(&rect, -by, -by);
    return rect;
}

} // namespace

void CNavPaneItem::Draw(HDC dc, const RECT& clip, RECT& rect, UINT flags) {
    const RECT row = TakeRow(rect);
    RECT overlap{};
    if (!hidden && IntersectRect(&overlap, &row, &clip))
        DrawRow(dc, row);
    TakeAttached(rect);
    if (!ShowsChildren())
        return;
    RECT inner = EnterChildren(rect);
    for (CNavPaneItem* child : children.Items())
        child->Draw(dc, clip, inner, flags);
    LeaveChildren(rect, inner);
}

void CNavPaneItem::DrawRow(HDC dc, const RECT& row) {
    const bool image = pane && pane->backgroundImage.pixels;
    DrawBackground(dc, row);
    RECT label = Inset(row, 2);
    label.left = std::max<LONG>(label.left, DrawTools(dc, row, leftTools, false) + 2);
    if (!image)
        SetTextColor(dc, coloured ? textColour
                                  : GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
    const int rightEdge = DrawTools(dc, row, rightTools, true);
    label.right = std::min<LONG>(label.right, rightEdge - 2);
    DrawLabel(dc, label);
    RECT edge = row;
    if (!image)
        DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_BOTTOM);
    if (pane && pane->focus == this) {
        const RECT focusRect = Inset(row, 2);
        DrawFocusRect(dc, &focusRect);
    }
}

void CNavPaneItem::DrawBackground(HDC dc, const RECT& row) const {
    const int width = row.right - row.left;
    const int height = row.bottom - row.top;
    if (pane && pane->backgroundImage.pixels) {
        const bool hot = pane->hotEntry == this;
        const int stack = disabled ? 4 + (hot ? 1 : 0) : selected ? 1 : hot ? 2 : 0;
        pane->backgroundImage.DrawStackStretched(dc, row.left, row.top, width, height, kImageBorder,
                                                 kImageBorder, stack);
        return;
    }
    SetBkColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    if (selected && coloured)
        DrawSelectedGradient(dc, row);
    else if (selected)
        FillSolid(dc, row, GetSysColor(COLOR_HIGHLIGHT));
    else
        FillSolid(dc, row, coloured ? backgroundColour : GetSysColor(COLOR_BTNFACE));
}

void CNavPaneItem::DrawSelectedGradient(HDC dc, const RECT& row) const {
    const int width = row.right - row.left;
    const int height = row.bottom - row.top;
    CDibSurface surface;
    if (!surface.Create(width, height))
        return;
    surface.Grab(dc, row.left, row.top);
    CBmp picture;
    picture.Wrap(surface.pixels, 0, width, height);
    const GradientPoint points[2] = {{2 * width / 3 - 1, 0}, {2 * width / 3 + 2, height}};
    const uint32_t colours[2] = {kOwnAlpha | (backgroundColour & 0xFFFFFF),
                                 kHighlightAlpha | GetSysColor(COLOR_HIGHLIGHT)};
    picture.GradientFill(points, colours, 2, true, true);
    surface.Put(dc, row.left, row.top);
}

int CNavPaneItem::DrawTools(HDC dc, const RECT& row, const CCollector<CNavPaneItemTool*>& tools,
                            bool fromRight) const {
    int edge = 0;
    ForEachToolCell(tools, row, CellSize(), fromRight, edge,
                    [dc](CNavPaneItemTool* tool, const RECT& cell) {
                        tool->Draw(dc, Inset(cell, 1));
                        return false;
                    });
    return edge;
}

void CNavPaneItem::DrawLabel(HDC dc, RECT area) const {
    if (text.IsEmpty() || area.right <= area.left)
        return;
    DrawTextW(dc, Utf16(text).c_str(), -1, &area, textFormat);
}
