#include "ui/CButtonWnd.h"

#include "graphics/FacePlacement.h"

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
void DrawFocusCue(HDC dc, const FaceRect& face) {
    RECT around{face.x, face.y, face.x + face.width, face.y + face.height};
    InflateRect(&around, -1, -1);
    DrawFocusRect(dc, &around);
}

int ScaledBy(int value, int numerator, int denominator) {
    return static_cast<int>((static_cast<long long>(value) * numerator + denominator / 2) /
                            denominator);
}

// Every layer of the stack scaled by the face's size over the picture's, its offset within
// the picture scaled alike, so that the layers keep lying over each other as designed.
void DrawStackScaled(HDC dc, const CBmp& image, int stack, const FaceRect& face) {
    const CCollector<CBmp*>* layers = image.animations.GetAt(stack);
    if (!layers)
        return;
    for (int i = 0; i < layers->Count(); ++i) {
        const CBmp* layer = layers->GetAt(i);
        const int left = face.x + ScaledBy(layer->originX, face.width, image.width);
        const int top = face.y + ScaledBy(layer->originY, face.height, image.height);
        layer->DrawStretched(dc, left - layer->originX, top - layer->originY,
                             ScaledBy(layer->width, face.width, image.width),
                             ScaledBy(layer->height, face.height, image.height), 0, 0);
    }
}

} // namespace

int CButtonWnd::DrawFace(HDC dc, const RECT& client, POINT cursor) {
    // The focus shows unless the window hides focus cues (until the keyboard is used, where
    // the system does that).
    const bool focused =
        GetFocus() == Handle() && !(SendMessageA(Handle(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
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
    const FaceRect face = Face(dc);
    if (face.x == 0 && face.y == 0 && face.width == image.width && face.height == image.height)
        image.DrawStack(dc, 0, 0, stack);
    else
        DrawStackScaled(dc, image, stack, face);
    if (focused)
        DrawFocusCue(dc, face);
    return 0;
}

FaceRect CButtonWnd::Face(HDC dc) const {
    const RECT client = Client();
    return PlaceFace(client.right - client.left, client.bottom - client.top, image.width,
                     image.height, GetDeviceCaps(dc, LOGPIXELSX));
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
