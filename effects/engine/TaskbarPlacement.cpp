#include "effects/engine/TaskbarPlacement.h"

#include "effects/engine/ScreenSize.h"

namespace {

constexpr int32_t kBandRows = 200;

} // namespace

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

bool PlaceBandOnTaskbar(IDesktop& desktop, int32_t* x, int32_t* y) {
    DesktopRect taskbar;
    const TaskbarState state = desktop.FindTaskbar(&taskbar);
    if (state == TaskbarState::Hidden)
        return false;
    // No taskbar window at all counts as a taskbar on the top edge.
    const TaskbarSide side = state == TaskbarState::None
                                 ? TaskbarSide::Top
                                 : ClassifyTaskbar(taskbar, screenWidth, screenHeight);
    *x = 0;
    switch (side) {
    case TaskbarSide::Bottom:
        *y = taskbar.top - kBandRows;
        break;
    case TaskbarSide::Top:
    case TaskbarSide::Right:
        *y = screenHeight - kBandRows;
        break;
    case TaskbarSide::Left:
        *x = taskbar.right;
        *y = screenHeight - kBandRows;
        break;
    case TaskbarSide::Unknown:
        return false;
    }
    desktop.MoveOverlay(*x, *y);
    return true;
}
