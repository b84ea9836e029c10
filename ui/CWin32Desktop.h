#pragma once

#include "effects/engine/IDesktop.h"
#include "graphics/GdiOwners_win.h"
#include "ui/CEmbraDrawWnd.h"

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <functional>
#include <vector>

// The real desktop: the primary screen as the one monitor, the taskbar windows of class
// "Shell_TrayWnd", one overlay window (index 0; other indexes have none) with its
// presentation resources (a memory device context holding a
// 32-bit DIB section of the overlay's size, the presentation surface, and the screen's
// device context, all held from CreateOverlay to DestroyOverlay) and the bitmap resources of
// `module`. An overlay destroyed by anything but DestroyOverlay is presented to no more, and
// onOverlayLost says so; the presentation resources stay until DestroyOverlay.
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

    std::vector<MonitorArea> Monitors() override;
    uint32_t TickCount() override;
    bool CreateOverlay(std::size_t index, const DesktopRect& rect, int32_t bandLeft) override;
    void ShowOverlay(std::size_t index) override;
    void HideOverlay(std::size_t index) override;
    void DestroyOverlays() override;
    bool OverlayRect(std::size_t index, DesktopRect* rect) override;
    void MoveOverlay(std::size_t index, int32_t x, int32_t y) override;
    void PutOverlayBehindTaskbar(std::size_t index) override;
    // Copies the dirty rows' dirty columns straight into the DIB section's pixels.
    void CopyBand(std::size_t index, const CBmp& band, const DesktopRect& dirty) override;
    // UpdateLayeredWindowIndirect with the dirty rectangle; nothing for an empty one.
    bool Present(std::size_t index, int32_t x, int32_t y, const DesktopRect& dirty) override;
    // Overlay 0's rectangle and its place behind the taskbar, for the application.
    bool OverlayRect(DesktopRect* rect) { return OverlayRect(0, rect); }
    void PutOverlayBehindTaskbar() { PutOverlayBehindTaskbar(0); }
    // Waits for a message sent to this thread or the time, whichever comes first, and
    // answers the sent messages; posted ones stay queued for the message loop.
    void PauseWhileStopping(int32_t milliseconds) override;
    bool LoadBitmapResource(int number, CBmp* bitmap) override;

private:
    // The first visible taskbar window, following the chain of windows of its class;
    // `exists` tells whether there is any.
    static HWND FindVisibleTaskbar(bool* exists);
    static TaskbarState FindTaskbar(DesktopRect* rect);
    void DestroyOverlay();
    void DisableTransitions();
    void OnOverlayDestroyed();

    HINSTANCE module;
    CEmbraDrawWnd overlay;
    CMemoryDc memoryDc;
    CGdiBitmap bandBitmap;
    CSelection bandSelection;
    uint8_t* surfacePixels = nullptr; // the DIB section's top-down rows
    DesktopSize surfaceSize;
    int32_t canvasLeft = 0; // the band's column the surface's first column shows
    CScreenDc screenDc;
    // The window worker 0 presents to: the overlay from its set-up to its destruction.
    std::atomic<HWND> presentedWindow{nullptr};
    bool destroying = false; // inside DestroyOverlay
    // Set where the surface or the screen may not hold the last presented band; worker 0
    // then copies and shows the whole band once.
    std::atomic<bool> presentWhole{true};
    POINT lastDestination{0, 0}; // worker 0's last shown point
};
