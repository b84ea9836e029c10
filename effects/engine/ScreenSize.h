#pragma once

#include <cstdint>

class IDesktop;

// The primary screen's width W and height H in pixels, process-wide. Written by the main
// thread at every StartRendering and every set's Start (before any worker runs), read by
// all sets and items.
extern int32_t screenWidth;
extern int32_t screenHeight;

// Reads W and H from the desktop into screenWidth and screenHeight.
void ReadScreenSize(IDesktop& desktop);
