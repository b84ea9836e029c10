#pragma once

#include "effects/engine/IDesktop.h"

#include <vector>

// The foreground window as the pause rules see it.
struct ForegroundWindow {
    bool exists = false;     // some window is in front
    DesktopRect rect;        // its window rectangle in screen pixels
    bool hasCaption = false; // it has a title bar (WS_CAPTION)
    bool isShell = false;    // the desktop or one of the shell's own windows (taskbar, ...)
    bool isOwn = false;      // a window of this program (its overlay, its dialogs)
};

// The system's state that decides whether the effect pauses, as plain data.
struct SystemState {
    // The rectangles of the monitors the overlay bands are on, in the bands' order; empty
    // when none is known.
    std::vector<DesktopRect> overlayMonitors;
    ForegroundWindow foreground;
    bool fullScreenNotification = false; // the shell reports a full-screen Direct3D program
                                         // or presentation mode
    bool sessionLocked = false;          // locked, or disconnected from the console
    bool displayOff = false;
    bool energySaver = false; // energy saver or battery saver is on
    bool onBattery = false;
};
