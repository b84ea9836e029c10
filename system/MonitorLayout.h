#pragma once

#include "effects/engine/IDesktop.h"

#include <vector>

// A monitor as the system enumerates it.
struct MonitorRecord {
    DesktopRect screen;   // its rectangle on the virtual screen
    bool primary = false; // the monitor whose top-left corner is (0, 0)
};

// A taskbar window as found: the primary's "Shell_TrayWnd" or a secondary's
// "Shell_SecondaryTrayWnd".
struct TaskbarRecord {
    DesktopRect rect; // its window rectangle
    bool visible = false;
    int monitor = -1; // index into the enumerated monitors; -1: unknown, judged by `rect`
};

// The monitors with their taskbars, the primary first, then the others in their
// enumerated order; only the primary unless `everyMonitor`. Each taskbar counts on the
// monitor it names, or, where it names none, on the monitor its rectangle overlaps most
// (none: it is left out). A monitor's taskbar is the first visible one on it (Visible with
// its rectangle), else Hidden when some taskbar window is on it, else None. With no
// monitor flagged primary, the one holding the point (0, 0) is, else the first.
std::vector<MonitorArea> ArrangeMonitors(const std::vector<MonitorRecord>& monitors,
                                         const std::vector<TaskbarRecord>& taskbars,
                                         bool everyMonitor);

// Whether the bands must be placed afresh: a monitor came, went or changed its rectangle,
// a taskbar window appeared on or left a monitor (moved to another monitor), or a taskbar
// visible before and after moved to another edge of its monitor. A taskbar that only hides,
// shows or slides in and out (auto-hide) on the same edge changes nothing.
bool LayoutMoved(const std::vector<MonitorArea>& before, const std::vector<MonitorArea>& after);
