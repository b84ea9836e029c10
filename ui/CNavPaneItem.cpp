#include "ui/CNavPaneItem.h"

#include "ui/CNavPaneWnd.h"

namespace {

int EdgeAndBorderHeight() {
    return GetSystemMetrics(SM_CYEDGE) + GetSystemMetrics(SM_CYBORDER);
}

// The first expander of a tool list; null when none.
CNavPaneItemTool* FirstExpander(const CCollector<CNavPaneItemTool*>& tools) {
    for (CNavPaneItemTool* tool : tools.Items())
        if (tool->kind & CNavPaneItemTool::kExpander)
            return tool;
    return nullptr;
}

} // namespace

CNavPaneItem::CNavPaneItem()
    : largeHeight(2 * GetSystemMetrics(SM_CYEDGE) + GetSystemMetrics(SM_CYCAPTION)),
      smallHeight(2 * GetSystemMetrics(SM_CYEDGE) + GetSystemMetrics(SM_CYSMCAPTION)) {}

CNavPaneItem::~CNavPaneItem() {
    // The children go first, so that each lets go of the pane's pointers to it.
    children.DeleteAll();
    if (pane)
        pane->ForgetEntry(this);
}

int CNavPaneItem::OnToolCommand(UINT command) {
    if (pane)
        pane->ToolCommand(command, this);
    return 0;
}

int CNavPaneItem::Expand(int state) {
    const bool expand = (state < 0 ? !expanded : state != 0) && children.Count() > 0;
    if (!expand) {
        HideAttachedWindow();
        for (CNavPaneItem* child : children.Items())
            child->Expand(0);
    } else if (attachedWindow && IsWindow(attachedWindow)) {
        ShowWindow(attachedWindow, SW_SHOWNA);
    }
    expanded = expand;
    AlignExpanders();
    if (pane)
        pane->EntryChanged(this);
    return static_cast<int>(expanded);
}

void CNavPaneItem::AlignExpanders() {
    for (const auto* tools : {&rightTools, &leftTools})
        if (CNavPaneItemTool* expander = FirstExpander(*tools))
            expander->Set(CNavPaneItemTool::kChecked, expanded != 0);
}

void CNavPaneItem::HideAttachedWindow() {
    if (!attachedWindow)
        return;
    if (IsWindow(attachedWindow))
        ShowWindow(attachedWindow, SW_HIDE);
    else
        attachedWindow = nullptr;
}

bool CNavPaneItem::AddChild(CNavPaneItem* child) {
    if (!child || child == this || !children.Add(child))
        return false;
    child->pane = pane;
    child->parent = this;
    return true;
}

CNavPaneItem* CNavPaneItem::FirstSibling() const {
    return parent ? parent->children.GetAt(0) : nullptr;
}

CNavPaneItem* CNavPaneItem::LastSibling() const {
    return parent ? parent->children.GetAt(parent->children.Count() - 1) : nullptr;
}

CNavPaneItem* CNavPaneItem::NextSibling() const {
    if (!parent)
        return nullptr;
    const auto& siblings = parent->children;
    return siblings.GetAt(siblings.IndexOf(const_cast<CNavPaneItem*>(this)) + 1);
}

CNavPaneItem* CNavPaneItem::PreviousSibling() const {
    if (!parent)
        return nullptr;
    const auto& siblings = parent->children;
    return siblings.GetAt(siblings.IndexOf(const_cast<CNavPaneItem*>(this)) - 1);
}

int CNavPaneItem::RowHeight() const {
    if (hidden)
        return 0;
    return useSmallHeight ? smallHeight : largeHeight;
}

void CNavPaneItem::SetHeight(int height) {
    largeHeight = height;
    smallHeight = height;
}

void CNavPaneItem::ScaleForDpi(int from, int to) {
    largeHeight = MulDiv(largeHeight, to, from);
    smallHeight = MulDiv(smallHeight, to, from);
    for (auto* tools : {&leftTools, &rightTools})
        for (CNavPaneItemTool* tool : tools->Items())
            tool->dpi = to;
    for (CNavPaneItem* child : children.Items())
        child->ScaleForDpi(from, to);
}

void CNavPaneItem::SetColours(COLORREF background, COLORREF foreground) {
    coloured = 1;
    backgroundColour = background & 0xFFFFFF;
    textColour = foreground & 0xFFFFFF;
}

HWND CNavPaneItem::ShownAttachedWindow() const {
    if (!attachedWindow || !IsWindow(attachedWindow))
        return nullptr;
    return (GetWindowLongPtrA(attachedWindow, GWL_STYLE) & WS_VISIBLE) ? attachedWindow : nullptr;
}

int CNavPaneItem::ContentHeight() const {
    int height = RowHeight();
    if (HWND window = ShownAttachedWindow()) {
        RECT area{};
        GetWindowRect(window, &area);
        height += area.bottom - area.top + EdgeAndBorderHeight();
    }
    if (ShowsChildren()) {
        for (const CNavPaneItem* child : children.Items())
            height += child->ContentHeight();
        if (!hidden)
            height += EdgeAndBorderHeight();
    }
    return height;
}

RECT CNavPaneItem::TakeRow(RECT& cursor) const {
    return TakeBand(cursor, RowHeight());
}

RECT CNavPaneItem::TakeAttached(RECT& cursor) const {
    HWND window = ShownAttachedWindow();
    if (!window)
        return TakeBand(cursor, 0);
    RECT area{};
    GetWindowRect(window, &area);
    return TakeBand(cursor, area.bottom - area.top + EdgeAndBorderHeight());
}

RECT CNavPaneItem::TakeBand(RECT& cursor, int height) const {
    RECT band = cursor;
    if (pane && pane->IsBottomUp()) {
        band.bottom = cursor.bottom;
        band.top = cursor.bottom - height;
        cursor.bottom = band.top;
    } else {
        band.top = cursor.top;
        band.bottom = cursor.top + height;
        cursor.top = band.bottom;
    }
    return band;
}

RECT CNavPaneItem::EnterChildren(const RECT& cursor) const {
    RECT inner = cursor;
    if (!hidden && pane) {
        inner.left += pane->childIndentLeft;
        inner.right += pane->childIndentRight;
    }
    return inner;
}

void CNavPaneItem::LeaveChildren(RECT& cursor, const RECT& inner) const {
    cursor.top = inner.top;
    cursor.bottom = inner.bottom;
    if (!hidden)
        TakeBand(cursor, EdgeAndBorderHeight());
}

CNavPaneItem* CNavPaneItem::EntryAt(RECT& rect, POINT point, RECT& area) {
    const RECT row = TakeRow(rect);
    const RECT attached = TakeAttached(rect);
    RECT band{};
    UnionRect(&band, &row, &attached);
    if (!hidden && PtInRect(&band, point)) {
        area = band;
        return this;
    }
    if (!ShowsChildren())
        return nullptr;
    RECT inner = EnterChildren(rect);
    for (CNavPaneItem* child : children.Items())
        if (CNavPaneItem* found = child->EntryAt(inner, point, area))
            return found;
    LeaveChildren(rect, inner);
    return nullptr;
}

void CNavPaneItem::PlaceAttachedWindows(RECT& rect) {
    const RECT row = TakeRow(rect);
    const RECT band = TakeAttached(rect);
    if (HWND window = ShownAttachedWindow())
        SetWindowPos(window, nullptr, row.left + GetSystemMetrics(SM_CXFRAME), band.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!ShowsChildren())
        return;
    RECT inner = EnterChildren(rect);
    for (CNavPaneItem* child : children.Items())
        child->PlaceAttachedWindows(inner);
    LeaveChildren(rect, inner);
}

bool CNavPaneItem::RowOf(const CNavPaneItem* target, RECT& rect, RECT& row) const {
    const RECT own = TakeRow(rect);
    TakeAttached(rect);
    if (target == this) {
        row = own;
        return !hidden;
    }
    if (!ShowsChildren())
        return false;
    RECT inner = EnterChildren(rect);
    for (const CNavPaneItem* child : children.Items())
        if (child->RowOf(target, inner, row))
            return true;
    LeaveChildren(rect, inner);
    return false;
}
