#include "ui/WindowDpi.h"

#include "system/SystemLibrary_win.h"

namespace {

constexpr int kDesignDpi = 96;

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

int DeviceDpi(HWND window) {
    HDC dc = GetDC(window);
    if (!dc)
        return 0;
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(window, dc);
    return dpi;
}

} // namespace

int WindowDpi(HWND window) {
    static const auto getDpiForWindow =
        SystemFunction<GetDpiForWindowFunction>("user32.dll", "GetDpiForWindow");
    int dpi = getDpiForWindow && window ? static_cast<int>(getDpiForWindow(window)) : 0;
    if (dpi <= 0)
        dpi = DeviceDpi(window);
    return dpi > 0 ? dpi : kDesignDpi;
}
