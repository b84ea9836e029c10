#pragma once

#include "graphics/CBmp.h"
#include "graphics/FacePlacement.h"
#include "ui/CWnd.h"
#include "ui/DrawContext.h"

#include <windows.h>

#include <cstdint>
#include <memory>

// A picture button ("DX_ButtonWnd"): draws a layered image with per-pixel alpha over what
// lies behind it, showing layer stack 0 (normal), 1 (hot, pointer inside) or 2 (pressed).
// While the pointer is inside, a 50 ms timer rolls three of the layers toward the pointer,
// faster the farther it is from the face's centre. Away from 96 DPI the face is scaled
// (bilinear) to the window's DPI and centred in the control (PlaceFace); it follows the
// DPI its dialog hands it when the window moves to a monitor of another (SetDpi, from
// CDialog's WM_DPICHANGED). Releasing the left button inside posts WM_COMMAND with the
// control's id to the parent.
//
// By keyboard it is a push button: a tab stop, the hot picture and a dotted outline round
// the picture while it has the focus, Space presses it (pressed picture while the key is
// down, the command when it comes up), and while focused it is the dialog's default
// button, so that Enter sends its command. Its window text names it for screen readers.
class CButtonWnd : public CWnd {
public:
    static constexpr const char* kClassName = "DX_ButtonWnd";
    static constexpr UINT_PTR kHoverTimer = 1;
    static constexpr UINT kHoverIntervalMs = 50;
    // Each step is the pointer's distance from the centre / 4, limited to -8..8.
    static constexpr int kStepDivisor = 4;
    static constexpr int kMaxStep = 8;

    CButtonWnd() = default;
    // Releases the picture and the snapshot.
    ~CButtonWnd() override;

    bool* GetRegisteredFlag() override;
    // Paints off-screen over the background, tracks the pointer, presses and clicks; every
    // message then goes through the base dispatcher.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    const char* GetClassName() override;

    // Draws the picture of the current state onto dc; cursor in client coordinates.
    virtual int DrawFace(HDC dc, const RECT& client, POINT cursor);
    // Whether Space holds the button down.
    bool IsKeyPressed() const { return keyPressed; }
    virtual int OnPress(const RECT& client, POINT point);
    // Clicks when the point lies in the client rectangle.
    virtual int OnRelease(const RECT& client, POINT point);
    virtual int OnHover(const RECT& client, POINT point);
    // Posts WM_COMMAND (wParam id, lParam 0) to the parent.
    virtual int Click(int id);

    // Loads bitmap resource `bitmapId` of `module` (null: the program) as the new picture,
    // dropping the old one with its stacks; the owner then adds the stacks "nrm", "hot" and
    // "prs" to the returned image.
    CBmp& LoadImage(HMODULE module, int bitmapId);
    void ReleaseImage();
    CBmp& Image() { return image; }
    // Draws the face for `dpi` from now on (its dialog's WM_DPICHANGED) and repaints it.
    void SetDpi(int newDpi);

    // Registers the window class and its factory, so that template controls of the class
    // get a button object, deleted with their window.
    static bool RegisterFactory();

private:
    // False when the painting guard made the paint return at once.
    bool Paint(HDC given);
    void PaintBackgroundOfParent(const RECT& client);
    void ComposeOnto(HDC windowDc, HDC background, const RECT& client);
    void Hover(POINT point);
    void StartHover(const RECT& client);
    void TakeSnapshot(const RECT& client);
    void RollTowardPointer();
    void Press(POINT point);
    void Release(POINT point);
    void Leave();
    // Invalidates the button's area in the parent (erasing) and posts the parent a paint.
    void RepaintParentArea();
    void RepaintFace();
    void PostPaint(HDC dc);
    RECT Client() const;
    // Where the face is drawn at the window's DPI.
    FaceRect Face() const;
    POINT CursorInClient() const;
    HDC SnapshotDc() const;

    CBmp image;
    std::unique_ptr<DrawContext> snapshot;
    uint32_t tracking = 0;
    uint32_t painting = 0;
    bool keyPressed = false; // Space is down on the focused button
    int32_t stepX = 0;
    int32_t stepY = 0;
    int32_t dpi = 0; // 0: the window's own DPI, asked when drawn

    static bool registered;
};
