#include "ui/CNavPaneWnd.h"

#include "graphics/GdiOwners_win.h"
#include "ui/DrawContext.h"

int CNavPaneWnd::OnPaint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(Handle(), &paint);
    if (dc)
        PaintTo(dc);
    EndPaint(Handle(), &paint);
    return 0;
}

void CNavPaneWnd::PaintTo(HDC target) {
    const RECT client = ClientRect();
    DrawContext memory;
    if (IsRectEmpty(&client) || !memory.CreateMemory(target, client))
        return;
    HDC dc = memory.Get();
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    CSelection fontSelection;
    if (HFONT current = CurrentFont())
        static_cast<void>(fontSelection.Select(dc, current)); // else the context's font
    SetBkMode(dc, TRANSPARENT);
    RECT cursor = LayoutStart();
    root.Draw(dc, client, cursor, 0);
    fontSelection.Reset();
    memory.BlitTo(target);
    // The drop marker is drawn by inverting; keep it over what was just painted.
    InvertDropMarker(target);
}

void CNavPaneWnd::InvertDropMarker(HDC dc) const {
    if (!IsRectEmpty(&dropMarker))
        InvertRect(dc, &dropMarker);
}

void CNavPaneWnd::PaintDragWindow() {
    RECT row{};
    HWND window = dragWindow.Handle();
    if (!window || !dragSource || !GetEntryRect(dragSource, row))
        return;
    UpdateWindow(window);
    CWindowDc dc(window);
    if (!dc.Get())
        return;
    CSelection fontSelection;
    if (HFONT current = CurrentFont())
        static_cast<void>(fontSelection.Select(dc.Get(), current)); // else the context's font
    SetBkMode(dc.Get(), TRANSPARENT);
    OffsetRect(&row, -row.left, -row.top);
    dragSource->DrawRow(dc.Get(), row);
}
