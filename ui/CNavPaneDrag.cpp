#include "ui/CNavPaneDrag.h"

#include "graphics/GdiOwners_win.h"
#include "ui/CNavPaneWnd.h"
#include "ui/WindowHelpers.h"

namespace {

// A layered, mouse-transparent tool pop-up that never takes the focus.
constexpr DWORD kWindowExStyle =
    WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST;

} // namespace

void CNavPaneDrag::Arm(CNavPaneItem* pressed, int grab) {
    Cancel();
    source = target = pressed;
    grabY = grab;
}

void CNavPaneDrag::Over(POINT point, CNavPaneItem* over, const RECT& area) {
    target = over;
    if (!over || over == source) {
        ShowMarker(RECT{});
        return;
    }
    dragging = true;
    above = point.y < (area.top + area.bottom) / 2;
    RECT shown = area;
    if (above)
        shown.bottom = area.top + kMarkerHeight;
    else
        shown.top = area.bottom - kMarkerHeight;
    ShowMarker(shown);
    ShowWindowAt(point);
}

CNavPaneDrag::Drop CNavPaneDrag::Release() {
    Drop drop;
    drop.wasDrag = source && dragging;
    if (drop.wasDrag && target != source) {
        drop.source = source;
        drop.target = target;
        // Rows of a bottom-up pane run against the order of the entries.
        drop.before = above != pane.IsBottomUp();
    }
    Cancel();
    return drop;
}

void CNavPaneDrag::Cancel() {
    window.Destroy();
    source = target = nullptr;
    dragging = false;
    ShowMarker(RECT{});
}

void CNavPaneDrag::Forget(const CNavPaneItem* entry) {
    if (entry == source)
        Cancel();
    else if (entry == target)
        target = nullptr;
}

void CNavPaneDrag::InvertMarker(HDC dc) const {
    if (!IsRectEmpty(&marker))
        InvertRect(dc, &marker);
}

void CNavPaneDrag::ShowMarker(const RECT& shown) {
    if (EqualRect(&shown, &marker))
        return;
    if (!pane.Handle()) {
        marker = shown;
        return;
    }
    CWindowDc dc(pane.Handle());
    InvertMarker(dc.Get());
    marker = shown;
    InvertMarker(dc.Get());
}

void CNavPaneDrag::ShowWindowAt(POINT point) {
    POINT screen = point;
    ClientToScreen(pane.Handle(), &screen);
    if (window.IsCreated()) {
        SetWindowPos(window.Handle(), nullptr, originX, screen.y - grabY, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    RECT row{};
    if (!pane.GetEntryRect(source, row))
        return;
    POINT origin{0, 0};
    ClientToScreen(pane.Handle(), &origin);
    originX = origin.x;
    if (!window.Create(kWindowExStyle, WS_POPUP, originX, screen.y - grabY, row.right - row.left,
                       row.bottom - row.top, pane.Handle(), nullptr))
        return;
    SetWindowOpacity(window.Handle(), kWindowOpacity);
    ShowWindow(window.Handle(), SW_SHOWNOACTIVATE);
    PaintWindow();
}

void CNavPaneDrag::PaintWindow() {
    RECT row{};
    if (!window.Handle() || !source || !pane.GetEntryRect(source, row))
        return;
    UpdateWindow(window.Handle());
    CWindowDc dc(window.Handle());
    if (!dc.Get())
        return;
    OffsetRect(&row, -row.left, -row.top);
    pane.PaintRow(dc.Get(), source, row);
}
