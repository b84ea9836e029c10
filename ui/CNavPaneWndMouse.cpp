#include "ui/CNavPaneWnd.h"

#include "ui/CNavPaneWndParent.h"

int CNavPaneWnd::OnMouseMove(UINT keys, int x, int y) {
    RequestLeaveNotification();
    const POINT point{x, y};
    // A drag whose button went up unseen (the capture was taken away) ends here.
    if (dragSource && !(keys & MK_LBUTTON))
        CancelDrag();
    if (dragSource) {
        DragOver(point);
    } else {
        CNavPaneItem* oldEntry = hotEntry;
        currentEntry = nullptr;
        RECT cursor = LayoutStart();
        if (!root.HitMouseMove(ClientRect(), cursor, keys, point))
            SetHotTool(nullptr);
        hotEntry = currentEntry;
        if (hotEntry != oldEntry)
            repaintNeeded = true;
        RepaintIfNeeded();
    }
    NotifyMouse(WM_MOUSEMOVE, point);
    return 0;
}

int CNavPaneWnd::OnLButtonDown(UINT keys, int x, int y) {
    SetCapture(Handle());
    const POINT point{x, y};
    dragShown = false;
    RECT row{};
    if (!PressAt(keys, point) && GetEntryRect(currentEntry, row)) {
        dragSource = dropTarget = currentEntry;
        dragOffsetY = y - row.top;
    }
    RepaintIfNeeded();
    NotifyMouse(WM_LBUTTONDOWN, point);
    return 0;
}

bool CNavPaneWnd::PressAt(UINT keys, POINT point) {
    currentEntry = nullptr;
    RECT cursor = LayoutStart();
    return root.HitLButtonDown(ClientRect(), cursor, keys, point) != 0;
}

int CNavPaneWnd::OnLButtonUp(UINT keys, int x, int y) {
    if (GetCapture() == Handle())
        ReleaseCapture();
    const POINT point{x, y};
    const bool shift = multipleSelection && (keys & MK_SHIFT);
    const bool ctrl = multipleSelection && (keys & MK_CONTROL);
    // A drag that reached another entry ends as a drop, even back on its own entry.
    if (dragSource && dragShown) {
        EndDrag();
        Invalidate();
        NotifyMouse(WM_LBUTTONUP, point);
        return 0;
    }
    CancelDrag();
    currentEntry = nullptr;
    RECT cursor = LayoutStart();
    const bool onTool = root.HitLButtonUp(ClientRect(), cursor, keys, point) != 0;
    // A tool's command may run a modal dialog in which the pane's window ends.
    if (!IsCreated())
        return 0;
    // A pressed tool released anywhere else lets go.
    if (pressedTool) {
        pressedTool->Set(CNavPaneItemTool::kPressed, false);
        pressedTool = nullptr;
        repaintNeeded = true;
    }
    if (onTool) {
        RepaintIfNeeded();
        return 0;
    }
    CNavPaneItem* previousFocus = focus;
    if (currentEntry || allowEmptySelection)
        focus = currentEntry;
    SetFocus(Handle());
    if (selectOnClick) {
        ClickEntry(currentEntry, shift, ctrl);
        if (selection.Count() == 0 && !allowEmptySelection && previousFocus)
            Select(previousFocus, true);
    }
    Invalidate();
    NotifyMouse(WM_LBUTTONUP, point);
    return 0;
}

void CNavPaneWnd::ClickEntry(CNavPaneItem* clicked, bool shift, bool ctrl) {
    if (!ctrl)
        ClearSelection();
    if (shift && anchor && clicked && anchor->parent == clicked->parent)
        SelectRange(anchor, clicked);
    if (!shift)
        anchor = clicked;
    if (clicked)
        Select(clicked, ctrl && !shift ? !clicked->selected : true);
}

void CNavPaneWnd::SelectRange(CNavPaneItem* from, CNavPaneItem* to) {
    const auto& siblings = from->parent->children;
    const int a = siblings.IndexOf(from);
    const int b = siblings.IndexOf(to);
    for (int i = std::min(a, b); i <= std::max(a, b); ++i)
        Select(siblings.GetAt(i), true);
}

int CNavPaneWnd::OnRButtonDown(UINT keys, int x, int y) {
    SetCapture(Handle());
    const POINT point{x, y};
    currentEntry = nullptr;
    RECT cursor = LayoutStart();
    root.HitRButtonDown(ClientRect(), cursor, keys, point);
    NotifyMouse(WM_RBUTTONDOWN, point);
    return 0;
}

int CNavPaneWnd::OnRButtonUp(UINT keys, int x, int y) {
    if (GetCapture() == Handle())
        ReleaseCapture();
    const POINT point{x, y};
    currentEntry = nullptr;
    RECT cursor = LayoutStart();
    root.HitRButtonUp(ClientRect(), cursor, keys, point);
    SetFocus(Handle());
    NotifyMouse(WM_RBUTTONUP, point);
    return 0;
}

void CNavPaneWnd::OnLButtonDblClk(UINT keys, int x, int y) {
    const POINT point{x, y};
    RECT cursor = LayoutStart();
    RECT area{};
    currentEntry = root.EntryAt(cursor, point, area);
    if (parentCallback && currentEntry)
        parentCallback->OnMouseOverEntry(WM_LBUTTONDBLCLK, point, currentEntry);
    // The second press of a double click presses a tool as a single click does.
    SetCapture(Handle());
    PressAt(keys, point);
    RepaintIfNeeded();
    NotifyMouse(WM_LBUTTONDBLCLK, point);
}

void CNavPaneWnd::OnPointerLeft() {
    tracking = 0;
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(Handle(), &point);
    if (!dragSource) {
        RECT cursor = LayoutStart();
        root.HitMouseMove(ClientRect(), cursor, 0, point);
    }
    if (hotEntry)
        repaintNeeded = true;
    hotEntry = nullptr;
    SetHotTool(nullptr);
    RepaintIfNeeded();
}

void CNavPaneWnd::SetHotTool(CNavPaneItemTool* tool) {
    if (hotTool == tool)
        return;
    if (hotTool)
        hotTool->Set(CNavPaneItemTool::kHot, false);
    hotTool = tool;
    if (hotTool)
        hotTool->Set(CNavPaneItemTool::kHot, true);
    repaintNeeded = true;
}

void CNavPaneWnd::RequestLeaveNotification() {
    if (tracking)
        return;
    TRACKMOUSEEVENT request{sizeof request, TME_LEAVE, Handle(), 0};
    if (TrackMouseEvent(&request))
        tracking = 1;
}

void CNavPaneWnd::NotifyMouse(UINT message, POINT point) {
    if (parentCallback)
        parentCallback->OnMouse(message, point, currentEntry);
}

void CNavPaneWnd::RepaintIfNeeded() {
    if (!repaintNeeded)
        return;
    repaintNeeded = false;
    Invalidate();
}
