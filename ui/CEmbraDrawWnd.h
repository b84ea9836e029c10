#pragma once

#include <windows.h>

// The overlay window: a layered, click-through, topmost tool window that never takes the
// focus and shows the presented band with per-pixel alpha. Every message goes to the
// default window procedure.
class CEmbraDrawWnd {
public:
    static constexpr const char* kClassName = "LV_EmbraDrawWnd";
    // WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_TOPMOST
    static constexpr DWORD kExStyle = 0x080800A8;
    // WS_POPUP | WS_CLIPSIBLINGS
    static constexpr DWORD kStyle = 0x84000000;

    CEmbraDrawWnd() = default;
    ~CEmbraDrawWnd();
    CEmbraDrawWnd(const CEmbraDrawWnd&) = delete;
    CEmbraDrawWnd& operator=(const CEmbraDrawWnd&) = delete;

    // Registers the window class of `module` once; true when it is registered.
    static bool Register(HINSTANCE module);
    // Creates the hidden overlay of `module`; false when it cannot be created.
    bool Create(HINSTANCE module);
    void Destroy();
    HWND Handle() const { return window; }

private:
    HWND window = nullptr;
};
