#pragma once

#include <windows.h>

// A stand-in taskbar: a plain window of a taskbar class, visible or hidden.
inline HWND CreateTaskbarOfClass(const char* className, const RECT& rect, bool visible) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    return CreateWindowExA(WS_EX_TOOLWINDOW, className, "", WS_POPUP | (visible ? WS_VISIBLE : 0),
                           rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// The primary monitor's taskbar.
inline HWND CreateTaskbar(const RECT& rect, bool visible) {
    return CreateTaskbarOfClass("Shell_TrayWnd", rect, visible);
}

// A visible primary taskbar `height` rows high along the bottom of the screen.
inline HWND CreateBottomTaskbar(int height) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int bottom = GetSystemMetrics(SM_CYSCREEN);
    return CreateTaskbar(RECT{0, bottom - height, width, bottom}, true);
}

// A secondary monitor's taskbar.
inline HWND CreateSecondaryTaskbar(const RECT& rect, bool visible) {
    return CreateTaskbarOfClass("Shell_SecondaryTrayWnd", rect, visible);
}

// Whether `lower` comes after `upper` in Z order.
inline bool IsBelow(HWND lower, HWND upper) {
    for (HWND window = GetWindow(upper, GW_HWNDNEXT); window;
         window = GetWindow(window, GW_HWNDNEXT))
        if (window == lower)
            return true;
    return false;
}

// The next window of this process below `upper` in Z order: the windows of other Wine
// processes (suites running beside this one) may come between a taskbar and its overlay.
inline HWND OwnWindowBelow(HWND upper) {
    for (HWND window = GetWindow(upper, GW_HWNDNEXT); window;
         window = GetWindow(window, GW_HWNDNEXT)) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId())
            return window;
    }
    return nullptr;
}
