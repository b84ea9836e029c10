#include "ui/CDragWnd.h"

#include <cstdlib>

CDragWnd::~CDragWnd() = default;

bool* CDragWnd::GetRegisteredFlag() {
    return &registered;
}

LRESULT CDragWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return CWnd::WindowProc(message, wParam, lParam);
}

const char* CDragWnd::GetClassName() {
    return kClassName;
}

void CDragWnd::SetDragStart(POINT point) {
    dragStart = point;
}

int CDragWnd::ResetDrag() {
    dragStart = {};
    dragStarted = 0;
    return 0;
}

int CDragWnd::IsDragging(POINT point) {
    if (dragStarted)
        return dragStarted;
    const int width = GetSystemMetrics(SM_CXDRAG);
    const int height = GetSystemMetrics(SM_CYDRAG);
    if (std::abs(point.x - dragStart.x) <= width && std::abs(point.y - dragStart.y) <= height)
        return 0;
    dragStarted = 1;
    return 1;
}
