#pragma once

#include "ui/CWnd.h"

#include <windows.h>

// The overlay window: a layered, click-through, topmost tool window that never takes the
// focus and shows the presented band with per-pixel alpha. Every message goes to CWnd's
// dispatcher, whose defaults are all the overlay needs.
class CEmbraDrawWnd : public CWnd {
public:
    static constexpr const char* kClassName = "LV_EmbraDrawWnd";
    // WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_TOPMOST
    static constexpr DWORD kExStyle = 0x080800A8;
    // WS_POPUP | WS_CLIPSIBLINGS
    static constexpr DWORD kStyle = 0x84000000;

    CEmbraDrawWnd() = default;
    ~CEmbraDrawWnd() override;

    bool* GetRegisteredFlag() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    const char* GetClassName() override;

    // Registers the window class and its factory entry once; always true.
    static bool RegisterFactory();

private:
    static inline bool registered = false;
};
