#include "ui/Composition.h"

#include "system/SystemLibrary_win.h"

namespace {

using DwmSetWindowAttributeFunction = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
using IsThemeActiveFunction = BOOL(WINAPI*)();

} // namespace

bool SetDwmWindowAttribute(HWND window, DWORD attribute, const void* value, DWORD size) {
    static const auto setAttribute =
        SystemFunction<DwmSetWindowAttributeFunction>("DWMapi.dll", "DwmSetWindowAttribute");
    return setAttribute && SUCCEEDED(setAttribute(window, attribute, value, size));
}

bool IsThemeActive() {
    static const auto isThemeActive =
        SystemFunction<IsThemeActiveFunction>("UxTheme.dll", "IsThemeActive");
    return isThemeActive && isThemeActive();
}
