#pragma once

#include <windows.h>

// A stand-in taskbar: a plain window of the taskbar's class, visible or hidden.
inline HWND CreateTaskbar(const RECT& rect, bool visible) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "Shell_TrayWnd";
    RegisterClassA(&windowClass);
    return CreateWindowExA(WS_EX_TOOLWINDOW, "Shell_TrayWnd", "",
                           WS_POPUP | (visible ? WS_VISIBLE : 0), rect.left, rect.top,
                           rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}
