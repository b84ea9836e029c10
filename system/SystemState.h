#pragma once

#include "effects/engine/IDesktop.h"

#include <vector>

// A top-level window as the pause rules see it.
struct TopWindow {
    DesktopRect rect;        // its window rectangle in screen pixels
    bool hasCaption = false; // it has a title bar (WS_CAPTION)
    bool maximised = false;  // WS_MAXIMIZE: sized to its monitor's work area by the system
    bool visible = false;    // WS_VISIBLE
    bool minimised = false;  // WS_MINIMIZE
    bool cloaked = false;    // the compositor hides it (another virtual desktop, a suspended app)
    bool seeThrough = false; // click-through, or layered and not wholly opaque
    bool isShell = false;    // the desktop or one of the shell's own windows (taskbar, ...)
    bool isOwn = false;      // a window of this program (its overlays, its dialogs)
    int band = -1;           // the index of the overlay band this window is; -1: none
};

// The system's state that decides whether the effect pauses, as plain data.
struct SystemState {
    // The rectangles of the monitors the overlay bands are on, in the bands' order; empty
    // when none is known.
    std::vector<DesktopRect> overlayMonitors;
    // The top-level windows in their Z order, the topmost first: every shown one, and the
    // overlay bands' own windows, shown or hidden.
    std::vector<TopWindow> windows;
    bool fullScreenNotification = false; // the shell reports a full-screen Direct3D program
                                         // or presentation mode
    bool sessionLocked = false;          // locked, or disconnected from the console
    bool displayOff = false;
    bool energySaver = false; // energy saver or battery saver is on
    bool onBattery = false;
};
