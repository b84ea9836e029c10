#pragma once

#include "effects/engine/IDesktop.h"
#include "ui/COverlaySurface.h"

#include <windows.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

// The real desktop: the monitors with their taskbar windows ("Shell_TrayWnd" and
// "Shell_SecondaryTrayWnd"), one overlay window per monitor index with its own
// presentation resources (COverlaySurface) and the bitmap resources of `module`. An
// overlay destroyed by anything but DestroyOverlays is presented to no more, and
// onOverlayLost says so; its presentation resources stay until DestroyOverlays.
class CWin32Desktop : public IDesktop {
public:
    // `module` null: the program's own module.
    explicit CWin32Desktop(HINSTANCE module = nullptr);
    ~CWin32Desktop() override;

    // Overlay `index`'s window; null when there is none.
    HWND OverlayWindow(std::size_t index = 0) const;
    // How many overlays the last start created (some may have been lost since).
    std::size_t OverlayCount() const { return overlays.size(); }

    // Called on the main thread as an overlay is destroyed by anything but
    // DestroyOverlays (a program's DestroyWindow, the end of its thread); the effect
    // should stop. Must not stop it there and then: the window is being destroyed.
    std::function<void()> onOverlayLost;
    // Whether every monitor gets a band ("EveryMonitor"); unset: every one. Otherwise only
    // the primary does.
    std::function<bool()> everyMonitor;
    // Where the monitors come from; unset: the system's own. Tests hand in a layout.
    std::function<std::vector<MonitorArea>()> monitorSource;
    // Whether the overlays are hidden from screen sharing and screenshots
    // ("HideFromCapture"); unset: they are not.
    std::function<bool()> hideFromCapture;

    // Whether the overlays lie under every other window, just above the desktop
    // ("Placement" 1); unset: they lie over all windows, behind the taskbars.
    std::function<bool()> underWindows;

    // Puts every overlay under the other windows or over them again, after underWindows.
    void ApplyPlacement();
    // Hides every overlay from capture, or shows it again, after hideFromCapture.
    void ApplyCaptureExclusion();
    // Whether the system refuses to hide an overlay from capture: as it answered for the
    // last overlay to be hidden, else as it answers for a window made to ask.
    bool CaptureExclusionRefused() const;

    // The monitors, the primary first, after everyMonitor.
    std::vector<MonitorArea> Monitors() override;
    uint32_t TickCount() override;
    bool CreateOverlay(std::size_t index, const DesktopRect& rect, int32_t bandLeft) override;
    void ShowOverlay(std::size_t index) override;
    void HideOverlay(std::size_t index) override;
    void DestroyOverlays() override;
    bool OverlayRect(std::size_t index, DesktopRect* rect) override;
    void MoveOverlay(std::size_t index, int32_t x, int32_t y) override;
    // Behind the visible taskbar window of the overlay's monitor: the one at the taskbar's
    // rectangle as Monitors read it last, else the first on that monitor. Under windows,
    // just above the desktop instead.
    void PutOverlayBehindTaskbar(std::size_t index) override;
    bool ResizeOverlay(std::size_t index, int32_t width) override;
    void CopyBand(std::size_t index, const CBmp& band, const DesktopRect& dirty) override;
    bool Present(std::size_t index, int32_t x, int32_t y, const DesktopRect& dirty) override;
    // Every overlay behind its taskbar (under windows: just above the desktop).
    void PutOverlaysBehindTaskbars();
    // Waits for a message sent to this thread or the time, whichever comes first, and
    // answers the sent messages; posted ones stay queued for the message loop.
    void PauseWhileStopping(int32_t milliseconds) override;
    bool LoadBitmapResource(int number, CBmp* bitmap) override;

private:
    // The overlay of `index`; null when there is none.
    COverlaySurface* Overlay(std::size_t index) const;
    // The visible taskbar window of monitor `index` as Monitors read it last; null for none.
    HWND TaskbarWindow(std::size_t index) const;
    bool Under() const { return underWindows && underWindows(); }
    // Hides overlay `index` from capture or shows it again, and notes the system's answer.
    void ExcludeOverlayFromCapture(std::size_t index, bool exclude);

    HINSTANCE module;
    std::vector<std::unique_ptr<COverlaySurface>> overlays; // by monitor index
    std::vector<MonitorArea> lastMonitors;                  // as Monitors read them last
    bool captureAsked = false;   // an overlay was to be hidden from capture
    bool captureRefused = false; // the system refused it the last time
};
