#pragma once

#include <windows.h>
#include <windowsx.h>

// Typed arguments of window messages: wParam and lParam are unpacked here and only here, as
// windowsx.h's GET_X_LPARAM does, so that every dispatcher and window procedure reads a
// point, a scroll code or a wheel turn the same way.

// The low and the high word of a message argument, unsigned (sizes, key data, hit codes).
inline UINT LowWordOf(DWORD_PTR argument) {
    return LOWORD(argument);
}
inline UINT HighWordOf(DWORD_PTR argument) {
    return HIWORD(argument);
}

// A point packed into lParam (mouse messages, WM_MOVE, WM_SYSCOMMAND's cursor). The words
// are signed: a point left of or above the primary monitor is negative, not 65 000.
inline int XOf(LPARAM lParam) {
    return GET_X_LPARAM(lParam);
}
inline int YOf(LPARAM lParam) {
    return GET_Y_LPARAM(lParam);
}
inline POINT PointOf(LPARAM lParam) {
    return POINT{XOf(lParam), YOf(lParam)};
}

// What the dispatchers hand most handlers: wParam as the keys or flags, lParam as a point
// and as its two unsigned words (sizes, key data, hit codes).
struct CommonArgs {
    UINT keys;
    int x;
    int y;
    UINT low;
    UINT high;
};
inline CommonArgs CommonArgsOf(WPARAM wParam, LPARAM lParam) {
    const auto words = static_cast<DWORD_PTR>(lParam);
    return CommonArgs{static_cast<UINT>(wParam), XOf(lParam), YOf(lParam), LowWordOf(words),
                      HighWordOf(words)};
}

// WM_COMMAND: the command or control id and the notification code.
inline UINT CommandIdOf(WPARAM wParam) {
    return LowWordOf(wParam);
}
inline UINT CommandCodeOf(WPARAM wParam) {
    return HighWordOf(wParam);
}

// WM_VSCROLL / WM_HSCROLL: the scroll code (SB_*) and the 16-bit thumb position.
inline UINT ScrollCodeOf(WPARAM wParam) {
    return LowWordOf(wParam);
}
inline UINT ScrollThumbOf(WPARAM wParam) {
    return HighWordOf(wParam);
}

// WM_MOUSEWHEEL: the signed turn in WHEEL_DELTA steps (negative: towards the user) and the
// keys and buttons held.
inline int WheelDeltaOf(WPARAM wParam) {
    return GET_WHEEL_DELTA_WPARAM(wParam);
}
inline UINT WheelKeysOf(WPARAM wParam) {
    return GET_KEYSTATE_WPARAM(wParam);
}

// WM_DPICHANGED: the new dots per inch (both words carry the same value).
inline int DpiOf(WPARAM wParam) {
    return static_cast<int>(HighWordOf(wParam));
}

// WM_ACTIVATE: whether the window is being activated rather than deactivated.
inline bool IsActivation(WPARAM wParam) {
    return LowWordOf(wParam) != WA_INACTIVE;
}

// WM_KEYDOWN's key data: true for the first press, false for the keyboard's repeats.
inline bool IsFirstPress(LPARAM keyData) {
    return (HighWordOf(static_cast<DWORD_PTR>(keyData)) & KF_REPEAT) == 0;
}
