#include "ui/WindowDpi.h"

#include "graphics/DpiScale.h"
#include "graphics/GdiOwners_win.h"
#include "system/SystemLibrary_win.h"

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

int DeviceDpi(HWND window) {
    const CWindowDc dc(window);
    return dc ? GetDeviceCaps(dc.Get(), LOGPIXELSY) : 0;
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
