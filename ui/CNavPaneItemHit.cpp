#include "ui/CNavPaneItem.h"

#include "ui/CNavPaneWnd.h"
#include "ui/NavPaneToolCells.h"

int CNavPaneItem::HitLButtonDown(const RECT& clip, RECT& rect, UINT keys, POINT point) {
    return Hit(WM_LBUTTONDOWN, &CNavPaneItem::HitLButtonDown, clip, rect, keys, point);
}

int CNavPaneItem::HitLButtonUp(const RECT& clip, RECT& rect, UINT keys, POINT point) {
    return Hit(WM_LBUTTONUP, &CNavPaneItem::HitLButtonUp, clip, rect, keys, point);
}

int CNavPaneItem::HitRButtonDown(const RECT& clip, RECT& rect, UINT keys, POINT point) {
    return Hit(WM_RBUTTONDOWN, &CNavPaneItem::HitRButtonDown, clip, rect, keys, point);
}

int CNavPaneItem::HitRButtonUp(const RECT& clip, RECT& rect, UINT keys, POINT point) {
    return Hit(WM_RBUTTONUP, &CNavPaneItem::HitRButtonUp, clip, rect, keys, point);
}

int CNavPaneItem::HitMouseMove(const RECT& clip, RECT& rect, UINT keys, POINT point) {
    return Hit(WM_MOUSEMOVE, &CNavPaneItem::HitMouseMove, clip, rect, keys, point);
}

int CNavPaneItem::Hit(UINT message, HitOperation childHit, const RECT& clip, RECT& rect, UINT keys,
                      POINT point) {
    const RECT row = TakeRow(rect);
    if (!hidden && PtInRect(&row, point) && PtInRect(&clip, point) && pane) {
        pane->EntryUnderPointer(message, point, this);
        if (CNavPaneItemTool* tool = ToolAt(row, point)) {
            ActOnTool(message, tool);
            return 1;
        }
    }
    TakeAttached(rect);
    if (!ShowsChildren())
        return 0;
    RECT inner = EnterChildren(rect);
    for (CNavPaneItem* child : children.Items())
        if ((child->*childHit)(clip, inner, keys, point))
            return 1;
    LeaveChildren(rect, inner);
    return 0;
}

CNavPaneItemTool* CNavPaneItem::ToolAt(const RECT& row, POINT point) const {
    const auto contains = [point](CNavPaneItemTool*, const RECT& cell) {
        RECT inner = cell;
        InflateRect(&inner, -2, -2);
        return PtInRect(&inner, point) != 0;
    };
    int edge = 0;
    if (CNavPaneItemTool* tool = ForEachToolCell(rightTools, row, CellSize(), true, edge, contains))
        return tool;
    return ForEachToolCell(leftTools, row, CellSize(), false, edge, contains);
}

void CNavPaneItem::ActOnTool(UINT message, CNavPaneItemTool* tool) {
    switch (message) {
    case WM_LBUTTONDOWN:
        if (tool->CanPress())
            pane->PressTool(tool);
        break;
    case WM_LBUTTONUP:
        if (pane->LetGoOfTool(tool))
            ReleaseTool(tool);
        break;
    case WM_MOUSEMOVE:
        pane->HoverTool(tool);
        break;
    default:
        break;
    }
}

void CNavPaneItem::ReleaseTool(CNavPaneItemTool* tool) {
    using Tool = CNavPaneItemTool;
    tool->Set(Tool::kPressed, false);
    if (tool->kind & Tool::kPush)
        tool->Set(Tool::kHot, false);
    if (tool->kind & Tool::kToggle)
        tool->Set(Tool::kChecked, !tool->Has(Tool::kChecked));
    if (tool->kind & Tool::kExpander)
        Expand((tool->kind & Tool::kToggle) ? tool->Has(Tool::kChecked)
                                            : !tool->Has(Tool::kChecked));
    if (tool->kind & (Tool::kPush | Tool::kToggle))
        OnToolCommand(tool->command);
}
