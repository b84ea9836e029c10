#include "effects/headless/CHeadlessDesktop.h"

#include "effects/engine/DirtyBox.h"
#include "effects/engine/TaskbarPlacement.h"
#include "graphics/ArtworkBitmap.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <deque>
#include <thread>

namespace {

// Copies rectangle `part` of `from` (its columns shifted right by `fromLeft`) to `part`
// of `to`; `part` lies inside both.
void CopyPart(const CBmp& from, int32_t fromLeft, CBmp& to, const DesktopRect& part) {
    const auto columns = static_cast<std::size_t>(part.right - part.left) * kBytesPerPixel;
    for (int32_t y = part.top; y < part.bottom; ++y)
        std::memcpy(
            to.pixels + (static_cast<std::size_t>(y) * to.width + part.left) * kBytesPerPixel,
            from.pixels +
                (static_cast<std::size_t>(y) * from.width + fromLeft + part.left) * kBytesPerPixel,
            columns);
}

DesktopRect Offset(const DesktopRect& rect, int32_t dx, int32_t dy) {
    return {rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

} // namespace

CHeadlessDesktop::CHeadlessDesktop(int32_t width, int32_t height)
    : monitors{MonitorArea{{0, 0, width, height}, TaskbarState::None, {}}} {}

void CHeadlessDesktop::SetScreenSize(int32_t width, int32_t height) {
    std::lock_guard<std::mutex> guard(lock);
    DesktopRect& screen = monitors.front().screen;
    screen = {screen.left, screen.top, screen.left + width, screen.top + height};
}

void CHeadlessDesktop::SetMonitors(const std::vector<DesktopRect>& screens) {
    std::lock_guard<std::mutex> guard(lock);
    std::vector<MonitorArea> now;
    for (std::size_t i = 0; i < screens.size(); ++i) {
        MonitorArea monitor{screens[i], TaskbarState::None, {}};
        if (i < monitors.size()) {
            const MonitorArea& before = monitors[i];
            monitor.taskbarState = before.taskbarState;
            monitor.taskbar = Offset(before.taskbar, screens[i].left - before.screen.left,
                                     screens[i].top - before.screen.top);
        }
        now.push_back(monitor);
    }
    monitors = now;
}

void CHeadlessDesktop::SetTaskbar(std::size_t monitor, TaskbarSide edge, int32_t size) {
    DesktopRect s;
    {
        std::lock_guard<std::mutex> guard(lock);
        if (monitor >= monitors.size())
            return;
        s = monitors[monitor].screen;
    }
    switch (edge) {
    case TaskbarSide::Bottom:
        return SetTaskbarRect(monitor, {s.left, s.bottom - size, s.right, s.bottom});
    case TaskbarSide::Top:
        return SetTaskbarRect(monitor, {s.left, s.top, s.right, s.top + size});
    case TaskbarSide::Left:
        return SetTaskbarRect(monitor, {s.left, s.top, s.left + size, s.bottom});
    case TaskbarSide::Right:
        return SetTaskbarRect(monitor, {s.right - size, s.top, s.right, s.bottom});
    case TaskbarSide::Unknown:
        return;
    }
}

// The taskbar's usual thickness, of which only the strip lies on the monitor.
void CHeadlessDesktop::SetAutoHiddenTaskbar(std::size_t monitor, TaskbarSide edge) {
    constexpr int32_t kThickness = 40;
    if (edge == TaskbarSide::Unknown)
        return;
    SetTaskbar(monitor, edge, kThickness);
    std::lock_guard<std::mutex> guard(lock);
    if (monitor >= monitors.size())
        return;
    const int32_t away = kThickness - kAutoHiddenStrip;
    DesktopRect& bar = monitors[monitor].taskbar;
    switch (edge) {
    case TaskbarSide::Bottom:
        bar = Offset(bar, 0, away);
        break;
    case TaskbarSide::Top:
        bar = Offset(bar, 0, -away);
        break;
    case TaskbarSide::Left:
        bar = Offset(bar, -away, 0);
        break;
    case TaskbarSide::Right:
        bar = Offset(bar, away, 0);
        break;
    case TaskbarSide::Unknown:
        break;
    }
}

void CHeadlessDesktop::SetTaskbarRect(std::size_t monitor, const DesktopRect& rect) {
    std::lock_guard<std::mutex> guard(lock);
    if (monitor >= monitors.size())
        return;
    monitors[monitor].taskbarState = TaskbarState::Visible;
    monitors[monitor].taskbar = rect;
}

void CHeadlessDesktop::HideTaskbar(std::size_t monitor) {
    std::lock_guard<std::mutex> guard(lock);
    if (monitor < monitors.size())
        monitors[monitor].taskbarState = TaskbarState::Hidden;
}

void CHeadlessDesktop::RemoveTaskbar(std::size_t monitor) {
    std::lock_guard<std::mutex> guard(lock);
    if (monitor < monitors.size())
        monitors[monitor].taskbarState = TaskbarState::None;
}

void CHeadlessDesktop::SetTickCount(uint32_t ticks) {
    std::lock_guard<std::mutex> guard(lock);
    tickCount = ticks;
}

CHeadlessDesktop::CActivity::CActivity(CHeadlessDesktop& desktop, std::atomic<int32_t>* mine,
                                       const std::atomic<int32_t>* theirs)
    : mine(mine) {
    if (!mine)
        return;
    mine->fetch_add(1);
    if (theirs->load() != 0)
        desktop.overlaps.fetch_add(1);
}

CHeadlessDesktop::CActivity::~CActivity() {
    if (mine)
        mine->fetch_sub(1);
}

CHeadlessDesktop::Overlay* CHeadlessDesktop::Record(std::size_t index, bool make) {
    std::lock_guard<std::mutex> guard(lock);
    while (make && overlays.size() <= index)
        overlays.push_back(std::make_unique<Overlay>());
    return index < overlays.size() ? overlays[index].get() : nullptr;
}

CHeadlessDesktop::Overlay* CHeadlessDesktop::Find(std::size_t overlay) {
    return overlay < overlays.size() && overlays[overlay]->exists ? overlays[overlay].get()
                                                                  : nullptr;
}

const CHeadlessDesktop::Overlay* CHeadlessDesktop::Find(std::size_t overlay) const {
    return overlay < overlays.size() && overlays[overlay]->exists ? overlays[overlay].get()
                                                                  : nullptr;
}

bool CHeadlessDesktop::OverlayExists(std::size_t overlay) const {
    std::lock_guard<std::mutex> guard(lock);
    return Find(overlay) != nullptr;
}

bool CHeadlessDesktop::OverlayVisible(std::size_t overlay) const {
    std::lock_guard<std::mutex> guard(lock);
    const Overlay* found = Find(overlay);
    return found && found->visible;
}

bool CHeadlessDesktop::OverlayBehindTaskbar(std::size_t overlay) const {
    std::lock_guard<std::mutex> guard(lock);
    const Overlay* found = Find(overlay);
    return found && found->behindTaskbar;
}

int32_t CHeadlessDesktop::OverlayCount() const {
    std::lock_guard<std::mutex> guard(lock);
    return overlayCount;
}

int32_t CHeadlessDesktop::LiveOverlays() const {
    std::lock_guard<std::mutex> guard(lock);
    return static_cast<int32_t>(std::count_if(overlays.begin(), overlays.end(),
                                              [](const auto& overlay) { return overlay->exists; }));
}

int32_t CHeadlessDesktop::PresentCount() const {
    return presentCount.load(std::memory_order_acquire);
}

int32_t CHeadlessDesktop::PresentCount(std::size_t overlay) const {
    std::lock_guard<std::mutex> guard(lock);
    return overlay < overlays.size() ? overlays[overlay]->presents : 0;
}

int32_t CHeadlessDesktop::OffScreenPresents() const {
    std::lock_guard<std::mutex> guard(lock);
    return offScreen;
}

DesktopRect CHeadlessDesktop::LastDestination(std::size_t overlay) const {
    std::lock_guard<std::mutex> guard(lock);
    return overlay < overlays.size() ? overlays[overlay]->lastDestination : DesktopRect{};
}

int32_t CHeadlessDesktop::CanvasLeft(std::size_t overlay) const {
    std::lock_guard<std::mutex> guard(lock);
    const Overlay* found = Find(overlay);
    return found ? found->canvasLeft : 0;
}

void CHeadlessDesktop::CopyLastPresented(std::size_t overlay, CBmp* out) const {
    std::lock_guard<std::mutex> guard(lock);
    if (overlay < overlays.size() && overlays[overlay]->lastPresented.pixels)
        out->Copy(overlays[overlay]->lastPresented);
    else
        out->Free();
}

DesktopRect CHeadlessDesktop::LastShownPart(std::size_t overlay) const {
    std::lock_guard<std::mutex> guard(lock);
    return overlay < overlays.size() ? overlays[overlay]->lastShown : DesktopRect{};
}

std::vector<MonitorArea> CHeadlessDesktop::Monitors() {
    std::lock_guard<std::mutex> guard(lock);
    return monitors;
}

uint32_t CHeadlessDesktop::TickCount() {
    std::lock_guard<std::mutex> guard(lock);
    return tickCount;
}

bool CHeadlessDesktop::CreateOverlay(std::size_t index, const DesktopRect& rect,
                                     int32_t canvasLeft) {
    const int32_t width = rect.right - rect.left;
    const int32_t height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return false;
    Overlay& overlay = *Record(index, true);
    const CActivity change(*this, &overlay.changes, &overlay.uses);
    std::lock_guard<std::mutex> guard(lock);
    overlay.exists = false;
    overlay.surface.Create(width, height);
    if (!overlay.surface.pixels)
        return false;
    overlay.rect = rect;
    overlay.canvasLeft = canvasLeft;
    overlay.exists = true;
    overlay.showWhole = true;
    overlay.visible = false;
    overlay.behindTaskbar = false;
    ++overlayCount;
    return true;
}

void CHeadlessDesktop::ShowOverlay(std::size_t index) {
    std::lock_guard<std::mutex> guard(lock);
    if (Overlay* overlay = Find(index)) {
        overlay->visible = true;
        overlay->showWhole = true;
    }
}

void CHeadlessDesktop::HideOverlay(std::size_t index) {
    std::lock_guard<std::mutex> guard(lock);
    if (Overlay* overlay = Find(index))
        overlay->visible = false;
}

void CHeadlessDesktop::DestroyOverlays() {
    std::deque<CActivity> changes;
    for (std::size_t i = 0; Overlay* overlay = Record(i, false); ++i)
        changes.emplace_back(*this, &overlay->changes, &overlay->uses);
    std::lock_guard<std::mutex> guard(lock);
    for (auto& overlay : overlays) {
        overlay->exists = false;
        overlay->visible = false;
        overlay->behindTaskbar = false;
        overlay->surface.Free();
    }
}

bool CHeadlessDesktop::OverlayRect(std::size_t index, DesktopRect* rect) {
    std::lock_guard<std::mutex> guard(lock);
    const Overlay* overlay = Find(index);
    if (overlay && rect)
        *rect = overlay->rect;
    return overlay != nullptr;
}

void CHeadlessDesktop::MoveOverlay(std::size_t index, int32_t x, int32_t y) {
    std::lock_guard<std::mutex> guard(lock);
    if (Overlay* overlay = Find(index))
        overlay->rect = Offset(overlay->rect, x - overlay->rect.left, y - overlay->rect.top);
}

void CHeadlessDesktop::PutOverlayBehindTaskbar(std::size_t index) {
    std::lock_guard<std::mutex> guard(lock);
    if (Overlay* overlay = Find(index))
        overlay->behindTaskbar =
            index < monitors.size() && monitors[index].taskbarState == TaskbarState::Visible;
}

bool CHeadlessDesktop::ResizeOverlay(std::size_t index, int32_t width) {
    Overlay* record = Record(index, false);
    const CActivity change(*this, record ? &record->changes : nullptr,
                           record ? &record->uses : nullptr);
    std::lock_guard<std::mutex> guard(lock);
    Overlay* overlay = Find(index);
    if (!overlay || width <= 0)
        return false;
    overlay->rect.right = overlay->rect.left + width;
    overlay->showWhole = true;
    overlay->surface.Create(width, overlay->rect.bottom - overlay->rect.top);
    return overlay->surface.pixels != nullptr;
}

void CHeadlessDesktop::CopyBand(std::size_t index, const CBmp& band, const DesktopRect& dirty) {
    Overlay* record = Record(index, false);
    const CActivity use(*this, record ? &record->uses : nullptr,
                        record ? &record->changes : nullptr);
    std::lock_guard<std::mutex> guard(lock);
    Overlay* overlay = Find(index);
    if (!overlay || !overlay->surface.pixels || !band.pixels)
        return;
    // The slice lies at the surface's top-left corner, clipped to the surface.
    const CBmp& surface = overlay->surface;
    const int32_t columns = std::max(0, band.width - overlay->canvasLeft);
    const DesktopRect whole{0, 0, columns, band.height};
    const DesktopRect part =
        ClipBox(overlay->showWhole ? whole : dirty, std::min(columns, surface.width),
                std::min(band.height, surface.height));
    CopyPart(band, overlay->canvasLeft, overlay->surface, part);
}

bool CHeadlessDesktop::OnOneMonitor(const DesktopRect& rect) const {
    return std::any_of(monitors.begin(), monitors.end(), [&](const MonitorArea& monitor) {
        const DesktopRect& s = monitor.screen;
        return rect.left >= s.left && rect.top >= s.top && rect.right <= s.right &&
               rect.bottom <= s.bottom;
    });
}

bool CHeadlessDesktop::Present(std::size_t index, int32_t x, int32_t y, const DesktopRect& dirty) {
    Overlay* record = Record(index, false);
    const CActivity use(*this, record ? &record->uses : nullptr,
                        record ? &record->changes : nullptr);
    CBmp* shown = nullptr;
    {
        std::lock_guard<std::mutex> guard(lock);
        Overlay* overlay = Find(index);
        if (!overlay || !overlay->surface.pixels)
            return false;
        const CBmp& surface = overlay->surface;
        const DesktopRect destination{x, y, x + surface.width, y + surface.height};
        const bool moved = destination.left != overlay->lastDestination.left ||
                           destination.top != overlay->lastDestination.top;
        if (overlay->lastPresented.width != surface.width ||
            overlay->lastPresented.height != surface.height)
            overlay->lastPresented.Create(surface.width, surface.height);
        const DesktopRect whole{0, 0, surface.width, surface.height};
        overlay->lastShown =
            ClipBox(overlay->showWhole || moved ? whole : dirty, surface.width, surface.height);
        CopyPart(surface, 0, overlay->lastPresented, overlay->lastShown);
        overlay->lastDestination = destination;
        overlay->showWhole = false;
        ++overlay->presents;
        if (!OnOneMonitor(destination))
            ++offScreen;
        shown = &overlay->lastPresented;
    }
    presentCount.fetch_add(1, std::memory_order_acq_rel);
    if (onPresent)
        onPresent(*shown, x, y);
    return true;
}

void CHeadlessDesktop::PauseWhileStopping(int32_t milliseconds) {
    if (whileStopping)
        whileStopping();
    std::this_thread::sleep_for(std::chrono::milliseconds(std::max(0, milliseconds)));
}

bool CHeadlessDesktop::LoadBitmapResource(int number, CBmp* bitmap) {
    bitmap->Free();
    return LoadArtworkBitmap(number, *bitmap);
}
