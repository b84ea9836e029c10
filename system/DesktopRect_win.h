#pragma once

#include "effects/engine/IDesktop.h"

#include <windows.h>

// Windows' rectangles and the portable ones hold the same four edges, right and bottom
// exclusive in both.
inline DesktopRect ToDesktopRect(const RECT& rect) {
    return DesktopRect{rect.left, rect.top, rect.right, rect.bottom};
}

inline RECT ToRect(const DesktopRect& rect) {
    return RECT{rect.left, rect.top, rect.right, rect.bottom};
}
