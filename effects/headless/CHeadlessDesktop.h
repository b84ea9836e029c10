#pragma once

#include "effects/engine/IDesktop.h"
#include "effects/engine/TaskbarPlacement.h"
#include "graphics/CBmp.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

// A desktop simulated in memory: monitors of any size and place, a taskbar on each that
// the caller places, hides or removes, overlays that are only rectangles, and one
// presentation surface per overlay whose presented contents are kept for inspection as a
// screen keeps them: only the dirty part of each presentation is taken over. Bitmap
// resources come from the artwork embedded in the program. Safe to use from the main
// thread and worker 0 at once, and it notes what would not be on a real desktop: an
// overlay created, resized or destroyed while a copy to it or a presentation of it is
// under way (on Windows: its surface freed under the thread that writes it). The setters
// and inspectors without a monitor or overlay index mean monitor 0 and overlay 0.
class CHeadlessDesktop : public IDesktop {
public:
    CHeadlessDesktop(int32_t width, int32_t height);

    void SetScreenSize(int32_t width, int32_t height);
    // A visible taskbar `size` pixels thick along one screen edge; TaskbarSide::Unknown
    // changes nothing.
    void SetTaskbar(TaskbarSide edge, int32_t size) { SetTaskbar(0, edge, size); }
    // A visible taskbar with any rectangle.
    void SetTaskbarRect(const DesktopRect& rect) { SetTaskbarRect(0, rect); }
    // Taskbar windows that exist but are all hidden.
    void HideTaskbar() { HideTaskbar(0); }
    // No taskbar window at all.
    void RemoveTaskbar() { RemoveTaskbar(0); }
    void SetTickCount(uint32_t ticks);

    // The monitors, the primary first, at any place on the virtual screen; a monitor that
    // was there keeps its taskbar (in its own corner's terms), a new one has none.
    void SetMonitors(const std::vector<DesktopRect>& screens);
    void SetTaskbar(std::size_t monitor, TaskbarSide edge, int32_t size);
    // An auto-hidden taskbar: only its strip shows along `edge` (Unknown: nothing changes).
    void SetAutoHiddenTaskbar(std::size_t monitor, TaskbarSide edge);
    void SetTaskbarRect(std::size_t monitor, const DesktopRect& rect); // screen pixels
    void HideTaskbar(std::size_t monitor);
    void RemoveTaskbar(std::size_t monitor);

    // Called by Present on the presenting thread with what the overlay shows and the
    // destination point, after it was updated.
    std::function<void(const CBmp& surface, int32_t x, int32_t y)> onPresent;
    // Called by PauseWhileStopping on the stopping thread before it sleeps: what the
    // messages that a real desktop answers meanwhile would do.
    std::function<void()> whileStopping;

    // Inspection.
    bool OverlayExists(std::size_t overlay = 0) const;
    bool OverlayVisible(std::size_t overlay = 0) const;
    bool OverlayBehindTaskbar(std::size_t overlay = 0) const;
    int32_t OverlayCount() const; // overlays created so far
    int32_t LiveOverlays() const; // overlays that exist now
    int32_t PresentCount() const; // presentations to any overlay
    int32_t PresentCount(std::size_t overlay) const;
    // Presentations whose rectangle did not lie wholly on one monitor.
    int32_t OffScreenPresents() const;
    // left/top: the point; right/bottom: with the size
    DesktopRect LastDestination(std::size_t overlay = 0) const;
    // The overlay's first column in the band.
    int32_t CanvasLeft(std::size_t overlay) const;
    // Copies what the overlay shows, the surface's parts as presented, into `out`; empty
    // before the first Present.
    void CopyLastPresented(CBmp* out) const { CopyLastPresented(0, out); }
    void CopyLastPresented(std::size_t overlay, CBmp* out) const;
    // The part of the surface that the last Present showed anew; empty when none.
    DesktopRect LastShownPart(std::size_t overlay = 0) const;
    // Creates, resizes and destroys of an overlay that overlapped a copy to it or a
    // presentation of it (from its start to the end of onPresent), on any overlay.
    int32_t Overlaps() const { return overlaps.load(); }

    std::vector<MonitorArea> Monitors() override;
    uint32_t TickCount() override;
    bool CreateOverlay(std::size_t overlay, const DesktopRect& rect, int32_t canvasLeft) override;
    void ShowOverlay(std::size_t overlay) override;
    void HideOverlay(std::size_t overlay) override;
    void DestroyOverlays() override;
    bool OverlayRect(std::size_t overlay, DesktopRect* rect) override;
    void MoveOverlay(std::size_t overlay, int32_t x, int32_t y) override;
    void PutOverlayBehindTaskbar(std::size_t overlay) override;
    bool ResizeOverlay(std::size_t overlay, int32_t width) override;
    void CopyBand(std::size_t overlay, const CBmp& band, const DesktopRect& dirty) override;
    bool Present(std::size_t overlay, int32_t x, int32_t y, const DesktopRect& dirty) override;
    // Nothing on this desktop waits for the main thread: runs whileStopping, then sleeps.
    void PauseWhileStopping(int32_t milliseconds) override;
    bool LoadBitmapResource(int number, CBmp* bitmap) override;

private:
    struct Overlay {
        bool exists = false;
        bool visible = false;
        bool behindTaskbar = false;
        DesktopRect rect;
        int32_t canvasLeft = 0;
        CBmp surface;
        CBmp lastPresented;
        DesktopRect lastDestination;
        DesktopRect lastShown;
        bool showWhole = true; // the surface or what the overlay shows may be out of date
        int32_t presents = 0;
        // Copies and presentations under way, and creates, resizes and destroys; kept
        // outside `lock`, which would otherwise serialise them out of sight.
        std::atomic<int32_t> uses{0};
        std::atomic<int32_t> changes{0};
    };
    // Marks `mine` as under way for as long as it lives, counting an overlap when
    // `theirs` is under way as it begins. Each side marks before it looks, so of two that
    // overlap at least one sees the other. Null `mine`: marks nothing.
    class CActivity {
    public:
        CActivity(CHeadlessDesktop& desktop, std::atomic<int32_t>* mine,
                  const std::atomic<int32_t>* theirs);
        ~CActivity();
        CActivity(const CActivity&) = delete;
        CActivity& operator=(const CActivity&) = delete;

    private:
        std::atomic<int32_t>* mine;
    };

    // The record of overlay `index`, existing or not, made when `make`; null when there is
    // none. Records are never freed, so a pointer stays valid outside `lock`.
    Overlay* Record(std::size_t index, bool make);
    // Under `lock`: the overlay, or null when there is none of that index.
    Overlay* Find(std::size_t overlay);
    const Overlay* Find(std::size_t overlay) const;
    bool OnOneMonitor(const DesktopRect& rect) const; // under `lock`

    mutable std::mutex lock;
    std::vector<MonitorArea> monitors;
    uint32_t tickCount = 0;
    std::vector<std::unique_ptr<Overlay>> overlays; // by index; grows, never shrinks
    int32_t overlayCount = 0;
    int32_t offScreen = 0;
    std::atomic<int32_t> presentCount{0};
    std::atomic<int32_t> overlaps{0};
};
