#include "ui/DrawContext.h"

bool DrawContext::FromWindow(HWND source) {
    Release();
    dc = GetDC(source);
    if (!dc)
        return false;
    window = source;
    return true;
}

bool DrawContext::CreateMemory(HDC compatibleWith, const RECT& rect) {
    if (!CreateCompatible(compatibleWith))
        return false;
    bitmap = CreateCompatibleBitmap(compatibleWith, rect.right - rect.left, rect.bottom - rect.top);
    if (!bitmap) {
        Release();
        return false;
    }
    previousBitmap = SelectObject(dc, bitmap);
    ownBitmap = true;
    target = rect;
    hasTarget = true;
    return true;
}

bool DrawContext::CreateMemory(HDC compatibleWith, int width, int height) {
    return CreateMemory(compatibleWith, RECT{0, 0, width, height});
}

bool DrawContext::CreateCompatible(HDC compatibleWith) {
    Release();
    dc = CreateCompatibleDC(compatibleWith);
    created = dc != nullptr;
    return created;
}

void DrawContext::BlitTo(HDC to) const {
    if (!hasTarget || !dc)
        return;
    BitBlt(to, target.left, target.top, target.right - target.left, target.bottom - target.top, dc,
           0, 0, SRCCOPY);
}

void DrawContext::Release() {
    if (ownBitmap && previousBitmap)
        SelectObject(dc, previousBitmap);
    if (created && dc)
        DeleteDC(dc);
    else if (dc)
        ReleaseDC(window, dc);
    if (bitmap)
        DeleteObject(bitmap);
    window = nullptr;
    dc = nullptr;
    bitmap = nullptr;
    previousBitmap = nullptr;
    target = RECT{};
    created = false;
    ownBitmap = false;
    hasTarget = false;
}
