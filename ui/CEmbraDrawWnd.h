#pragma once

#include "ui/CWnd.h"

#include <windows.h>

#include <functional>

// The overlay window: a layered, click-through, topmost tool window that never takes the
// focus and shows the presented band with per-pixel alpha. Under windows it is no topmost
// window and keeps its place at the bottom of the Z order, just above the desktop, whoever
// moves it there or elsewhere. It refuses WM_CLOSE (it is no window the user closes: a task
// manager's "end task" or a script sends it) and tells onDestroy when it is destroyed; every
// other message goes to CWnd's dispatcher.
class CEmbraDrawWnd : public CWnd {
public:
    static constexpr const char* kClassName = "LV_EmbraDrawWnd";
    // The overlay's styles, whose values (0x080800A8 and 0x84000000) are fixed.
    static constexpr DWORD kExStyle =
        WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_TOPMOST;
    static constexpr DWORD kStyle = WS_POPUP | WS_CLIPSIBLINGS;
    static_assert(kExStyle == 0x080800A8, "the overlay's extended style");
    static_assert(kStyle == 0x84000000, "the overlay's style");
    // The extended style under windows: the same, not topmost.
    static constexpr DWORD kUnderExStyle = kExStyle & ~DWORD{WS_EX_TOPMOST};

    CEmbraDrawWnd() = default;
    ~CEmbraDrawWnd() override;

    bool* GetRegisteredFlag() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    const char* GetClassName() override;

    // Called on the window's thread at WM_DESTROY, whoever destroys the window.
    std::function<void()> onDestroy;
    // Whether the window lies under every other window: every change of its Z order puts it
    // just above the desktop instead.
    bool underWindows = false;

    // Registers the window class and its factory entry once; always true.
    static bool RegisterFactory();

private:
    static inline bool registered = false;
};
