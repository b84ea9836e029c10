#include "ui/CNavPaneWnd.h"

#include "graphics/GdiOwners_win.h"
#include "ui/CNavPaneWndParent.h"
#include "ui/WindowHelpers.h"

#include <vector>

namespace {

constexpr int kDropMarkerHeight = 4;
// A layered, mouse-transparent tool pop-up that never takes the focus.
constexpr DWORD kDragExStyle =
    WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST;

} // namespace

void CNavPaneWnd::DragOver(POINT point) {
    RECT cursor = LayoutStart();
    RECT area{};
    CNavPaneItem* target = root.EntryAt(cursor, point, area);
    dropTarget = target;
    currentEntry = target;
    if (!target || target == dragSource) {
        ShowDropMarker(RECT{});
        return;
    }
    dragShown = true;
    dropAbove = point.y < (area.top + area.bottom) / 2;
    RECT marker = area;
    if (dropAbove)
        marker.bottom = area.top + kDropMarkerHeight;
    else
        marker.top = area.bottom - kDropMarkerHeight;
    ShowDropMarker(marker);
    ShowDragWindow(point);
}

void CNavPaneWnd::ShowDropMarker(const RECT& marker) {
    if (EqualRect(&marker, &dropMarker) || !Handle())
        return;
    CWindowDc dc(Handle());
    InvertDropMarker(dc.Get());
    dropMarker = marker;
    InvertDropMarker(dc.Get());
}

void CNavPaneWnd::ShowDragWindow(POINT point) {
    POINT screen = point;
    ClientToScreen(Handle(), &screen);
    if (dragWindow.IsCreated()) {
        SetWindowPos(dragWindow.Handle(), nullptr, dragOriginX, screen.y - dragOffsetY, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    // The dragged row follows the pointer where it was grabbed, at the pane's left.
    RECT row{};
    if (!GetEntryRect(dragSource, row))
        return;
    POINT origin{0, 0};
    ClientToScreen(Handle(), &origin);
    dragOriginX = origin.x;
    if (!dragWindow.Create(kDragExStyle, WS_POPUP, dragOriginX, screen.y - dragOffsetY,
                           row.right - row.left, row.bottom - row.top, Handle(), nullptr))
        return;
    SetWindowOpacity(dragWindow.Handle(), kDragOpacity);
    ShowWindow(dragWindow.Handle(), SW_SHOWNOACTIVATE);
    PaintDragWindow();
}

void CNavPaneWnd::CancelDrag() {
    dragWindow.Destroy();
    dragSource = dropTarget = nullptr;
    dragShown = false;
    ShowDropMarker(RECT{});
}

void CNavPaneWnd::EndDrag() {
    CNavPaneItem* source = dragSource;
    CNavPaneItem* target = dropTarget;
    // Rows of a bottom-up pane run against the order of the entries.
    const bool before = dropAbove != IsBottomUp();
    CancelDrag();
    if (!target || target == source)
        return;
    if (parentCallback && parentCallback->OnDrop(target, source, before))
        return;
    MoveEntry(source, target, before);
}

void CNavPaneWnd::MoveEntry(CNavPaneItem* source, CNavPaneItem* target, bool before) {
    CNavPaneItem* parent = source->parent;
    if (!parent || target->parent != parent || parent->children.Count() < 2)
        return;
    std::vector<CNavPaneItem*> order;
    for (CNavPaneItem* entry : parent->children.Items()) {
        if (entry == source)
            continue;
        if (entry == target && before)
            order.push_back(source);
        order.push_back(entry);
        if (entry == target && !before)
            order.push_back(source);
    }
    parent->children.DetachAll();
    for (CNavPaneItem* entry : order)
        parent->children.Add(entry);
    PlaceAttachedWindows();
}
