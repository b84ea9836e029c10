#pragma once

#include "effects/engine/IDesktop.h"
#include "graphics/GdiOwners_win.h"
#include "ui/CEmbraDrawWnd.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>

class CBmp;

// One monitor's overlay window with its presentation resources: a memory device context
// holding a 32-bit DIB section of the overlay's size (the presentation surface) and the
// screen's device context, all held from Create to Destroy. The surface shows the band's
// columns from canvasLeft on. A window destroyed by anything but Destroy is presented to no
// more, and onLost says so; the presentation resources stay until Destroy. The main thread
// creates, shows, moves and destroys it, creating and destroying it only while no worker
// runs; worker 0 copies, presents and resizes the surface between frames.
class COverlaySurface {
public:
    COverlaySurface();
    ~COverlaySurface();
    COverlaySurface(const COverlaySurface&) = delete;
    COverlaySurface& operator=(const COverlaySurface&) = delete;

    // Called on the main thread as the window is destroyed by anything but Destroy.
    std::function<void()> onLost;

    HWND Window() const { return window.Handle(); }
    // Creates the window hidden at `rect` with a surface of its size; replaces one before.
    bool Create(const DesktopRect& rect, int32_t bandLeft);
    void Show();
    void Hide();
    void Destroy();
    bool Rect(DesktopRect* rect);
    void Move(int32_t x, int32_t y);
    // Directly behind `taskbar` in the Z order.
    void PutBehind(HWND taskbar);
    // Puts the window under every other window, just above the desktop, for good, or over
    // all windows again (topmost, wherever the caller then puts it among them); a window
    // created later takes the same place.
    void SetUnder(bool under);
    // Just above the desktop again.
    void PutUnder();
    // A surface `width` columns wide in place of the one before (the height stays); the
    // window takes the width at the next Present, which is whole. False, and no surface
    // until one can be made, when there is no window or no DIB section of that size.
    bool Resize(int32_t width);
    // Copies the dirty rows' dirty columns of its slice straight into the DIB section.
    void CopyBand(const CBmp& band, const DesktopRect& dirty);
    // UpdateLayeredWindowIndirect with the dirty rectangle; nothing for an empty one.
    bool Present(int32_t x, int32_t y, const DesktopRect& dirty);

private:
    void DisableTransitions();
    void OnDestroyed();

    CEmbraDrawWnd window;
    CMemoryDc memoryDc;
    CGdiBitmap bandBitmap;
    CSelection bandSelection;
    uint8_t* surfacePixels = nullptr; // the DIB section's top-down rows
    DesktopSize surfaceSize;
    int32_t canvasLeft = 0; // the band's column the surface's first column shows
    CScreenDc screenDc;
    // The window worker 0 presents to: the overlay from its set-up to its destruction.
    std::atomic<HWND> presentedWindow{nullptr};
    bool destroying = false; // inside Destroy
    bool under = false;      // the window lies under every other window
    // Set where the surface or the screen may not hold the last presented slice; worker 0
    // then copies and shows the whole slice once.
    std::atomic<bool> presentWhole{true};
    POINT lastDestination{0, 0}; // worker 0's last shown point
};
