// Test helper started inside the Wine virtual desktop. It waits until the desktop shows
// its taskbar, writes the taskbar's rectangle to the report file, runs the program and,
// once the program has ended, appends its exit code. The report then reads
//   taskbar <left> <top> <right> <bottom>     (or "taskbar none")
//   exit <code>
// Usage: embra_e2e_launcher.exe <report file> <program>
#include "E2eHelpers.h"

#include <windows.h>

#include <string>

namespace {

constexpr int kTaskbarPolls = 200; // of 50 ms each
constexpr DWORD kPollMs = 50;

std::string TaskbarLine() {
    RECT rect{};
    for (int poll = 0; poll < kTaskbarPolls; ++poll) {
        HWND bar = VisibleTaskbar();
        if (bar && GetWindowRect(bar, &rect) && rect.bottom > rect.top)
            return "taskbar " + std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
                   std::to_string(rect.right) + " " + std::to_string(rect.bottom);
        Sleep(kPollMs);
    }
    return "taskbar none";
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc != 3)
        return 2;
    const char* reportFile = __argv[1];
    if (!ReportLine(reportFile, "w", TaskbarLine()))
        return 3;
    const long code = RunProgram(__argv[2], INFINITE);
    return ReportLine(reportFile, "a", "exit " + std::to_string(code)) ? 0 : 3;
}
