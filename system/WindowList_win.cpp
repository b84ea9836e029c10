#include "system/WindowList_win.h"

#include "system/DesktopRect_win.h"
#include "system/SystemLibrary_win.h"

#include <dwmapi.h>

#include <algorithm>

namespace {

using GetWindowAttributeFunction = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);

struct Listing {
    const std::vector<HWND>* bands;
    std::vector<WindowFacts> facts;
};

// Whether the compositor hides the window; false where there is no compositor to ask.
bool IsCloaked(HWND window) {
    static const auto getAttribute =
        SystemFunction<GetWindowAttributeFunction>("dwmapi.dll", "DwmGetWindowAttribute");
    DWORD cloaked = 0;
    return getAttribute &&
           SUCCEEDED(getAttribute(window, DWMWA_CLOAKED, &cloaked, sizeof(cloaked))) &&
           cloaked != 0;
}

// Whether what lies below may show through: a click-through window, or a layered one
// drawn with a colour key, with less than full opacity, or with per-pixel alpha
// (UpdateLayeredWindow leaves no attributes to read).
bool IsSeeThrough(HWND window, LONG_PTR exStyle) {
    if (exStyle & WS_EX_TRANSPARENT)
        return true;
    if (!(exStyle & WS_EX_LAYERED))
        return false;
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(window, &key, &alpha, &flags))
        return true;
    return (flags & LWA_COLORKEY) || ((flags & LWA_ALPHA) && alpha < 255);
}

BOOL CALLBACK AddWindow(HWND window, LPARAM data) noexcept {
    auto* listing = reinterpret_cast<Listing*>(data);
    const std::vector<HWND>& bands = *listing->bands;
    const auto band = std::find(bands.begin(), bands.end(), window);
    WindowFacts facts;
    facts.style = GetWindowLongPtrW(window, GWL_STYLE);
    if (!(facts.style & WS_VISIBLE) && band == bands.end())
        return TRUE;
    facts.window = window;
    facts.band = band == bands.end() ? -1 : static_cast<int>(band - bands.begin());
    GetWindowRect(window, &facts.rect);
    facts.exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    facts.cloaked = IsCloaked(window);
    facts.seeThrough = IsSeeThrough(window, facts.exStyle);
    listing->facts.push_back(facts);
    return TRUE;
}

// The desktop, the shell's own windows and the taskbars.
bool IsShellWindow(HWND window) {
    if (window == GetDesktopWindow() || window == GetShellWindow())
        return true;
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    for (const wchar_t* shell :
         {L"Progman", L"WorkerW", L"Shell_TrayWnd", L"Shell_SecondaryTrayWnd"})
        if (lstrcmpW(name, shell) == 0)
            return true;
    return false;
}

} // namespace

bool WindowFacts::operator==(const WindowFacts& other) const {
    const LONG_PTR compared = band >= 0 ? ~LONG_PTR{WS_VISIBLE} : ~LONG_PTR{0};
    return window == other.window && EqualRect(&rect, &other.rect) &&
           ((style ^ other.style) & compared) == 0 && exStyle == other.exStyle &&
           cloaked == other.cloaked && seeThrough == other.seeThrough && band == other.band;
}

std::vector<WindowFacts> ReadWindowFacts(const std::vector<HWND>& bands) {
    Listing listing{&bands, {}};
    EnumWindows(AddWindow, reinterpret_cast<LPARAM>(&listing));
    return listing.facts;
}

TopWindow ToTopWindow(const WindowFacts& facts) {
    TopWindow window;
    window.rect = ToDesktopRect(facts.rect);
    window.hasCaption = (facts.style & WS_CAPTION) == WS_CAPTION;
    window.maximised = (facts.style & WS_MAXIMIZE) != 0;
    window.visible = (facts.style & WS_VISIBLE) != 0;
    window.minimised = (facts.style & WS_MINIMIZE) != 0;
    window.cloaked = facts.cloaked;
    window.seeThrough = facts.seeThrough;
    window.isShell = IsShellWindow(facts.window);
    DWORD process = 0;
    GetWindowThreadProcessId(facts.window, &process);
    window.isOwn = process == GetCurrentProcessId();
    window.band = facts.band;
    return window;
}
