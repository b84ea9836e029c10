#pragma once

#include "params/CHandleOwner.h"

#include <windows.h>

// Owners of the window manager's objects that the program creates and must destroy.

// Destroys an icon the program loaded (LoadImage) or created.
struct CDestroyIcon {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
using CIconOwner = CHandleOwner<HICON, CDestroyIcon>;

// Destroys a menu the program created or loaded and did not hand to a window.
struct CDestroyMenu {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using CMenuOwner = CHandleOwner<HMENU, CDestroyMenu>;

// Loads an icon of the given square size from the module's resources; null when missing.
inline HICON LoadIconSized(HINSTANCE module, int id, int size) {
    return static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
}
