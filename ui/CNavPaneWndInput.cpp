#include "ui/CNavPaneWnd.h"

#include "ui/CNavPaneWndParent.h"
#include "ui/MessageCrackers.h"

#include <algorithm>

namespace {

bool ShiftDown() {
    return GetKeyState(VK_SHIFT) < 0;
}

} // namespace

int CNavPaneWnd::OnMouseMove(UINT keys, int x, int y) {
    RequestLeaveNotification();
    const POINT point{x, y};
    // A drag whose button went up unseen (the capture was taken away) ends here.
    if (drag.IsActive() && !(keys & MK_LBUTTON))
        drag.Cancel();
    if (drag.IsActive()) {
        RECT cursor = LayoutStart();
        RECT area{};
        currentEntry = root.EntryAt(cursor, point, area);
        drag.Over(point, currentEntry, area);
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
    drag.Cancel();
    RECT row{};
    if (!PressAt(keys, point) && GetEntryRect(currentEntry, row))
        drag.Arm(currentEntry, y - row.top);
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
    // The drag ends before the capture goes, whose loss would cancel it.
    const CNavPaneDrag::Drop drop = drag.Release();
    if (GetCapture() == Handle())
        ReleaseCapture();
    const POINT point{x, y};
    // A drag that reached another entry ends as a drop, even back on its own entry.
    if (drop.wasDrag) {
        if (drop.target)
            DropEntry(drop.source, drop.target, drop.before);
        Invalidate();
        NotifyMouse(WM_LBUTTONUP, point);
        return 0;
    }
    const bool shift = multipleSelection && (keys & MK_SHIFT);
    const bool ctrl = multipleSelection && (keys & MK_CONTROL);
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
    if (!drag.IsActive()) {
        RECT cursor = LayoutStart();
        root.HitMouseMove(ClientRect(), cursor, 0, point);
    }
    if (hotEntry)
        repaintNeeded = true;
    hotEntry = nullptr;
    SetHotTool(nullptr);
    RepaintIfNeeded();
}

void CNavPaneWnd::OnKeyDown(UINT key, UINT low, UINT high) {
    if (parentCallback && parentCallback->OnKey(WM_KEYDOWN, key, KeyDataOf(low, high)))
        return;
    if (key == VK_UP || key == VK_DOWN)
        MoveFocus((key == VK_DOWN) != IsBottomUp());
}

void CNavPaneWnd::EntryUnderPointer(UINT message, POINT point, CNavPaneItem* entry) {
    currentEntry = entry;
    if (parentCallback)
        parentCallback->OnMouseOverEntry(message, point, entry);
}

void CNavPaneWnd::PressTool(CNavPaneItemTool* tool) {
    pressedTool = tool;
    tool->Set(CNavPaneItemTool::kPressed, true);
    repaintNeeded = true;
}

bool CNavPaneWnd::LetGoOfTool(const CNavPaneItemTool* tool) {
    if (tool != pressedTool)
        return false;
    pressedTool = nullptr;
    repaintNeeded = true;
    return true;
}

void CNavPaneWnd::HoverTool(CNavPaneItemTool* tool) {
    // While a tool is held, no other one lights up.
    if (!pressedTool || pressedTool == tool)
        SetHotTool(tool->Has(CNavPaneItemTool::kDisabled) ? nullptr : tool);
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

void CNavPaneWnd::Select(CNavPaneItem* entry, bool flag) {
    if (!entry)
        return;
    entry->selected = flag ? 1 : 0;
    if (flag)
        selection.Add(entry);
    else
        selection.Detach(entry);
    if (parentCallback)
        parentCallback->OnEntryChanged(entry, 0);
    Invalidate();
}

void CNavPaneWnd::ClearSelection() {
    for (CNavPaneItem* entry : selection.Items())
        entry->selected = 0;
    selection.DetachAll();
    Invalidate();
}

void CNavPaneWnd::SetFocusEntry(CNavPaneItem* entry) {
    focus = entry;
    Invalidate();
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

void CNavPaneWnd::MoveFocus(bool down) {
    CNavPaneItem* next = FirstEntry();
    if (focus && down)
        next = focus->NextSibling() ? focus->NextSibling() : focus->FirstSibling();
    else if (focus)
        next = focus->PreviousSibling() ? focus->PreviousSibling() : focus->LastSibling();
    if (!next)
        return;
    focus = next;
    if (selectOnClick) {
        if (!(ShiftDown() && multipleSelection))
            ClearSelection();
        Select(next, true);
    }
    if (!IsBottomUp())
        EnsureVisible(next);
    Invalidate();
}

void CNavPaneWnd::ForgetEntry(CNavPaneItem* entry) {
    for (CNavPaneItem** held : {&focus, &hotEntry, &anchor, &currentEntry})
        if (*held == entry)
            *held = nullptr;
    drag.Forget(entry);
    selection.Detach(entry);
    ForgetTools(entry);
}

void CNavPaneWnd::ForgetTools(const CNavPaneItem* entry) {
    for (const auto* tools : {&entry->leftTools, &entry->rightTools})
        for (CNavPaneItemTool* tool : tools->Items())
            ForgetTool(tool);
}

void CNavPaneWnd::ForgetTool(const CNavPaneItemTool* tool) {
    if (hotTool == tool)
        hotTool = nullptr;
    if (pressedTool == tool)
        pressedTool = nullptr;
}
