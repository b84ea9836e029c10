#include "DriverSoak.h"

#include "E2eHelpers.h"

#include <psapi.h>

#include <string>

namespace {

constexpr UINT kAnswerMs = 20000;

bool WaitGone(HWND window) {
    for (int poll = 0; poll < 400 && IsWindow(window); ++poll)
        Sleep(50);
    return !IsWindow(window);
}

// Sends the main window a command and waits until it was handled.
bool Command(HWND main, UINT id) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(main, WM_COMMAND, id, 0, SMTO_BLOCK, kAnswerMs, &ignored) != 0;
}

// Opens a window by a command to the main window and closes it with a button.
bool OpenAndClose(HWND main, UINT message, WPARAM command, const char* title, WPARAM button) {
    PostMessageA(main, message, command, 0);
    HWND window = WaitForWindow("#32770", title);
    if (!window)
        return false;
    PostMessageA(window, WM_COMMAND, button, 0);
    return WaitGone(window);
}

} // namespace

std::string UsageLine(HWND main, const char* label) {
    DWORD id = 0;
    GetWindowThreadProcessId(main, &id);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id);
    if (!process)
        return std::string("usage ") + label + " none";
    DWORD handles = 0;
    GetProcessHandleCount(process, &handles);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                         sizeof(memory));
    const DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
    const DWORD user = GetGuiResources(process, GR_USEROBJECTS);
    CloseHandle(process);
    return std::string("usage ") + label + " handles " + std::to_string(handles) + " gdi " +
           std::to_string(gdi) + " user " + std::to_string(user) + " memory " +
           std::to_string(memory.PrivateUsage / 1024);
}

std::string StartStopCycles(HWND main, int count) {
    int done = 0;
    for (; done < count; ++done) {
        const bool running = GetDlgItem(main, kStopCommand) != nullptr;
        if (!Command(main, running ? kStopCommand : kStartCommand) ||
            !Command(main, running ? kStartCommand : kStopCommand))
            break;
    }
    return "cycles " + std::to_string(done);
}

std::string OpenCloseWindows(HWND main, int count) {
    int done = 0;
    for (; done < count; ++done) {
        if (!OpenAndClose(main, WM_COMMAND, kSettingsCommand, "Settings", IDCANCEL) ||
            !OpenAndClose(main, WM_SYSCOMMAND, kAboutCommand, "About ", IDOK))
            break;
    }
    return "windows " + std::to_string(done);
}

std::string HoverSettingsButton(HWND main, int seconds) {
    SetForegroundWindow(main);
    RECT button{};
    GetWindowRect(GetDlgItem(main, kSettingsCommand), &button);
    const int x = (button.left + button.right) / 2;
    const int y = (button.top + button.bottom) / 2;
    for (int step = 0; step < seconds * 2; ++step)
        MovePointer(x + (step % 5) * 4 - 8, y + (step % 3) * 4 - 4);
    MovePointer(0, 0);
    return "hovered " + std::to_string(seconds);
}
