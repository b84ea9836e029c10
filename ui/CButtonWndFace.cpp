#include "ui/CButtonWnd.h"

#include "graphics/ButtonFace.h"
#include "graphics/FacePlacement.h"
#include "ui/ScaledStack.h"
#include "ui/WindowDpi.h"

namespace {

// The layers that stream toward the pointer: (stack, layer).
constexpr int kRolledLayers[][2] = {{kHotFace, 2}, {kNormalFace, 0}, {kPressedFace, 2}};

bool LeftButtonDown() {
    return GetKeyState(VK_LBUTTON) < 0; // the high bit: held down
}

// The focus cue: a dotted outline just inside the picture's square, where the artwork's
// shadow ends, so that it frames the face whatever its shape.
void DrawFocusCue(HDC dc, const FaceRect& face) {
    RECT around{face.x, face.y, face.x + face.width, face.y + face.height};
    InflateRect(&around, -1, -1);
    DrawFocusRect(dc, &around);
}

} // namespace

int CButtonWnd::DrawFace(HDC dc, const RECT& client, POINT cursor) {
    // The focus shows unless the window hides focus cues (until the keyboard is used, where
    // the system does that).
    const bool focused =
        GetFocus() == Handle() && !(SendMessageA(Handle(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
    int stack = kNormalFace;
    if (keyPressed && image.StackHasLayers(kPressedFace)) {
        stack = kPressedFace;
    } else if (PtInRect(&client, cursor) && image.StackHasLayers(kHotFace)) {
        stack = LeftButtonDown() && image.StackHasLayers(kPressedFace) ? kPressedFace : kHotFace;
    } else if (focused && image.StackHasLayers(kHotFace)) {
        stack = kHotFace;
    } else if (!image.StackHasLayers(kNormalFace)) {
        image.DrawTo(dc, 0, 0);
        return 0;
    }
    const FaceRect face = Face();
    if (face.x == 0 && face.y == 0 && face.width == image.width && face.height == image.height)
        image.DrawStack(dc, 0, 0, stack);
    else
        DrawStackScaled(dc, image, stack,
                        RECT{face.x, face.y, face.x + face.width, face.y + face.height});
    if (focused)
        DrawFocusCue(dc, face);
    return 0;
}

FaceRect CButtonWnd::Face() const {
    const RECT client = Client();
    return PlaceFace(client.right - client.left, client.bottom - client.top, image.width,
                     image.height, dpi > 0 ? dpi : WindowDpi(Handle()));
}

void CButtonWnd::SetDpi(int newDpi) {
    dpi = newDpi;
    RepaintParentArea();
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
