#pragma once

#include <windows.h>
#include <windowsx.h>

// Typed arguments of window messages: wParam and lParam are unpacked here and only here, as
// windowsx.h's GET_X_LPARAM does, so that every dispatcher and window procedure reads a
// point, a key, a size or a wheel turn the same way. Each message gets its own arguments,
// named after what that message carries.

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

// WM_MOUSEMOVE and the button messages: the MK_ keys and buttons held and the pointer in
// client coordinates.
struct MouseArgs {
    UINT keys;
    POINT point;
};
inline MouseArgs MouseArgsOf(WPARAM wParam, LPARAM lParam) {
    return MouseArgs{static_cast<UINT>(wParam), PointOf(lParam)};
}

// WM_MOUSEWHEEL: the MK_ keys and buttons held, the signed turn in WHEEL_DELTA steps
// (negative: towards the user) and the pointer in screen coordinates.
struct WheelArgs {
    UINT keys;
    int delta;
    POINT screen;
};
inline WheelArgs WheelArgsOf(WPARAM wParam, LPARAM lParam) {
    return WheelArgs{GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam), PointOf(lParam)};
}

// WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN and WM_SYSKEYUP: the virtual key and the key data of
// lParam, split into its repeat count (low word) and its scan code and flags (high word,
// KF_REPEAT, KF_ALTDOWN, ...).
struct KeyArgs {
    UINT key;
    UINT repeat;
    UINT flags;
};
inline KeyArgs KeyArgsOf(WPARAM wParam, LPARAM lParam) {
    const auto keyData = static_cast<DWORD_PTR>(lParam);
    return KeyArgs{static_cast<UINT>(wParam), LowWordOf(keyData), HighWordOf(keyData)};
}
// The key data for the repeat count and flags that KeyArgsOf split.
inline LPARAM KeyDataOf(UINT repeat, UINT flags) {
    return static_cast<LPARAM>(MAKELPARAM(repeat, flags));
}
// True for a key's first press, false for the keyboard's repeats.
inline bool IsFirstPress(const KeyArgs& key) {
    return (key.flags & KF_REPEAT) == 0;
}

// WM_SIZE: the SIZE_ code and the client area's new width and height (unsigned words).
struct SizeArgs {
    UINT type;
    int width;
    int height;
};
inline SizeArgs SizeArgsOf(WPARAM wParam, LPARAM lParam) {
    const auto size = static_cast<DWORD_PTR>(lParam);
    return SizeArgs{static_cast<UINT>(wParam), static_cast<int>(LowWordOf(size)),
                    static_cast<int>(HighWordOf(size))};
}

// WM_SETCURSOR: the window under the pointer, the hit-test code (HT*) and the mouse message
// that asks.
struct SetCursorArgs {
    HWND window;
    UINT hitTest;
    UINT mouseMessage;
};
inline SetCursorArgs SetCursorArgsOf(WPARAM wParam, LPARAM lParam) {
    const auto words = static_cast<DWORD_PTR>(lParam);
    return SetCursorArgs{reinterpret_cast<HWND>(wParam), LowWordOf(words), HighWordOf(words)};
}

// WM_SYSCOMMAND: the whole command (an SC_ code, whose four low bits are the system's, or a
// program's own system-menu item) and the pointer in screen coordinates.
struct SysCommandArgs {
    UINT command;
    POINT screen;
};
inline SysCommandArgs SysCommandArgsOf(WPARAM wParam, LPARAM lParam) {
    return SysCommandArgs{static_cast<UINT>(wParam), PointOf(lParam)};
}

// WM_COMMAND: the command or control id and the notification code.
inline UINT CommandIdOf(WPARAM wParam) {
    return LowWordOf(wParam);
}
inline UINT CommandCodeOf(WPARAM wParam) {
    return HighWordOf(wParam);
}

// WM_DRAWITEM: the id of the control to draw.
inline UINT DrawItemIdOf(WPARAM wParam) {
    return static_cast<UINT>(wParam);
}

// WM_SIZING: the WMSZ_ edge being dragged.
inline UINT SizingEdgeOf(WPARAM wParam) {
    return static_cast<UINT>(wParam);
}

// WM_VSCROLL / WM_HSCROLL: the scroll code (SB_*) and the 16-bit thumb position.
inline UINT ScrollCodeOf(WPARAM wParam) {
    return LowWordOf(wParam);
}
inline UINT ScrollThumbOf(WPARAM wParam) {
    return HighWordOf(wParam);
}

// WM_DPICHANGED: the new dots per inch (both words carry the same value).
inline int DpiOf(WPARAM wParam) {
    return static_cast<int>(HighWordOf(wParam));
}

// WM_ACTIVATE: whether the window is being activated rather than deactivated.
inline bool IsActivation(WPARAM wParam) {
    return LowWordOf(wParam) != WA_INACTIVE;
}

// WM_SETTINGCHANGE: the SPI_ setting that changed, 0 for a change named only by text.
inline UINT ChangedSettingOf(WPARAM wParam) {
    return static_cast<UINT>(wParam);
}

// WM_HOTKEY: the id the hotkey was registered with.
inline int HotKeyIdOf(WPARAM wParam) {
    return static_cast<int>(wParam);
}

// WM_ENDSESSION: whether the session ends (false: its end was called off).
inline bool SessionEndsOf(WPARAM wParam) {
    return wParam != 0;
}

// A notification-area icon's callback message: the icon's id and the mouse message.
struct TrayNotifyArgs {
    UINT iconId;
    UINT mouseMessage;
};
inline TrayNotifyArgs TrayNotifyArgsOf(WPARAM wParam, LPARAM lParam) {
    return TrayNotifyArgs{static_cast<UINT>(wParam), static_cast<UINT>(lParam)};
}

// WM_WINDOWPOSCHANGING: the place, size and Z order the window is about to take, which the
// window may change.
inline WINDOWPOS* WindowPosOf(LPARAM lParam) {
    return reinterpret_cast<WINDOWPOS*>(lParam);
}
