#pragma once

#include "effects/engine/IDesktop.h"
#include "graphics/GdiOwners_win.h"
#include "ui/CEmbraDrawWnd.h"

#include <windows.h>

#include <atomic>
#include <functional>

// The real desktop: the primary screen, the taskbar windows of class "Shell_TrayWnd",
// the overlay window with its presentation resources (a memory device context holding a
// compatible bitmap of the overlay's size, and the screen's device context, all held
// from CreateOverlay to DestroyOverlay) and the bitmap resources of `module`. An overlay
// destroyed by anything but DestroyOverlay is presented to no more, and onOverlayLost
// says so; the presentation resources stay until DestroyOverlay.
class CWin32Desktop : public IDesktop {
public:
    // `module` null: the program's own module.
    explicit CWin32Desktop(HINSTANCE module = nullptr);
    ~CWin32Desktop() override;

    HWND OverlayWindow() const { return overlay.Handle(); }

    // Called on the main thread as the overlay is destroyed by anything but
    // DestroyOverlay (a program's DestroyWindow, the end of its thread); the effect
    // should stop. Must not stop it there and then: the window is being destroyed.
    std::function<void()> onOverlayLost;

    DesktopSize ScreenSize() override;
    uint32_t TickCount() override;
    TaskbarState FindTaskbar(DesktopRect* rect) override;
    bool CreateOverlay(const DesktopRect& rect) override;
    void ShowOverlay() override;
    void HideOverlay() override;
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
    void OnOverlayDestroyed();

    HINSTANCE module;
    CEmbraDrawWnd overlay;
    CMemoryDc memoryDc;
    CGdiBitmap bandBitmap;
    CSelection bandSelection;
    CScreenDc screenDc;
    // The window worker 0 presents to: the overlay from its set-up to its destruction.
    std::atomic<HWND> presentedWindow{nullptr};
    bool destroying = false; // inside DestroyOverlay
};
