#pragma once

#include "effects/engine/IDesktop.h"

#include <cstdint>
#include <vector>

// One monitor's share of the canvas: the canvas columns [canvasLeft, canvasLeft + width)
// are the monitor's slice, and the band's part there is shown on that monitor.
struct CanvasSlice {
    MonitorArea monitor;
    int32_t canvasLeft = 0;
    int32_t width = 0;
};

// The canvas every effect renders: W is the sum of the monitors' widths (side by side in
// the order the desktop lists them, the primary first) and H the primary monitor's
// height; with one monitor W x H is the screen. Process-wide, written by the main thread
// at every StartRendering (its one read of the monitors, before the set's Start and any
// worker), read by all sets and items.
extern int32_t screenWidth;
extern int32_t screenHeight;
extern std::vector<CanvasSlice> canvasSlices;

// The slices of `monitors` side by side from column 0, one per monitor, in their order.
std::vector<CanvasSlice> SliceCanvas(const std::vector<MonitorArea>& monitors);

// Reads the monitors from the desktop into canvasSlices, screenWidth and screenHeight
// (0 x 0 without a monitor).
void ReadScreenSize(IDesktop& desktop);
