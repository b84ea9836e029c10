#pragma once

#include "system/SystemState.h"

#include <windows.h>

#include <vector>

// A top-level window's facts as read from the system, by its handle: what the periodic
// look compares from one tick to the next.
struct WindowFacts {
    HWND window = nullptr;
    RECT rect{};
    LONG_PTR style = 0;
    LONG_PTR exStyle = 0;
    bool cloaked = false;    // DwmGetWindowAttribute(DWMWA_CLOAKED)
    bool seeThrough = false; // WS_EX_TRANSPARENT, or layered and not wholly opaque
    int band = -1;           // the index of the overlay band it is; -1: none

    // The same facts; an overlay's own showing and hiding is left out, since it follows
    // the decision and changes none.
    bool operator==(const WindowFacts& other) const;
};

// The top-level windows in EnumWindows' order, the topmost first: every shown one, and
// the `bands` windows (the overlays, in their bands' order; null where a band has none)
// shown or hidden. A few calls for each shown window, one for each hidden one.
std::vector<WindowFacts> ReadWindowFacts(const std::vector<HWND>& bands);

// The window as the pause rules see it; what never changes for a window (whether it is the
// shell's or this program's own) is read now.
TopWindow ToTopWindow(const WindowFacts& facts);
