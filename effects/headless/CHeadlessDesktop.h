#pragma once

#include "effects/engine/IDesktop.h"
#include "graphics/CBmp.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>

enum class TaskbarEdge { Bottom, Top, Left, Right };

// A desktop simulated in memory: a screen of any size, a taskbar that the caller places,
// hides or removes, an overlay that is only a rectangle, and a presentation surface whose
// presented contents are kept for inspection. Bitmap resources come from the artwork
// embedded in the program. Safe to use from the main thread and worker 0 at once.
class CHeadlessDesktop : public IDesktop {
public:
    CHeadlessDesktop(int32_t width, int32_t height);

    void SetScreenSize(int32_t width, int32_t height);
    // A visible taskbar `size` pixels thick along one screen edge.
    void SetTaskbar(TaskbarEdge edge, int32_t size);
    // A visible taskbar with any rectangle.
    void SetTaskbarRect(const DesktopRect& rect);
    // Taskbar windows that exist but are all hidden.
    void HideTaskbar();
    // No taskbar window at all.
    void RemoveTaskbar();
    void SetTickCount(uint32_t ticks);

    // Called by Present on the presenting thread with the presented surface and the
    // destination point, after the copy below was taken.
    std::function<void(const CBmp& surface, int32_t x, int32_t y)> onPresent;

    // Inspection.
    bool OverlayExists() const;
    bool OverlayVisible() const;
    bool OverlayBehindTaskbar() const;
    int32_t OverlayCount() const; // overlays created so far
    int32_t PresentCount() const;
    DesktopRect LastDestination() const; // left/top: the point; right/bottom: with the size
    // Copies the surface as last presented into `out`; empty before the first Present.
    void CopyLastPresented(CBmp* out) const;

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
    // Nothing on this desktop waits for the main thread: only sleeps.
    void PauseWhileStopping(int32_t milliseconds) override;
    bool LoadBitmapResource(int number, CBmp* bitmap) override;

private:
    mutable std::mutex lock;
    DesktopSize screen;
    TaskbarState taskbarState = TaskbarState::None;
    DesktopRect taskbar;
    uint32_t tickCount = 0;
    bool overlayExists = false;
    bool overlayVisible = false;
    bool behindTaskbar = false;
    int32_t overlayCount = 0;
    DesktopRect overlay;
    CBmp surface;
    CBmp lastPresented;
    DesktopRect lastDestination;
    std::atomic<int32_t> presentCount{0};
};
