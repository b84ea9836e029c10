#include "effects/engine/TaskbarPlacement.h"

#include <algorithm>

TaskbarSide ClassifyTaskbar(const DesktopRect& taskbar, int32_t screenW, int32_t screenH) {
    if (taskbar.bottom < screenH / 2)
        return TaskbarSide::Top;
    if (taskbar.top > screenH / 2)
        return TaskbarSide::Bottom;
    if (taskbar.right < screenW / 2)
        return TaskbarSide::Left;
    if (taskbar.left > screenW / 2)
        return TaskbarSide::Right;
    return TaskbarSide::Unknown;
}

TaskbarState ShownTaskbar(const MonitorArea& monitor, DesktopRect* rect) {
    if (monitor.taskbarState != TaskbarState::Visible)
        return monitor.taskbarState;
    const DesktopRect& screen = monitor.screen;
    const DesktopRect taskbar{monitor.taskbar.left - screen.left, monitor.taskbar.top - screen.top,
                              monitor.taskbar.right - screen.left,
                              monitor.taskbar.bottom - screen.top};
    const int32_t screenW = screen.right - screen.left;
    const int32_t screenH = screen.bottom - screen.top;
    // The part of the taskbar on the monitor, and its thickness.
    const int32_t width = std::min(taskbar.right, screenW) - std::max<int32_t>(taskbar.left, 0);
    const int32_t height = std::min(taskbar.bottom, screenH) - std::max<int32_t>(taskbar.top, 0);
    if (std::min(width, height) <= kAutoHiddenStrip)
        return TaskbarState::Hidden;
    if (rect)
        *rect = taskbar;
    return TaskbarState::Visible;
}

bool BandOnTaskbar(const MonitorArea& monitor, int32_t* x, int32_t* y) {
    DesktopRect taskbar;
    const TaskbarState state = ShownTaskbar(monitor, &taskbar);
    const int32_t screenW = monitor.screen.right - monitor.screen.left;
    const int32_t screenH = monitor.screen.bottom - monitor.screen.top;
    // No taskbar showing counts as a taskbar on the top edge.
    const TaskbarSide side = state != TaskbarState::Visible
                                 ? TaskbarSide::Top
                                 : ClassifyTaskbar(taskbar, screenW, screenH);
    *x = 0;
    switch (side) {
    case TaskbarSide::Bottom:
        *y = taskbar.top - kOverlayBandRows;
        break;
    case TaskbarSide::Top:
    case TaskbarSide::Right:
        *y = screenH - kOverlayBandRows;
        break;
    case TaskbarSide::Left:
        *x = taskbar.right;
        *y = screenH - kOverlayBandRows;
        break;
    case TaskbarSide::Unknown:
        return false;
    }
    return true;
}
