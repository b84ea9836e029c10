// Test helper started inside a Wine virtual desktop with the shell's taskbar. It waits
// until GetTaskbarEdge finds a visible taskbar and writes what it reports, with the screen
// size, to the report file:
//   edge <edge> <left> <top> <right> <bottom> <screen width> <screen height>
// Usage: embra_taskbar_edge_probe.exe <report file>
#include "ui/WindowHelpers.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr int kTaskbarPolls = 200; // of 50 ms each
constexpr DWORD kPollMs = 50;

// The edge once the taskbar is visible, or the last answer when it never becomes so.
TaskbarSide WaitForEdge(RECT* rect) {
    TaskbarSide edge = TaskbarSide::Unknown;
    for (int poll = 0; poll < kTaskbarPolls; ++poll) {
        edge = GetTaskbarEdge(rect);
        if (edge != TaskbarSide::Unknown && FindWindowA("Shell_TrayWnd", nullptr))
            return edge;
        Sleep(kPollMs);
    }
    return edge;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc != 2)
        return 2;
    RECT rect{};
    const TaskbarSide edge = WaitForEdge(&rect);
    const std::string line = "edge " + std::to_string(static_cast<int>(edge)) + " " +
                             std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
                             std::to_string(rect.right) + " " + std::to_string(rect.bottom) + " " +
                             std::to_string(GetSystemMetrics(SM_CXSCREEN)) + " " +
                             std::to_string(GetSystemMetrics(SM_CYSCREEN));
    FILE* report = std::fopen(__argv[1], "w");
    if (!report)
        return 3;
    std::fputs((line + "\n").c_str(), report);
    return std::fclose(report) == 0 ? 0 : 3;
}
