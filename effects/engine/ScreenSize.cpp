#include "effects/engine/ScreenSize.h"

int32_t screenWidth = 0;
int32_t screenHeight = 0;
std::vector<CanvasSlice> canvasSlices;

std::vector<CanvasSlice> SliceCanvas(const std::vector<MonitorArea>& monitors) {
    std::vector<CanvasSlice> slices;
    slices.reserve(monitors.size());
    int32_t left = 0;
    for (const MonitorArea& monitor : monitors) {
        const int32_t width = monitor.screen.right - monitor.screen.left;
        slices.push_back({monitor, left, width});
        left += width;
    }
    return slices;
}

void ReadScreenSize(IDesktop& desktop) {
    canvasSlices = SliceCanvas(desktop.Monitors());
    screenWidth = 0;
    for (const CanvasSlice& slice : canvasSlices)
        screenWidth += slice.width;
    screenHeight = canvasSlices.empty() ? 0
                                        : canvasSlices.front().monitor.screen.bottom -
                                              canvasSlices.front().monitor.screen.top;
}
