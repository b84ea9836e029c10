#include "ui/Composition.h"

namespace {

using DwmSetWindowAttributeFunction = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
using IsThemeActiveFunction = BOOL(WINAPI*)();

// The address of `function` in the system folder's `library`, null when either is missing.
// Only the system folder is searched, so a library of the same name beside the program or
// in the current folder is never loaded. The library stays loaded for the process's life.
template <class Function> Function SystemFunction(const char* library, const char* function) {
    HMODULE module = LoadLibraryExA(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    FARPROC address = module ? GetProcAddress(module, function) : nullptr;
    // Through the generic function pointer type, which converts to any other.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

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
