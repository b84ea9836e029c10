#include "ui/CEmbraDrawWnd.h"

#include "ui/MessageCrackers.h"
#include "ui/WindowFactory.h"

namespace {

// The shell's desktop: the window that holds the desktop's icons ("SHELLDLL_DefView"),
// which is the shell's own window or a "WorkerW" that the shell put in front of it; null
// where there is no shell window among the top-level windows (the desktop is then the
// root of the Z order).
HWND ShellDesktop() {
    HWND shell = GetShellWindow();
    if (!shell || shell == GetDesktopWindow())
        return nullptr;
    if (FindWindowExA(shell, nullptr, "SHELLDLL_DefView", nullptr))
        return shell;
    for (HWND worker = FindWindowExA(nullptr, nullptr, "WorkerW", nullptr); worker;
         worker = FindWindowExA(nullptr, worker, "WorkerW", nullptr))
        if (FindWindowExA(worker, nullptr, "SHELLDLL_DefView", nullptr))
            return worker;
    return shell;
}

// What `window` goes behind to lie just above the desktop: the window right above the
// shell's desktop other than itself, or the bottom where there is no such desktop. A
// topmost window above the desktop (nothing else is open) puts it at the top of the
// windows that are not topmost, which is the same place.
HWND BottomInsertAfter(HWND window) {
    HWND desktop = ShellDesktop();
    if (!desktop)
        return HWND_BOTTOM;
    HWND above = GetWindow(desktop, GW_HWNDPREV);
    if (above == window)
        above = GetWindow(window, GW_HWNDPREV);
    if (!above || (GetWindowLongPtrA(above, GWL_EXSTYLE) & WS_EX_TOPMOST))
        return HWND_TOP;
    return above;
}

} // namespace

CEmbraDrawWnd::~CEmbraDrawWnd() = default;

bool* CEmbraDrawWnd::GetRegisteredFlag() {
    return &registered;
}

LRESULT CEmbraDrawWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE)
        return 0;
    if (message == WM_DESTROY && onDestroy)
        onDestroy();
    if (message == WM_WINDOWPOSCHANGING && underWindows) {
        WINDOWPOS* position = WindowPosOf(lParam);
        if (!(position->flags & SWP_NOZORDER))
            position->hwndInsertAfter = BottomInsertAfter(Handle());
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

const char* CEmbraDrawWnd::GetClassName() {
    return kClassName;
}

bool CEmbraDrawWnd::RegisterFactory() {
    return RegisterFactoryOf<CEmbraDrawWnd>();
}
