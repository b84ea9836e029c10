#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CBmp;

struct DesktopSize {
    int32_t width = 0;
    int32_t height = 0;
};

// A rectangle in screen pixels, or in a band's pixels where said; right and bottom are
// exclusive.
struct DesktopRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

inline bool SameRect(const DesktopRect& a, const DesktopRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

enum class TaskbarState {
    None,    // no taskbar window at all
    Hidden,  // taskbar windows exist but none is visible
    Visible, // the first visible one, with its rectangle
};

// A monitor as the effects see it: its rectangle on the virtual screen (the primary's
// top-left corner is (0, 0); a monitor left of or above it has negative coordinates) and
// the taskbar on it.
struct MonitorArea {
    DesktopRect screen;
    TaskbarState taskbarState = TaskbarState::None;
    DesktopRect taskbar; // in screen pixels, when taskbarState is Visible
};

// What the effects need of the desktop they decorate: the monitors with their taskbars,
// one overlay window per monitor that shows that monitor's slice of the presented band,
// and the program's bitmap resources. The Win32 desktop drives the real layered windows;
// the headless desktop simulates the screens in memory. Only the main thread creates,
// shows, moves and destroys the overlays, and it creates and destroys them only while no
// render worker runs; worker 0 reads their rectangles, copies to their presentation
// surfaces, presents them and, between frames, gives them a new size.
// An overlay is named by `overlay`, the index of its monitor in the list the last start
// of rendering read; an index without an overlay does nothing (false where asked).
class IDesktop {
public:
    virtual ~IDesktop() = default;

    // The monitors, the primary first; never empty while there is a screen.
    virtual std::vector<MonitorArea> Monitors() = 0;
    // Milliseconds since some fixed moment; seeds the render workers.
    virtual uint32_t TickCount() = 0;

    // Creates overlay `overlay` hidden at `rect` (on the screen), with a presentation
    // surface of its size, which shows the band's columns from `canvasLeft` on; replaces
    // an overlay of that index.
    virtual bool CreateOverlay(std::size_t overlay, const DesktopRect& rect,
                               int32_t canvasLeft) = 0;
    virtual void ShowOverlay(std::size_t overlay) = 0;
    // Hides the overlay, keeping it and its presentation surface.
    virtual void HideOverlay(std::size_t overlay) = 0;
    // Destroys every overlay and its presentation surface; nothing when there is none.
    virtual void DestroyOverlays() = 0;
    // The overlay's window rectangle; false when there is no such overlay.
    virtual bool OverlayRect(std::size_t overlay, DesktopRect* rect) = 0;
    // Moves the overlay, keeping its size and its place in the Z order.
    virtual void MoveOverlay(std::size_t overlay, int32_t x, int32_t y) = 0;
    // Puts the overlay directly behind its monitor's taskbar (nothing without one).
    virtual void PutOverlayBehindTaskbar(std::size_t overlay) = 0;
    // Gives the overlay's presentation surface `width` columns; its height, its place in
    // the Z order and the band's column it starts at stay, and the next copy and
    // presentation are whole. The overlay takes the new size at once or at its next
    // presentation. Worker 0 calls it between frames while the workers run, the main
    // thread while none runs. False when there is no such overlay or no surface of that
    // size could be made; the overlay then shows nothing new until a resize succeeds.
    virtual bool ResizeOverlay(std::size_t overlay, int32_t width) = 0;

    // Copies the part `dirty` (in the overlay's own pixels) of the overlay's slice of
    // `band` (the whole band of the canvas, premultiplied 32-bit pixels; the slice starts
    // at the overlay's canvasLeft) to the same place of the overlay's presentation
    // surface, whose other pixels keep what they held. Where the surface may not hold the
    // last presented slice (the first copy after CreateOverlay or ShowOverlay, or after a
    // refused Present) the whole slice is copied instead.
    virtual void CopyBand(std::size_t overlay, const CBmp& band, const DesktopRect& dirty) = 0;
    // Shows the overlay's presentation surface, the overlay's size, with per-pixel alpha
    // with its top-left corner at (x, y) on the screen; only its part `dirty` needs to
    // reach the screen, and an empty `dirty` shows nothing new. The whole surface is shown
    // where the screen may not show the last presented one: the first time after
    // CreateOverlay or ShowOverlay, after a refused Present and at a new (x, y). False
    // when the desktop refused or there is no such overlay.
    [[nodiscard]] virtual bool Present(std::size_t overlay, int32_t x, int32_t y,
                                       const DesktopRect& dirty) = 0;

    // The main thread's pause of at most `milliseconds` while it waits for the workers to
    // leave. Worker 0's presentation may need the main thread to answer (the Win32 desktop
    // answers the messages sent to the thread meanwhile), so a stop never just sleeps.
    virtual void PauseWhileStopping(int32_t milliseconds) = 0;

    // Loads bitmap resource `number` of the program as 32-bit top-down pixels into
    // `bitmap`; false (and `bitmap` empty) when there is no such picture.
    virtual bool LoadBitmapResource(int number, CBmp* bitmap) = 0;
};
