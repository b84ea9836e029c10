#include "PreviewDesktop.h"

#include "effects/headless/CHeadlessDesktop.h"
#include "graphics/CBmp.h"

#include <algorithm>
#include <vector>

namespace {

constexpr uint32_t kScreenColour = 0xFF101820u;
constexpr uint32_t kTaskbarColour = 0xFF3A4048u;

DesktopRect BoundingBox(const std::vector<MonitorArea>& monitors) {
    DesktopRect box = monitors.front().screen;
    for (const MonitorArea& monitor : monitors) {
        box.left = std::min(box.left, monitor.screen.left);
        box.top = std::min(box.top, monitor.screen.top);
        box.right = std::max(box.right, monitor.screen.right);
        box.bottom = std::max(box.bottom, monitor.screen.bottom);
    }
    return box;
}

// Fills `rect` (screen pixels, `origin` the picture's top-left corner) with `colour`,
// clipped to `clip` and to the picture.
void FillRect(CBmp& picture, const DesktopRect& origin, DesktopRect rect, const DesktopRect& clip,
              uint32_t colour) {
    rect = {std::max({rect.left, clip.left, origin.left}),
            std::max({rect.top, clip.top, origin.top}),
            std::min({rect.right, clip.right, origin.right}),
            std::min({rect.bottom, clip.bottom, origin.bottom})};
    for (int32_t y = rect.top; y < rect.bottom; ++y)
        for (int32_t x = rect.left; x < rect.right; ++x)
            picture.SetPixel(x - origin.left, y - origin.top, colour);
}

// Premultiplied "over": the source's colour plus what its alpha leaves of the target's.
uint32_t Over(uint32_t source, uint32_t target) {
    const uint32_t keep = 255 - (source >> 24);
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const uint32_t s = (source >> shift) & 0xFF;
        const uint32_t t = (target >> shift) & 0xFF;
        result |= std::min<uint32_t>(255, s + (t * keep + 127) / 255) << shift;
    }
    return result;
}

void ComposeOverlay(CBmp& picture, const DesktopRect& origin, const CBmp& shown, int32_t x,
                    int32_t y) {
    for (int32_t row = 0; row < shown.height; ++row)
        for (int32_t column = 0; column < shown.width; ++column) {
            const int32_t px = x + column - origin.left;
            const int32_t py = y + row - origin.top;
            if (px < 0 || py < 0 || px >= picture.width || py >= picture.height)
                continue;
            picture.SetPixel(px, py, Over(shown.Pixel(column, row), picture.Pixel(px, py)));
        }
}

} // namespace

void ComposeDesktop(CHeadlessDesktop& desktop, CBmp* picture) {
    const std::vector<MonitorArea> monitors = desktop.Monitors();
    if (monitors.empty())
        return picture->Free();
    const DesktopRect origin = BoundingBox(monitors);
    picture->Create(origin.right - origin.left, origin.bottom - origin.top);
    for (const MonitorArea& monitor : monitors) {
        FillRect(*picture, origin, monitor.screen, monitor.screen, kScreenColour);
        if (monitor.taskbarState == TaskbarState::Visible)
            FillRect(*picture, origin, monitor.taskbar, monitor.screen, kTaskbarColour);
    }
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        if (desktop.PresentCount(i) == 0)
            continue;
        CBmp shown;
        desktop.CopyLastPresented(i, &shown);
        const DesktopRect at = desktop.LastDestination(i);
        ComposeOverlay(*picture, origin, shown, at.left, at.top);
    }
}
