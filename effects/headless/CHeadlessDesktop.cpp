#include "effects/headless/CHeadlessDesktop.h"

#include "graphics/ArtworkBitmap.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

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
    overlayVisible = false;
    behindTaskbar = false;
    ++overlayCount;
    return true;
}

void CHeadlessDesktop::ShowOverlay() {
    std::lock_guard<std::mutex> guard(lock);
    overlayVisible = overlayExists;
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

void CHeadlessDesktop::CopyBand(const CBmp& band) {
    std::lock_guard<std::mutex> guard(lock);
    if (!surface.pixels || !band.pixels)
        return;
    // The band goes to the surface's top-left corner, clipped to the surface.
    const int32_t columns = std::min(band.width, surface.width);
    const int32_t rows = std::min(band.height, surface.height);
    for (int32_t y = 0; y < rows; ++y)
        std::memcpy(surface.pixels + static_cast<std::size_t>(y) * surface.width * 4,
                    band.pixels + static_cast<std::size_t>(y) * band.width * 4,
                    static_cast<std::size_t>(columns) * 4);
}

bool CHeadlessDesktop::Present(int32_t x, int32_t y) {
    {
        std::lock_guard<std::mutex> guard(lock);
        if (!overlayExists)
            return false;
        lastPresented.Copy(surface);
        lastDestination = {x, y, x + surface.width, y + surface.height};
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
