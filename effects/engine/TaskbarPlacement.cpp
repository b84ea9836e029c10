#include "effects/engine/TaskbarPlacement.h"

#include "effects/engine/ScreenSize.h"

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

TaskbarState FindShownTaskbar(IDesktop& desktop, DesktopRect* rect) {
    DesktopRect taskbar;
    const TaskbarState state = desktop.FindTaskbar(&taskbar);
    if (state != TaskbarState::Visible)
        return state;
    // The part of the taskbar on the screen, and its thickness.
    const int32_t width = std::min(taskbar.right, screenWidth) - std::max<int32_t>(taskbar.left, 0);
    const int32_t height =
        std::min(taskbar.bottom, screenHeight) - std::max<int32_t>(taskbar.top, 0);
    if (std::min(width, height) <= kAutoHiddenStrip)
        return TaskbarState::Hidden;
    if (rect)
        *rect = taskbar;
    return TaskbarState::Visible;
}

bool PlaceBandOnTaskbar(IDesktop& desktop, int32_t* x, int32_t* y) {
    DesktopRect taskbar;
    const TaskbarState state = FindShownTaskbar(desktop, &taskbar);
    // No taskbar showing counts as a taskbar on the top edge.
    const TaskbarSide side = state != TaskbarState::Visible
                                 ? TaskbarSide::Top
                                 : ClassifyTaskbar(taskbar, screenWidth, screenHeight);
    *x = 0;
    switch (side) {
    case TaskbarSide::Bottom:
        *y = taskbar.top - kOverlayBandRows;
        break;
    case TaskbarSide::Top:
    case TaskbarSide::Right:
        *y = screenHeight - kOverlayBandRows;
        break;
    case TaskbarSide::Left:
        *x = taskbar.right;
        *y = screenHeight - kOverlayBandRows;
        break;
    case TaskbarSide::Unknown:
        return false;
    }
    desktop.MoveOverlay(*x, *y);
    return true;
}
