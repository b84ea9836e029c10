#pragma once

#include <windows.h>

// Desktop composition and visual themes, looked up at run time in the system folder's
// "DWMapi.dll" and "UxTheme.dll"; systems without them are served by doing nothing.

// DwmSetWindowAttribute(window, attribute, value, size), resolved on first use and kept;
// true when the call was made and succeeded, false when the function is missing or fails.
bool SetDwmWindowAttribute(HWND window, DWORD attribute, const void* value, DWORD size);
// Whether the visual themes are active; false when the library or the function is missing.
bool IsThemeActive();
