#include "ui/CWin32Desktop.h"

#include "effects/engine/DirtyBox.h"
#include "graphics/CBmp.h"
#include "ui/Composition.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr const char* kTaskbarClass = "Shell_TrayWnd";
constexpr DWORD kTransitionsForceDisabled = 3; // DWMWA_TRANSITIONS_FORCEDISABLED

DesktopRect ToDesktopRect(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

} // namespace

CWin32Desktop::CWin32Desktop(HINSTANCE module)
    : module(module ? module : GetModuleHandleA(nullptr)) {
    overlay.onDestroy = [this] { OnOverlayDestroyed(); };
}

CWin32Desktop::~CWin32Desktop() {
    DestroyOverlay();
}

std::vector<MonitorArea> CWin32Desktop::Monitors() {
    MonitorArea primary;
    primary.screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    primary.taskbarState = FindTaskbar(&primary.taskbar);
    return {primary};
}

uint32_t CWin32Desktop::TickCount() {
    return GetTickCount();
}

HWND CWin32Desktop::FindVisibleTaskbar(bool* exists) {
    HWND taskbar = FindWindowA(kTaskbarClass, nullptr);
    *exists = taskbar != nullptr;
    while (taskbar && !IsWindowVisible(taskbar))
        taskbar = FindWindowExA(nullptr, taskbar, kTaskbarClass, nullptr);
    return taskbar;
}

TaskbarState CWin32Desktop::FindTaskbar(DesktopRect* rect) {
    bool exists = false;
    HWND taskbar = FindVisibleTaskbar(&exists);
    if (!taskbar)
        return exists ? TaskbarState::Hidden : TaskbarState::None;
    RECT bounds{};
    GetWindowRect(taskbar, &bounds);
    if (rect)
        *rect = ToDesktopRect(bounds);
    return TaskbarState::Visible;
}

bool CWin32Desktop::CreateOverlay(std::size_t index, const DesktopRect& rect, int32_t bandLeft) {
    if (index != 0)
        return false;
    DestroyOverlay();
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (!overlay.Create(CEmbraDrawWnd::kExStyle, CEmbraDrawWnd::kStyle, 0, 0, 0, 0, nullptr,
                        nullptr))
        return false;
    SetWindowPos(overlay.Handle(), nullptr, rect.left, rect.top, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    DisableTransitions();
    CWindowDc windowDc(overlay.Handle());
    void* bits = nullptr;
    if (!windowDc.Get() || !memoryDc.Create(windowDc.Get()) ||
        !bandBitmap.CreateDib(windowDc.Get(), width, height, &bits) ||
        !bandSelection.Select(memoryDc.Get(), bandBitmap.Get()) || !screenDc.Acquire()) {
        DestroyOverlay();
        return false;
    }
    surfacePixels = static_cast<uint8_t*>(bits);
    surfaceSize = {width, height};
    canvasLeft = bandLeft;
    presentWhole.store(true, std::memory_order_release);
    presentedWindow.store(overlay.Handle(), std::memory_order_release);
    return true;
}

void CWin32Desktop::OnOverlayDestroyed() {
    presentedWindow.store(nullptr, std::memory_order_release);
    if (!destroying && onOverlayLost)
        onOverlayLost();
}

void CWin32Desktop::DisableTransitions() {
    if (!IsThemeActive())
        return;
    const BOOL disabled = TRUE; // a 4-byte value 1
    SetDwmWindowAttribute(overlay.Handle(), kTransitionsForceDisabled, &disabled, sizeof disabled);
}

// Shown without activation: the overlay never takes the keyboard focus from the window
// the user works in (the main window, when the effect starts with the program).
void CWin32Desktop::ShowOverlay(std::size_t index) {
    if (index != 0)
        return;
    SetWindowPos(overlay.Handle(), nullptr, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(overlay.Handle(), SW_SHOWNA);
    presentWhole.store(true, std::memory_order_release);
}

void CWin32Desktop::HideOverlay(std::size_t index) {
    if (index != 0)
        return;
    ShowWindow(overlay.Handle(), SW_HIDE);
}

void CWin32Desktop::DestroyOverlays() {
    DestroyOverlay();
}

void CWin32Desktop::DestroyOverlay() {
    presentedWindow.store(nullptr, std::memory_order_release);
    bandSelection.Reset();
    bandBitmap.Reset();
    surfacePixels = nullptr;
    surfaceSize = {};
    memoryDc.Reset();
    screenDc.Reset();
    destroying = true;
    overlay.Destroy();
    destroying = false;
}

bool CWin32Desktop::OverlayRect(std::size_t index, DesktopRect* rect) {
    RECT bounds{};
    if (index != 0 || !overlay.Handle() || !GetWindowRect(overlay.Handle(), &bounds))
        return false;
    if (rect)
        *rect = ToDesktopRect(bounds);
    return true;
}

void CWin32Desktop::MoveOverlay(std::size_t index, int32_t x, int32_t y) {
    if (index == 0 && overlay.Handle())
        SetWindowPos(overlay.Handle(), nullptr, x, y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWin32Desktop::PutOverlayBehindTaskbar(std::size_t index) {
    bool exists = false;
    HWND taskbar = FindVisibleTaskbar(&exists);
    if (index == 0 && taskbar && overlay.Handle())
        SetWindowPos(overlay.Handle(), taskbar, 0, 0, 0, 0,
                     SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

void CWin32Desktop::CopyBand(std::size_t index, const CBmp& band, const DesktopRect& dirty) {
    if (index != 0 || !surfacePixels || !band.pixels)
        return;
    // The slice from column canvasLeft lies at the surface's top-left corner, clipped to it.
    const int32_t columns = std::max(0, band.width - canvasLeft);
    const DesktopRect whole{0, 0, columns, band.height};
    const bool all = presentWhole.load(std::memory_order_acquire);
    const DesktopRect part = ClipBox(all ? whole : dirty, std::min(columns, surfaceSize.width),
                                     std::min(band.height, surfaceSize.height));
    GdiFlush(); // nothing of GDI's may still be writing the surface
    const auto bytes = static_cast<std::size_t>(part.right - part.left) * 4;
    for (int32_t y = part.top; y < part.bottom; ++y)
        std::memcpy(
            surfacePixels + (static_cast<std::size_t>(y) * surfaceSize.width + part.left) * 4,
            band.pixels + (static_cast<std::size_t>(y) * band.width + canvasLeft + part.left) * 4,
            bytes);
}

bool CWin32Desktop::Present(std::size_t index, int32_t x, int32_t y, const DesktopRect& dirty) {
    // Read once: the main thread may see the window destroyed meanwhile, and the system
    // then refuses the stale handle.
    HWND window = presentedWindow.load(std::memory_order_acquire);
    if (index != 0 || !window || !memoryDc.Get())
        return false;
    const bool moved = x != lastDestination.x || y != lastDestination.y;
    const bool all = presentWhole.exchange(false, std::memory_order_acq_rel) || moved;
    const DesktopRect part = ClipBox(dirty, surfaceSize.width, surfaceSize.height);
    if (!all && BoxEmpty(part))
        return true;
    CWindowDc screen(nullptr);
    POINT destination{x, y};
    SIZE size{surfaceSize.width, surfaceSize.height};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    const RECT dirtyRect{part.left, part.top, part.right, part.bottom};
    UPDATELAYEREDWINDOWINFO info{};
    info.cbSize = sizeof info;
    info.hdcDst = screen.Get();
    info.pptDst = &destination;
    info.psize = &size;
    info.hdcSrc = memoryDc.Get();
    info.pptSrc = &source;
    info.pblend = &blend;
    info.dwFlags = ULW_ALPHA;
    info.prcDirty = all ? nullptr : &dirtyRect;
    if (!UpdateLayeredWindowIndirect(window, &info)) {
        presentWhole.store(true, std::memory_order_release);
        return false;
    }
    lastDestination = destination;
    return true;
}

void CWin32Desktop::PauseWhileStopping(int32_t milliseconds) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::max(0, milliseconds)),
                              QS_SENDMESSAGE);
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

bool CWin32Desktop::LoadBitmapResource(int number, CBmp* bitmap) {
    bitmap->LoadBitmapResource(module, number);
    return bitmap->pixels != nullptr;
}
