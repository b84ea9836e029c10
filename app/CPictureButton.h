#pragma once

#include "graphics/CBmp.h"
#include "ui/CWnd.h"

#include <windows.h>

// The big picture button of the main dialog, window class "DX_ButtonWnd": draws stack 0
// of its picture normally, stack 1 while the pointer is over it and stack 2 while it is
// pressed there, over the dialog's face colour, and sends its parent its command when
// released inside. The owner builds the stacks (see ButtonFace.h).
class CPictureButton : public CWnd {
public:
    CPictureButton() = default;
    ~CPictureButton() override = default;

    bool* GetRegisteredFlag() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnPaint() override;
    int OnMouseMove(UINT keys, int x, int y) override;
    int OnLButtonDown(UINT keys, int x, int y) override;
    int OnLButtonUp(UINT keys, int x, int y) override;
    void OnMouseLeave() override;
    const char* GetClassName() override { return "DX_ButtonWnd"; }

    // Releases the previous picture, loads bitmap resource `bitmapId` of `module` and
    // returns the picture, to which the owner adds the stacks.
    CBmp* LoadImage(HINSTANCE module, int bitmapId);
    void ReleaseImage() { image.Free(); }
    // The stack drawn now: 0 normal, 1 hot, 2 pressed.
    int CurrentStack() const;

private:
    CBmp image;
    bool hot = false;
    bool pressed = false;
};
