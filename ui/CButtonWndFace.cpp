#include "ui/CButtonWnd.h"

#include <algorithm>

namespace {

constexpr int kNormal = 0;
constexpr int kHot = 1;
constexpr int kPressed = 2;

// The layers that stream toward the pointer: (stack, layer).
constexpr int kRolledLayers[][2] = {{kHot, 2}, {kNormal, 0}, {kPressed, 2}};

bool LeftButtonDown() {
    return (GetKeyState(VK_LBUTTON) & 0x8000) != 0;
}

// The focus cue: a dotted outline just inside the picture's square, where the artwork's
// shadow ends, so that it frames the face whatever its shape.
void DrawFocusCue(HDC dc, const RECT& client, int width, int height) {
    RECT around{0, 0, std::min<int>(width, client.right), std::min<int>(height, client.bottom)};
    InflateRect(&around, -1, -1);
    DrawFocusRect(dc, &around);
}

} // namespace

int CButtonWnd::DrawFace(HDC dc, const RECT& client, POINT cursor) {
    const bool focused = GetFocus() == Handle();
    int stack = kNormal;
    if (keyPressed && image.StackHasLayers(kPressed)) {
        stack = kPressed;
    } else if (PtInRect(&client, cursor) && image.StackHasLayers(kHot)) {
        stack = LeftButtonDown() && image.StackHasLayers(kPressed) ? kPressed : kHot;
    } else if (focused && image.StackHasLayers(kHot)) {
        stack = kHot;
    } else if (!image.StackHasLayers(kNormal)) {
        image.DrawTo(dc, 0, 0);
        return 0;
    }
    image.DrawStack(dc, 0, 0, stack);
    if (focused)
        DrawFocusCue(dc, client, image.width, image.height);
    return 0;
}

int CButtonWnd::OnPress(const RECT&, POINT) {
    return 0;
}

int CButtonWnd::OnRelease(const RECT& client, POINT point) {
    if (!PtInRect(&client, point))
        return 0;
    Click(GetDlgCtrlID(Handle()));
    PostPaint(nullptr);
    return 0;
}

int CButtonWnd::OnHover(const RECT&, POINT) {
    return 0;
}

int CButtonWnd::Click(int id) {
    // Without a parent the message would land in the thread's queue as a stray command.
    const HWND parent = GetParent(Handle());
    if (parent)
        PostMessageA(parent, WM_COMMAND, static_cast<WPARAM>(id), 0);
    return 0;
}

CBmp& CButtonWnd::LoadImage(HMODULE module, int bitmapId) {
    ReleaseImage();
    image.LoadBitmapResource(module, bitmapId);
    return image;
}

void CButtonWnd::ReleaseImage() {
    image.Free();
}

void CButtonWnd::RollTowardPointer() {
    for (const auto& place : kRolledLayers) {
        const CCollector<CBmp*>* stack = image.animations.GetAt(place[0]);
        CBmp* layer = stack ? stack->GetAt(place[1]) : nullptr;
        if (layer)
            layer->Roll(stepX, stepY);
    }
    if (snapshot)
        SendMessageA(Handle(), WM_PAINT, reinterpret_cast<WPARAM>(snapshot->Get()), 0);
}
