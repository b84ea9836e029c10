#include "ui/CNavPaneWnd.h"

#include <algorithm>

namespace {

constexpr int kPageOverlap = 10;

} // namespace

RECT CNavPaneWnd::ClientRect() const {
    RECT client{};
    if (Handle())
        GetClientRect(Handle(), &client);
    return client;
}

RECT CNavPaneWnd::LayoutStart() const {
    RECT cursor = ClientRect();
    const int clientHeight = cursor.bottom - cursor.top;
    cursor.top -= scrollPosition;
    if (IsBottomUp())
        cursor.bottom = cursor.top + std::max(ContentHeight(), static_cast<int>(clientHeight));
    return cursor;
}

int CNavPaneWnd::MaxScroll() const {
    const RECT client = ClientRect();
    return std::max(0, ContentHeight() - static_cast<int>(client.bottom - client.top));
}

void CNavPaneWnd::UpdateScrollRange() {
    if (updatingRange || !Handle())
        return;
    updatingRange = true;
    const int maximum = MaxScroll();
    scrollPosition = std::clamp(scrollPosition, 0, maximum);
    if (maximum > 0) {
        ShowScrollBar(Handle(), SB_VERT, TRUE);
        SCROLLINFO info{sizeof info, SIF_RANGE | SIF_POS, 0, maximum, 0, scrollPosition, 0};
        SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
    } else {
        ShowScrollBar(Handle(), SB_VERT, FALSE);
    }
    PlaceAttachedWindows();
    Invalidate();
    // The non-client area follows the scroll bar's coming and going.
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    updatingRange = false;
}

void CNavPaneWnd::ScrollTo(int position) {
    const int limited = std::clamp(position, 0, MaxScroll());
    if (limited == scrollPosition || !Handle())
        return;
    scrollPosition = limited;
    SetScrollPos(Handle(), SB_VERT, scrollPosition, TRUE);
    PlaceAttachedWindows();
    Invalidate();
}

void CNavPaneWnd::EnsureVisible(const CNavPaneItem* entry) {
    RECT row{};
    if (!GetEntryRect(entry, row))
        return;
    const RECT client = ClientRect();
    if (row.top < client.top)
        ScrollTo(scrollPosition + row.top - client.top);
    else if (row.bottom > client.bottom)
        ScrollTo(scrollPosition + row.bottom - client.bottom);
}

bool CNavPaneWnd::GetEntryRect(const CNavPaneItem* entry, RECT& row) {
    RECT cursor = LayoutStart();
    return entry && root.RowOf(entry, cursor, row);
}

void CNavPaneWnd::PlaceAttachedWindows() {
    RECT cursor = LayoutStart();
    root.PlaceAttachedWindows(cursor);
}

void CNavPaneWnd::OnVScroll(UINT code, int thumb) {
    const RECT client = ClientRect();
    const int page = client.bottom - client.top - kPageOverlap;
    SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
    switch (code) {
    case SB_LINEUP:
        ScrollTo(scrollPosition - 1);
        break;
    case SB_LINEDOWN:
        ScrollTo(scrollPosition + 1);
        break;
    case SB_PAGEUP:
        ScrollTo(scrollPosition - page);
        break;
    case SB_PAGEDOWN:
        ScrollTo(scrollPosition + page);
        break;
    case SB_THUMBTRACK:
        GetScrollInfo(Handle(), SB_VERT, &info);
        ScrollTo(info.nTrackPos);
        break;
    case SB_THUMBPOSITION:
        ScrollTo(thumb);
        break;
    case SB_TOP:
        ScrollTo(0);
        break;
    case SB_BOTTOM:
        ScrollTo(MaxScroll());
        break;
    default:
        break;
    }
}

void CNavPaneWnd::OnWheel(int delta) {
    // Truncating division: a partial notch does not move.
    ScrollTo(scrollPosition - delta / WHEEL_DELTA * kWheelStep);
}
