// Test helper started inside the Wine virtual desktop. It waits until the desktop shows
// its taskbar, writes the taskbar's rectangle to the report file, runs the program and,
// once the program has ended, appends its exit code. The report then reads
//   taskbar <left> <top> <right> <bottom>     (or "taskbar none")
//   exit <code>
// Usage: embra_e2e_launcher.exe <report file> <program>
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr int kTaskbarPolls = 200; // of 50 ms each
constexpr DWORD kPollMs = 50;

bool VisibleTaskbar(RECT* rect) {
    for (HWND bar = FindWindowExA(nullptr, nullptr, "Shell_TrayWnd", nullptr); bar;
         bar = FindWindowExA(nullptr, bar, "Shell_TrayWnd", nullptr)) {
        if (IsWindowVisible(bar) && GetWindowRect(bar, rect) && rect->bottom > rect->top)
            return true;
    }
    return false;
}

bool Report(const char* file, const char* mode, const std::string& line) {
    FILE* report = std::fopen(file, mode);
    if (!report)
        return false;
    std::fputs((line + "\n").c_str(), report);
    return std::fclose(report) == 0;
}

std::string TaskbarLine() {
    RECT rect{};
    for (int poll = 0; poll < kTaskbarPolls; ++poll) {
        if (VisibleTaskbar(&rect))
            return "taskbar " + std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
                   std::to_string(rect.right) + " " + std::to_string(rect.bottom);
        Sleep(kPollMs);
    }
    return "taskbar none";
}

// Runs the program and returns its exit code; -1 when it cannot be started.
long RunProgram(const char* program) {
    std::string commandLine = std::string("\"") + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<long>(code);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc != 3)
        return 2;
    const char* reportFile = __argv[1];
    if (!Report(reportFile, "w", TaskbarLine()))
        return 3;
    const long code = RunProgram(__argv[2]);
    return Report(reportFile, "a", "exit " + std::to_string(code)) ? 0 : 3;
}
