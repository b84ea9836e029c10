#pragma once

#include "effects/engine/IDesktop.h"
#include "graphics/GdiOwners_win.h"
#include "ui/CEmbraDrawWnd.h"

#include <windows.h>

// The real desktop: the primary screen, the taskbar windows of class "Shell_TrayWnd",
// the overlay window with its presentation resources (a memory device context holding a
// compatible bitmap of the overlay's size, and the screen's device context, all held
// from CreateOverlay to DestroyOverlay) and the bitmap resources of `module`.
class CWin32Desktop : public IDesktop {
public:
    // `module` null: the program's own module.
    explicit CWin32Desktop(HINSTANCE module = nullptr);
    ~CWin32Desktop() override;

    HWND OverlayWindow() const { return overlay.Handle(); }

    DesktopSize ScreenSize() override;
    uint32_t TickCount() override;
    TaskbarState FindTaskbar(DesktopRect* rect) override;
    bool CreateOverlay(const DesktopRect& rect) override;
    void ShowOverlay() override;
    void DestroyOverlay() override;
    bool OverlayRect(DesktopRect* rect) override;
    void MoveOverlay(int32_t x, int32_t y) override;
    void PutOverlayBehindTaskbar() override;
    void CopyBand(const CBmp& band) override;
    bool Present(int32_t x, int32_t y) override;
    // Waits for a message sent to this thread or the time, whichever comes first, and
    // answers the sent messages; posted ones stay queued for the message loop.
    void PauseWhileStopping(int32_t milliseconds) override;
    bool LoadBitmapResource(int number, CBmp* bitmap) override;

private:
    // The first visible taskbar window, following the chain of windows of its class;
    // `exists` tells whether there is any.
    static HWND FindVisibleTaskbar(bool* exists);
    void DisableTransitions();

    HINSTANCE module;
    CEmbraDrawWnd overlay;
    CMemoryDc memoryDc;
    CGdiBitmap bandBitmap;
    CSelection bandSelection;
    CScreenDc screenDc;
};
