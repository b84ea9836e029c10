#include "effects/headless/CHeadlessDesktop.h"

#include "effects/engine/DirtyBox.h"
#include "graphics/ArtworkBitmap.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

namespace {

// Copies rectangle `part` of `from` to the same place of `to`; `part` lies inside both.
void CopyPart(const CBmp& from, CBmp& to, const DesktopRect& part) {
    const auto columns = static_cast<std::size_t>(part.right - part.left) * 4;
    for (int32_t y = part.top; y < part.bottom; ++y)
        std::memcpy(to.pixels + (static_cast<std::size_t>(y) * to.width + part.left) * 4,
                    from.pixels + (static_cast<std::size_t>(y) * from.width + part.left) * 4,
                    columns);
}

} // namespace

CHeadlessDesktop::CHeadlessDesktop(int32_t width, int32_t height) : screen{width, height} {}

void CHeadlessDesktop::SetScreenSize(int32_t width, int32_t height) {
    std::lock_guard<std::mutex> guard(lock);
    screen = {width, height};
}

void CHeadlessDesktop::SetTaskbar(TaskbarEdge edge, int32_t size) {
    const DesktopSize s = ScreenSize();
    switch (edge) {
    case TaskbarEdge::Bottom:
        SetTaskbarRect({0, s.height - size, s.width, s.height});
        break;
    case TaskbarEdge::Top:
        SetTaskbarRect({0, 0, s.width, size});
        break;
    case TaskbarEdge::Left:
        SetTaskbarRect({0, 0, size, s.height});
        break;
    case TaskbarEdge::Right:
        SetTaskbarRect({s.width - size, 0, s.width, s.height});
        break;
    }
}

void CHeadlessDesktop::SetTaskbarRect(const DesktopRect& rect) {
    std::lock_guard<std::mutex> guard(lock);
    taskbarState = TaskbarState::Visible;
    taskbar = rect;
}

void CHeadlessDesktop::HideTaskbar() {
    std::lock_guard<std::mutex> guard(lock);
    taskbarState = TaskbarState::Hidden;
}

void CHeadlessDesktop::RemoveTaskbar() {
    std::lock_guard<std::mutex> guard(lock);
    taskbarState = TaskbarState::None;
}

void CHeadlessDesktop::SetTickCount(uint32_t ticks) {
    std::lock_guard<std::mutex> guard(lock);
    tickCount = ticks;
}

bool CHeadlessDesktop::OverlayExists() const {
    std::lock_guard<std::mutex> guard(lock);
    return overlayExists;
}

bool CHeadlessDesktop::OverlayVisible() const {
    std::lock_guard<std::mutex> guard(lock);
    return overlayVisible;
}

bool CHeadlessDesktop::OverlayBehindTaskbar() const {
    std::lock_guard<std::mutex> guard(lock);
    return behindTaskbar;
}

int32_t CHeadlessDesktop::OverlayCount() const {
    std::lock_guard<std::mutex> guard(lock);
    return overlayCount;
}

int32_t CHeadlessDesktop::PresentCount() const {
    return presentCount.load(std::memory_order_acquire);
}

DesktopRect CHeadlessDesktop::LastDestination() const {
    std::lock_guard<std::mutex> guard(lock);
    return lastDestination;
}

void CHeadlessDesktop::CopyLastPresented(CBmp* out) const {
    std::lock_guard<std::mutex> guard(lock);
    if (lastPresented.pixels)
        out->Copy(lastPresented);
    else
        out->Free();
}

DesktopRect CHeadlessDesktop::LastShownPart() const {
    std::lock_guard<std::mutex> guard(lock);
    return lastShown;
}

DesktopSize CHeadlessDesktop::ScreenSize() {
    std::lock_guard<std::mutex> guard(lock);
    return screen;
}

uint32_t CHeadlessDesktop::TickCount() {
    std::lock_guard<std::mutex> guard(lock);
    return tickCount;
}

TaskbarState CHeadlessDesktop::FindTaskbar(DesktopRect* rect) {
    std::lock_guard<std::mutex> guard(lock);
    if (taskbarState == TaskbarState::Visible && rect)
        *rect = taskbar;
    return taskbarState;
}

bool CHeadlessDesktop::CreateOverlay(const DesktopRect& rect) {
    std::lock_guard<std::mutex> guard(lock);
    const int32_t width = rect.right - rect.left;
    const int32_t height = rect.bottom - rect.top;
    if (overlayExists || width <= 0 || height <= 0)
        return false;
    surface.Create(width, height);
    if (!surface.pixels)
        return false;
    overlay = rect;
    overlayExists = true;
    showWhole = true;
    overlayVisible = false;
    behindTaskbar = false;
    ++overlayCount;
    return true;
}

void CHeadlessDesktop::ShowOverlay() {
    std::lock_guard<std::mutex> guard(lock);
    overlayVisible = overlayExists;
    showWhole = true;
}

void CHeadlessDesktop::HideOverlay() {
    std::lock_guard<std::mutex> guard(lock);
    overlayVisible = false;
}

void CHeadlessDesktop::DestroyOverlay() {
    std::lock_guard<std::mutex> guard(lock);
    overlayExists = false;
    overlayVisible = false;
    behindTaskbar = false;
    surface.Free();
}

bool CHeadlessDesktop::OverlayRect(DesktopRect* rect) {
    std::lock_guard<std::mutex> guard(lock);
    if (overlayExists && rect)
        *rect = overlay;
    return overlayExists;
}

void CHeadlessDesktop::MoveOverlay(int32_t x, int32_t y) {
    std::lock_guard<std::mutex> guard(lock);
    if (!overlayExists)
        return;
    overlay = {x, y, x + overlay.right - overlay.left, y + overlay.bottom - overlay.top};
}

void CHeadlessDesktop::PutOverlayBehindTaskbar() {
    std::lock_guard<std::mutex> guard(lock);
    behindTaskbar = overlayExists && taskbarState == TaskbarState::Visible;
}

void CHeadlessDesktop::CopyBand(const CBmp& band, const DesktopRect& dirty) {
    std::lock_guard<std::mutex> guard(lock);
    if (!surface.pixels || !band.pixels)
        return;
    // The band lies at the surface's top-left corner, clipped to the surface.
    const DesktopRect whole{0, 0, band.width, band.height};
    const DesktopRect part = ClipBox(showWhole ? whole : dirty, std::min(band.width, surface.width),
                                     std::min(band.height, surface.height));
    CopyPart(band, surface, part);
}

bool CHeadlessDesktop::Present(int32_t x, int32_t y, const DesktopRect& dirty) {
    {
        std::lock_guard<std::mutex> guard(lock);
        if (!overlayExists)
            return false;
        const DesktopRect destination{x, y, x + surface.width, y + surface.height};
        const bool moved =
            destination.left != lastDestination.left || destination.top != lastDestination.top;
        if (lastPresented.width != surface.width || lastPresented.height != surface.height)
            lastPresented.Create(surface.width, surface.height);
        const DesktopRect whole{0, 0, surface.width, surface.height};
        lastShown = ClipBox(showWhole || moved ? whole : dirty, surface.width, surface.height);
        CopyPart(surface, lastPresented, lastShown);
        lastDestination = destination;
        showWhole = false;
    }
    presentCount.fetch_add(1, std::memory_order_acq_rel);
    if (onPresent)
        onPresent(lastPresented, x, y);
    return true;
}

void CHeadlessDesktop::PauseWhileStopping(int32_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(std::max(0, milliseconds)));
}

bool CHeadlessDesktop::LoadBitmapResource(int number, CBmp* bitmap) {
    bitmap->Free();
    return LoadArtworkBitmap(number, *bitmap);
}
