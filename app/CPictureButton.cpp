#include "app/CPictureButton.h"

#include "graphics/GdiOwners_win.h"

namespace {

constexpr int kNormal = 0;
constexpr int kHot = 1;
constexpr int kPressed = 2;

bool registered = false;

} // namespace

bool* CPictureButton::GetRegisteredFlag() {
    return &registered;
}

LRESULT CPictureButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND)
        return 1; // the paint covers every pixel
    if (message == WM_GETDLGCODE)
        return DLGC_BUTTON;
    return CWnd::WindowProc(message, wParam, lParam);
}

int CPictureButton::OnPaint() {
    PAINTSTRUCT paint{};
    HDC target = BeginPaint(Handle(), &paint);
    RECT client{};
    GetClientRect(Handle(), &client);
    CMemoryDc memory;
    CGdiBitmap bitmap;
    CSelection selection;
    if (memory.Create(target) && bitmap.CreateCompatible(target, client.right, client.bottom) &&
        selection.Select(memory.Get(), bitmap.Get())) {
        FillRect(memory.Get(), &client, GetSysColorBrush(COLOR_3DFACE));
        const int stack = CurrentStack();
        if (image.StackHasLayers(stack))
            image.DrawStack(memory.Get(), 0, 0, stack);
        else
            image.DrawTo(memory.Get(), 0, 0);
        BitBlt(target, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
    }
    selection.Reset();
    EndPaint(Handle(), &paint);
    return 0;
}

int CPictureButton::OnMouseMove(UINT keys, int x, int y) {
    (void)keys;
    (void)x;
    (void)y;
    if (!hot) {
        hot = true;
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Handle(), 0};
        TrackMouseEvent(&track);
        InvalidateRect(Handle(), nullptr, FALSE);
    }
    return 0;
}

int CPictureButton::OnLButtonDown(UINT keys, int x, int y) {
    (void)keys;
    (void)x;
    (void)y;
    SetCapture(Handle());
    pressed = true;
    InvalidateRect(Handle(), nullptr, FALSE);
    return 0;
}

int CPictureButton::OnLButtonUp(UINT keys, int x, int y) {
    (void)keys;
    if (GetCapture() == Handle())
        ReleaseCapture();
    const bool wasPressed = pressed;
    pressed = false;
    RECT client{};
    GetClientRect(Handle(), &client);
    const POINT point{x, y};
    if (wasPressed && PtInRect(&client, point))
        PostMessageA(GetParent(Handle()), WM_COMMAND, static_cast<WPARAM>(GetDlgCtrlID(Handle())),
                     0);
    InvalidateRect(Handle(), nullptr, FALSE);
    return 0;
}

void CPictureButton::OnMouseLeave() {
    hot = false;
    InvalidateRect(Handle(), nullptr, FALSE);
}

CBmp* CPictureButton::LoadImage(HINSTANCE module, int bitmapId) {
    image.Free();
    image.LoadBitmapResource(module, bitmapId);
    return &image;
}

int CPictureButton::CurrentStack() const {
    if (pressed && hot && image.StackHasLayers(kPressed))
        return kPressed;
    if (hot && image.StackHasLayers(kHot))
        return kHot;
    return kNormal;
}
