#pragma once

#include "effects/engine/IDesktop.h"

#include <vector>

// Whether the union of `covers` holds every pixel of `rect`; an empty `rect` is held by
// anything.
bool UnionHolds(const std::vector<DesktopRect>& covers, const DesktopRect& rect);
