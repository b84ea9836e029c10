#include "ui/CWin32Desktop.h"

#include "graphics/CBmp.h"
#include "system/DesktopRect_win.h"
#include "system/MonitorLayout_win.h"
#include "ui/CaptureExclusion.h"

#include <algorithm>

namespace {

constexpr const char* kTaskbarClasses[] = {"Shell_TrayWnd", "Shell_SecondaryTrayWnd"};

// The first visible taskbar window that `fits`.
template <class Fits> HWND FindTaskbarWindow(Fits fits) {
    for (const char* name : kTaskbarClasses)
        for (HWND window = FindWindowExA(nullptr, nullptr, name, nullptr); window;
             window = FindWindowExA(nullptr, window, name, nullptr))
            if (IsWindowVisible(window) && fits(window))
                return window;
    return nullptr;
}

} // namespace

CWin32Desktop::CWin32Desktop(HINSTANCE module)
    : module(module ? module : GetModuleHandleA(nullptr)) {}

CWin32Desktop::~CWin32Desktop() {
    DestroyOverlays();
}

HWND CWin32Desktop::OverlayWindow(std::size_t index) const {
    COverlaySurface* overlay = Overlay(index);
    return overlay ? overlay->Window() : nullptr;
}

std::vector<MonitorArea> CWin32Desktop::Monitors() {
    const bool every = !everyMonitor || everyMonitor();
    std::vector<MonitorArea> monitors = monitorSource ? monitorSource() : ReadMonitors(every);
    if (!every && monitors.size() > 1)
        monitors.resize(1);
    lastMonitors = monitors;
    return monitors;
}

uint32_t CWin32Desktop::TickCount() {
    return GetTickCount();
}

bool CWin32Desktop::CreateOverlay(std::size_t index, const DesktopRect& rect, int32_t bandLeft) {
    if (index >= overlays.size())
        overlays.resize(index + 1);
    if (!overlays[index]) {
        overlays[index] = std::make_unique<COverlaySurface>();
        overlays[index]->onLost = [this] {
            if (onOverlayLost)
                onOverlayLost();
        };
    }
    overlays[index]->SetUnder(Under());
    if (!overlays[index]->Create(rect, bandLeft))
        return false;
    if (hideFromCapture && hideFromCapture())
        ExcludeOverlayFromCapture(index, true);
    return true;
}

void CWin32Desktop::ApplyPlacement() {
    const bool under = Under();
    for (std::size_t i = 0; i < overlays.size(); ++i) {
        if (!overlays[i])
            continue;
        overlays[i]->SetUnder(under);
        if (!under)
            PutOverlayBehindTaskbar(i);
    }
}

void CWin32Desktop::ApplyCaptureExclusion() {
    const bool exclude = hideFromCapture && hideFromCapture();
    for (std::size_t i = 0; i < overlays.size(); ++i)
        ExcludeOverlayFromCapture(i, exclude);
}

bool CWin32Desktop::CaptureExclusionRefused() const {
    return captureAsked ? captureRefused : !CaptureExclusionWorks();
}

void CWin32Desktop::ExcludeOverlayFromCapture(std::size_t index, bool exclude) {
    HWND window = OverlayWindow(index);
    if (!window)
        return;
    const bool done = ExcludeFromCapture(window, exclude);
    if (exclude) {
        captureAsked = true;
        captureRefused = !done;
    }
}

void CWin32Desktop::ShowOverlay(std::size_t index) {
    if (COverlaySurface* overlay = Overlay(index))
        overlay->Show();
}

void CWin32Desktop::HideOverlay(std::size_t index) {
    if (COverlaySurface* overlay = Overlay(index))
        overlay->Hide();
}

void CWin32Desktop::DestroyOverlays() {
    for (auto& overlay : overlays)
        if (overlay)
            overlay->Destroy();
    overlays.clear();
}

bool CWin32Desktop::OverlayRect(std::size_t index, DesktopRect* rect) {
    COverlaySurface* overlay = Overlay(index);
    return overlay && overlay->Rect(rect);
}

void CWin32Desktop::MoveOverlay(std::size_t index, int32_t x, int32_t y) {
    if (COverlaySurface* overlay = Overlay(index))
        overlay->Move(x, y);
}

void CWin32Desktop::PutOverlayBehindTaskbar(std::size_t index) {
    COverlaySurface* overlay = Overlay(index);
    if (overlay && Under())
        overlay->PutUnder();
    else if (overlay)
        overlay->PutBehind(TaskbarWindow(index));
}

bool CWin32Desktop::ResizeOverlay(std::size_t index, int32_t width) {
    COverlaySurface* overlay = Overlay(index);
    return overlay && overlay->Resize(width);
}

void CWin32Desktop::PutOverlaysBehindTaskbars() {
    for (std::size_t i = 0; i < overlays.size(); ++i)
        PutOverlayBehindTaskbar(i);
}

void CWin32Desktop::CopyBand(std::size_t index, const CBmp& band, const DesktopRect& dirty) {
    if (COverlaySurface* overlay = Overlay(index))
        overlay->CopyBand(band, dirty);
}

bool CWin32Desktop::Present(std::size_t index, int32_t x, int32_t y, const DesktopRect& dirty) {
    COverlaySurface* overlay = Overlay(index);
    return overlay && overlay->Present(x, y, dirty);
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

COverlaySurface* CWin32Desktop::Overlay(std::size_t index) const {
    return index < overlays.size() ? overlays[index].get() : nullptr;
}

HWND CWin32Desktop::TaskbarWindow(std::size_t index) const {
    if (index >= lastMonitors.size())
        return nullptr;
    const MonitorArea& monitor = lastMonitors[index];
    if (monitor.taskbarState == TaskbarState::Visible) {
        HWND atRect = FindTaskbarWindow([&monitor](HWND window) {
            RECT rect{};
            return GetWindowRect(window, &rect) && SameRect(ToDesktopRect(rect), monitor.taskbar);
        });
        if (atRect)
            return atRect;
    }
    // Moved since, or hidden then: the first shown on the same monitor.
    const RECT screen{monitor.screen.left, monitor.screen.top, monitor.screen.right,
                      monitor.screen.bottom};
    HMONITOR system = MonitorFromRect(&screen, MONITOR_DEFAULTTONULL);
    return FindTaskbarWindow([system](HWND window) {
        return system && MonitorFromWindow(window, MONITOR_DEFAULTTONULL) == system;
    });
}
