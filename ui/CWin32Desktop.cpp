#include "ui/CWin32Desktop.h"

#include "graphics/CBmp.h"
#include "ui/Composition.h"

#include <algorithm>

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

DesktopSize CWin32Desktop::ScreenSize() {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
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

bool CWin32Desktop::CreateOverlay(const DesktopRect& rect) {
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
    if (!windowDc.Get() || !memoryDc.Create(windowDc.Get()) ||
        !bandBitmap.CreateCompatible(windowDc.Get(), width, height) ||
        !bandSelection.Select(memoryDc.Get(), bandBitmap.Get()) || !screenDc.Acquire()) {
        DestroyOverlay();
        return false;
    }
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
void CWin32Desktop::ShowOverlay() {
    SetWindowPos(overlay.Handle(), nullptr, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(overlay.Handle(), SW_SHOWNA);
}

void CWin32Desktop::HideOverlay() {
    ShowWindow(overlay.Handle(), SW_HIDE);
}

void CWin32Desktop::DestroyOverlay() {
    presentedWindow.store(nullptr, std::memory_order_release);
    bandSelection.Reset();
    bandBitmap.Reset();
    memoryDc.Reset();
    screenDc.Reset();
    destroying = true;
    overlay.Destroy();
    destroying = false;
}

bool CWin32Desktop::OverlayRect(DesktopRect* rect) {
    RECT bounds{};
    if (!overlay.Handle() || !GetWindowRect(overlay.Handle(), &bounds))
        return false;
    if (rect)
        *rect = ToDesktopRect(bounds);
    return true;
}

void CWin32Desktop::MoveOverlay(int32_t x, int32_t y) {
    if (overlay.Handle())
        SetWindowPos(overlay.Handle(), nullptr, x, y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWin32Desktop::PutOverlayBehindTaskbar() {
    bool exists = false;
    HWND taskbar = FindVisibleTaskbar(&exists);
    if (taskbar && overlay.Handle())
        SetWindowPos(overlay.Handle(), taskbar, 0, 0, 0, 0,
                     SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

void CWin32Desktop::CopyBand(const CBmp& band) {
    if (!memoryDc.Get() || !band.pixels)
        return;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header; // 40
    header.biWidth = band.width;
    header.biHeight = -band.height; // top-down rows
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(band.width) * band.height * 4;
    SetDIBitsToDevice(memoryDc.Get(), 0, 0, band.width, band.height, 0, 0, 0, band.height,
                      band.pixels, reinterpret_cast<const BITMAPINFO*>(&header), DIB_RGB_COLORS);
}

bool CWin32Desktop::Present(int32_t x, int32_t y) {
    // Read once: the main thread may see the window destroyed meanwhile, and the system
    // then refuses the stale handle.
    HWND window = presentedWindow.load(std::memory_order_acquire);
    if (!window || !memoryDc.Get())
        return false;
    CWindowDc screen(nullptr);
    RECT client{};
    GetClientRect(window, &client);
    POINT destination{x, y};
    SIZE size{client.right, client.bottom};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return UpdateLayeredWindow(window, screen.Get(), &destination, &size, memoryDc.Get(), &source,
                               0, &blend, ULW_ALPHA) != FALSE;
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
