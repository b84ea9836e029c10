#pragma once

// What the end-to-end launcher and driver both do: write report lines, find the shell's
// taskbar and the program's windows, run a program to its end and send real input.
#include <windows.h>

#include <cstdio>
#include <string>

// The main window's commands.
inline constexpr UINT kStopCommand = 1001;
inline constexpr UINT kSettingsCommand = 1002;
inline constexpr UINT kStartCommand = 1014;
inline constexpr UINT kAboutCommand = 1015;

// Writes a line to the report file, opened with the mode ("w" afresh, "a" appending).
inline bool ReportLine(const char* file, const char* mode, const std::string& line) {
    FILE* report = std::fopen(file, mode);
    if (!report)
        return false;
    std::fputs((line + "\n").c_str(), report);
    return std::fclose(report) == 0;
}

// A rectangle as a report line writes it: left top right bottom.
inline std::string RectText(const RECT& rect) {
    return std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
           std::to_string(rect.right) + " " + std::to_string(rect.bottom);
}

// The first visible window of the taskbar's class, null when there is none.
inline HWND VisibleTaskbar() {
    for (HWND bar = FindWindowExA(nullptr, nullptr, "Shell_TrayWnd", nullptr); bar;
         bar = FindWindowExA(nullptr, bar, "Shell_TrayWnd", nullptr)) {
        if (IsWindowVisible(bar))
            return bar;
    }
    return nullptr;
}

// Waits up to 20 s for a visible window of the class and title.
inline HWND WaitForWindow(const char* className, const char* title) {
    for (int poll = 0; poll < 400; ++poll) {
        HWND window = FindWindowA(className, title);
        if (window && IsWindowVisible(window))
            return window;
        Sleep(50);
    }
    return nullptr;
}

// Runs a command line (Unicode, so that paths outside the code page pass) and returns the
// program's exit code; -1 when it cannot be started or does not end within waitMs.
inline long RunCommandLine(std::wstring commandLine, DWORD waitMs) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, waitMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<long>(code);
}

// Runs the program (a path in the code page) with the arguments (in the code page, as one
// text), as RunCommandLine.
inline long RunProgram(const char* program, const char* arguments, DWORD waitMs) {
    const auto wide = [](const char* text) {
        std::wstring converted(MAX_PATH, L'\0');
        const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, converted.data(), MAX_PATH);
        converted.resize(length > 0 ? static_cast<size_t>(length - 1) : 0);
        return converted;
    };
    const std::wstring tail = *arguments ? L" " + wide(arguments) : L"";
    return RunCommandLine(L"\"" + wide(program) + L"\"" + tail, waitMs);
}

// A pointer move to a screen point, in the absolute units SendInput takes.
inline INPUT PointerMove(int x, int y) {
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    move.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return move;
}

// Moves the pointer to a screen point with real input and lets it rest there half a second.
inline void MovePointer(int x, int y) {
    INPUT move = PointerMove(x, y);
    SendInput(1, &move, sizeof(INPUT));
    Sleep(500);
}

// Real input at a screen point: move there, then the buttons (MOUSEEVENTF_ flags).
inline void MouseAt(int x, int y, DWORD down, DWORD up) {
    INPUT events[3] = {PointerMove(x, y), PointerMove(x, y), PointerMove(x, y)};
    events[1].mi.dwFlags |= down;
    events[2].mi.dwFlags |= up;
    SendInput(1, &events[0], sizeof(INPUT));
    Sleep(200);
    SendInput(2, &events[1], sizeof(INPUT));
}

// Presses and releases one key.
inline void TapKey(WORD key) {
    INPUT press[2] = {};
    press[0].type = INPUT_KEYBOARD;
    press[0].ki.wVk = key;
    press[1] = press[0];
    press[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, press, sizeof(INPUT));
}
