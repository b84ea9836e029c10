#include "system/MonitorLayout_win.h"

#include "system/DesktopRect_win.h"

#include <windows.h>

namespace {

constexpr const wchar_t* kTaskbarClasses[] = {L"Shell_TrayWnd", L"Shell_SecondaryTrayWnd"};

struct Enumerated {
    std::vector<HMONITOR> handles;
    std::vector<MonitorRecord> records;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) noexcept {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(monitor, &info))
        return TRUE;
    auto* found = reinterpret_cast<Enumerated*>(data);
    found->handles.push_back(monitor);
    found->records.push_back(
        {ToDesktopRect(info.rcMonitor), (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    return TRUE;
}

int IndexOf(const std::vector<HMONITOR>& handles, HMONITOR monitor) {
    for (std::size_t i = 0; i < handles.size(); ++i)
        if (handles[i] == monitor)
            return static_cast<int>(i);
    return -1;
}

std::vector<TaskbarRecord> FindTaskbars(const std::vector<HMONITOR>& monitors) {
    std::vector<TaskbarRecord> taskbars;
    for (const wchar_t* name : kTaskbarClasses) {
        for (HWND window = FindWindowExW(nullptr, nullptr, name, nullptr); window;
             window = FindWindowExW(nullptr, window, name, nullptr)) {
            RECT rect{};
            GetWindowRect(window, &rect);
            TaskbarRecord taskbar;
            taskbar.rect = ToDesktopRect(rect);
            taskbar.visible = IsWindowVisible(window) != FALSE;
            taskbar.monitor = IndexOf(monitors, MonitorFromWindow(window, MONITOR_DEFAULTTONULL));
            taskbars.push_back(taskbar);
        }
    }
    return taskbars;
}

} // namespace

std::vector<MonitorArea> ReadMonitors(bool everyMonitor) {
    Enumerated found;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&found));
    if (found.records.empty())
        found.records.push_back(
            {DesktopRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)},
             true});
    return ArrangeMonitors(found.records, FindTaskbars(found.handles), everyMonitor);
}
