#include "system/MonitorLayout.h"

#include "effects/engine/TaskbarPlacement.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

bool Contains(const DesktopRect& rect, int32_t x, int32_t y) {
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

int64_t OverlapArea(const DesktopRect& a, const DesktopRect& b) {
    const int64_t width = std::min(a.right, b.right) - std::max(a.left, b.left);
    const int64_t height = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

std::size_t PrimaryIndex(const std::vector<MonitorRecord>& monitors) {
    for (std::size_t i = 0; i < monitors.size(); ++i)
        if (monitors[i].primary)
            return i;
    for (std::size_t i = 0; i < monitors.size(); ++i)
        if (Contains(monitors[i].screen, 0, 0))
            return i;
    return 0;
}

// The monitor the taskbar counts on; -1 for none.
int MonitorOf(const TaskbarRecord& taskbar, const std::vector<MonitorRecord>& monitors) {
    const int count = static_cast<int>(monitors.size());
    if (taskbar.monitor >= 0)
        return taskbar.monitor < count ? taskbar.monitor : -1;
    int best = -1;
    int64_t bestArea = 0;
    for (int i = 0; i < count; ++i) {
        const int64_t area = OverlapArea(taskbar.rect, monitors[i].screen);
        if (area > bestArea) {
            best = i;
            bestArea = area;
        }
    }
    return best;
}

MonitorArea AreaOf(int index, const std::vector<MonitorRecord>& monitors,
                   const std::vector<TaskbarRecord>& taskbars) {
    MonitorArea area;
    area.screen = monitors[index].screen;
    for (const TaskbarRecord& taskbar : taskbars) {
        if (MonitorOf(taskbar, monitors) != index)
            continue;
        if (taskbar.visible) {
            area.taskbarState = TaskbarState::Visible;
            area.taskbar = taskbar.rect;
            return area;
        }
        area.taskbarState = TaskbarState::Hidden;
    }
    return area;
}

// The edge of the monitor a visible taskbar sits on, judged in the monitor's own pixels.
TaskbarSide EdgeOf(const MonitorArea& area) {
    const DesktopRect& screen = area.screen;
    const DesktopRect local{area.taskbar.left - screen.left, area.taskbar.top - screen.top,
                            area.taskbar.right - screen.left, area.taskbar.bottom - screen.top};
    return ClassifyTaskbar(local, screen.right - screen.left, screen.bottom - screen.top);
}

bool MonitorMoved(const MonitorArea& before, const MonitorArea& after) {
    if (!SameRect(before.screen, after.screen))
        return true;
    if ((before.taskbarState == TaskbarState::None) != (after.taskbarState == TaskbarState::None))
        return true;
    return before.taskbarState == TaskbarState::Visible &&
           after.taskbarState == TaskbarState::Visible && EdgeOf(before) != EdgeOf(after);
}

} // namespace

std::vector<MonitorArea> ArrangeMonitors(const std::vector<MonitorRecord>& monitors,
                                         const std::vector<TaskbarRecord>& taskbars,
                                         bool everyMonitor) {
    std::vector<MonitorArea> areas;
    if (monitors.empty())
        return areas;
    const auto primary = static_cast<int>(PrimaryIndex(monitors));
    areas.push_back(AreaOf(primary, monitors, taskbars));
    if (!everyMonitor)
        return areas;
    for (int i = 0; i < static_cast<int>(monitors.size()); ++i)
        if (i != primary)
            areas.push_back(AreaOf(i, monitors, taskbars));
    return areas;
}

bool LayoutMoved(const std::vector<MonitorArea>& before, const std::vector<MonitorArea>& after) {
    if (before.size() != after.size())
        return true;
    for (std::size_t i = 0; i < before.size(); ++i)
        if (MonitorMoved(before[i], after[i]))
            return true;
    return false;
}
