#include "ui/DrawContext.h"

bool DrawContext::FromWindow(HWND source) {
    Release();
    windowDc.Reset(GetDC(source), CReleaseDc{source});
    return static_cast<bool>(windowDc);
}

bool DrawContext::CreateMemory(HDC compatibleWith, const RECT& rect) {
    if (!CreateCompatible(compatibleWith))
        return false;
    if (!bitmap.CreateCompatible(compatibleWith, rect.right - rect.left, rect.bottom - rect.top)) {
        Release();
        return false;
    }
    if (!selection.Select(memoryDc.Get(), bitmap.Get())) {
        Release();
        return false;
    }
    target = rect;
    hasTarget = true;
    return true;
}

bool DrawContext::CreateMemory(HDC compatibleWith, int width, int height) {
    return CreateMemory(compatibleWith, RECT{0, 0, width, height});
}

bool DrawContext::CreateCompatible(HDC compatibleWith) {
    Release();
    return memoryDc.Create(compatibleWith);
}

void DrawContext::BlitTo(HDC to) const {
    if (!hasTarget || !Get())
        return;
    BitBlt(to, target.left, target.top, target.right - target.left, target.bottom - target.top,
           Get(), 0, 0, SRCCOPY);
}

void DrawContext::Release() {
    selection.Reset();
    memoryDc.Reset();
    windowDc.Reset();
    bitmap.Reset();
    target = RECT{};
    hasTarget = false;
}
