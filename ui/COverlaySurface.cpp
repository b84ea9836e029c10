#include "ui/COverlaySurface.h"

#include "effects/engine/DirtyBox.h"
#include "graphics/CBmp.h"
#include "ui/Composition.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr DWORD kTransitionsForceDisabled = 3; // DWMWA_TRANSITIONS_FORCEDISABLED

} // namespace

COverlaySurface::COverlaySurface() {
    window.onDestroy = [this] { OnDestroyed(); };
}

COverlaySurface::~COverlaySurface() {
    Destroy();
}

bool COverlaySurface::Create(const DesktopRect& rect, int32_t bandLeft) {
    Destroy();
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    window.underWindows = under;
    if (!window.Create(under ? CEmbraDrawWnd::kUnderExStyle : CEmbraDrawWnd::kExStyle,
                       CEmbraDrawWnd::kStyle, 0, 0, 0, 0, nullptr, nullptr))
        return false;
    SetWindowPos(window.Handle(), under ? HWND_BOTTOM : nullptr, rect.left, rect.top, width, height,
                 (under ? 0 : SWP_NOZORDER) | SWP_NOACTIVATE);
    DisableTransitions();
    CWindowDc windowDc(window.Handle());
    void* bits = nullptr;
    if (!windowDc.Get() || !memoryDc.Create(windowDc.Get()) ||
        !bandBitmap.CreateDib(windowDc.Get(), width, height, &bits) ||
        !bandSelection.Select(memoryDc.Get(), bandBitmap.Get()) || !screenDc.Acquire()) {
        Destroy();
        return false;
    }
    surfacePixels = static_cast<uint8_t*>(bits);
    surfaceSize = {width, height};
    canvasLeft = bandLeft;
    presentWhole.store(true, std::memory_order_release);
    presentedWindow.store(window.Handle(), std::memory_order_release);
    return true;
}

void COverlaySurface::OnDestroyed() {
    presentedWindow.store(nullptr, std::memory_order_release);
    if (!destroying && onLost)
        onLost();
}

void COverlaySurface::DisableTransitions() {
    if (!IsThemeActive())
        return;
    const BOOL disabled = TRUE; // a 4-byte value 1
    SetDwmWindowAttribute(window.Handle(), kTransitionsForceDisabled, &disabled, sizeof disabled);
}

// Shown without activation: the overlay never takes the keyboard focus from the window
// the user works in (the main window, when the effect starts with the program).
void COverlaySurface::Show() {
    SetWindowPos(window.Handle(), nullptr, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window.Handle(), SW_SHOWNA);
    presentWhole.store(true, std::memory_order_release);
}

void COverlaySurface::Hide() {
    ShowWindow(window.Handle(), SW_HIDE);
}

void COverlaySurface::Destroy() {
    presentedWindow.store(nullptr, std::memory_order_release);
    bandSelection.Reset();
    bandBitmap.Reset();
    surfacePixels = nullptr;
    surfaceSize = {};
    memoryDc.Reset();
    screenDc.Reset();
    destroying = true;
    window.Destroy();
    destroying = false;
}

bool COverlaySurface::Rect(DesktopRect* rect) {
    RECT bounds{};
    if (!window.Handle() || !GetWindowRect(window.Handle(), &bounds))
        return false;
    if (rect)
        *rect = DesktopRect{bounds.left, bounds.top, bounds.right, bounds.bottom};
    return true;
}

void COverlaySurface::Move(int32_t x, int32_t y) {
    if (window.Handle())
        SetWindowPos(window.Handle(), nullptr, x, y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void COverlaySurface::PutBehind(HWND taskbar) {
    if (taskbar && window.Handle())
        SetWindowPos(window.Handle(), taskbar, 0, 0, 0, 0,
                     SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

void COverlaySurface::SetUnder(bool under) {
    this->under = under;
    window.underWindows = false;
    if (!window.Handle())
        return;
    SetWindowPos(window.Handle(), under ? HWND_NOTOPMOST : HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    window.underWindows = under;
    if (under)
        PutUnder();
}

// The window's own answer to the change puts it just above the desktop.
void COverlaySurface::PutUnder() {
    if (window.Handle())
        SetWindowPos(window.Handle(), HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

// The memory device context stays; the old DIB section goes before the new one is made,
// so that the two never hold memory at once.
bool COverlaySurface::Resize(int32_t width) {
    const int32_t height = surfaceSize.height;
    bandSelection.Reset();
    bandBitmap.Reset();
    surfacePixels = nullptr;
    surfaceSize = {};
    presentWhole.store(true, std::memory_order_release);
    void* bits = nullptr;
    if (!memoryDc.Get() || width <= 0 || height <= 0 ||
        !bandBitmap.CreateDib(memoryDc.Get(), width, height, &bits) ||
        !bandSelection.Select(memoryDc.Get(), bandBitmap.Get()))
        return false;
    surfacePixels = static_cast<uint8_t*>(bits);
    surfaceSize = {width, height};
    return true;
}

void COverlaySurface::CopyBand(const CBmp& band, const DesktopRect& dirty) {
    if (!surfacePixels || !band.pixels)
        return;
    // The slice from column canvasLeft lies at the surface's top-left corner, clipped to it.
    const int32_t columns = std::max(0, band.width - canvasLeft);
    const DesktopRect whole{0, 0, columns, band.height};
    const bool all = presentWhole.load(std::memory_order_acquire);
    const DesktopRect part = ClipBox(all ? whole : dirty, std::min(columns, surfaceSize.width),
                                     std::min(band.height, surfaceSize.height));
    GdiFlush(); // nothing of GDI's may still be writing the surface
    const auto bytes = static_cast<std::size_t>(part.right - part.left) * kBytesPerPixel;
    for (int32_t y = part.top; y < part.bottom; ++y)
        std::memcpy(surfacePixels + (static_cast<std::size_t>(y) * surfaceSize.width + part.left) *
                                        kBytesPerPixel,
                    band.pixels +
                        (static_cast<std::size_t>(y) * band.width + canvasLeft + part.left) *
                            kBytesPerPixel,
                    bytes);
}

bool COverlaySurface::Present(int32_t x, int32_t y, const DesktopRect& dirty) {
    // Read once: the main thread may see the window destroyed meanwhile, and the system
    // then refuses the stale handle.
    HWND target = presentedWindow.load(std::memory_order_acquire);
    if (!target || !memoryDc.Get() || !surfacePixels)
        return false;
    const bool moved = x != lastDestination.x || y != lastDestination.y;
    const DesktopRect part = ClipBox(dirty, surfaceSize.width, surfaceSize.height);
    // A dirty rectangle over the whole window is left out: Wine then copies the window's
    // surface once per call instead of twice.
    const bool all = presentWhole.exchange(false, std::memory_order_acq_rel) || moved ||
                     (part.left == 0 && part.top == 0 && part.right == surfaceSize.width &&
                      part.bottom == surfaceSize.height);
    if (!all && BoxEmpty(part))
        return true;
    POINT destination{x, y};
    SIZE size{surfaceSize.width, surfaceSize.height};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    const RECT dirtyRect{part.left, part.top, part.right, part.bottom};
    UPDATELAYEREDWINDOWINFO info{};
    info.cbSize = sizeof info;
    info.hdcDst = screenDc.Get();
    info.pptDst = &destination;
    info.psize = &size;
    info.hdcSrc = memoryDc.Get();
    info.pptSrc = &source;
    info.pblend = &blend;
    info.dwFlags = ULW_ALPHA;
    info.prcDirty = all ? nullptr : &dirtyRect;
    if (!UpdateLayeredWindowIndirect(target, &info)) {
        presentWhole.store(true, std::memory_order_release);
        return false;
    }
    lastDestination = destination;
    return true;
}
