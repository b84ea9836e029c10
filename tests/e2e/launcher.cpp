// Test helper started inside the Wine virtual desktop. It waits until the desktop shows
// its taskbar, writes the taskbar's rectangle to the report file, runs the program and,
// once the program has ended, appends its exit code. The report then reads
//   taskbar <left> <top> <right> <bottom>     (or "taskbar none")
//   exit <code>
// Usage: embra_e2e_launcher.exe <report file> <program> [arguments]
// The arguments follow the quoted program as they are, so that a setup program's /D=<folder>
// (which takes the rest of the line, spaces too) passes unchanged.
#include "E2eHelpers.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

namespace {

constexpr int kTaskbarPolls = 200; // of 50 ms each
constexpr DWORD kPollMs = 50;

std::string TaskbarLine() {
    RECT rect{};
    for (int poll = 0; poll < kTaskbarPolls; ++poll) {
        HWND bar = VisibleTaskbar();
        if (bar && GetWindowRect(bar, &rect) && rect.bottom > rect.top)
            return "taskbar " + RectText(rect);
        Sleep(kPollMs);
    }
    return "taskbar none";
}

// The program quoted and the arguments after it, from the launcher's own Unicode command
// line; empty with fewer than two arguments.
std::wstring ProgramCommandLine() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring line;
    for (int i = 2; arguments && i < count; ++i)
        line +=
            i == 2 ? L"\"" + std::wstring(arguments[i]) + L"\"" : L" " + std::wstring(arguments[i]);
    LocalFree(arguments);
    return line;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::wstring commandLine = ProgramCommandLine();
    if (__argc < 3 || commandLine.empty())
        return 2;
    const char* reportFile = __argv[1];
    if (!ReportLine(reportFile, "w", TaskbarLine()))
        return 3;
    const long code = RunCommandLine(commandLine, INFINITE);
    return ReportLine(reportFile, "a", "exit " + std::to_string(code)) ? 0 : 3;
}
