#include "system/CWin32SystemState_win.h"

#include "system/DesktopRect_win.h"
#include "system/PowerSettings_win.h"

#include <wtsapi32.h>

#include <cstring>
#include <utility>

namespace {

constexpr const wchar_t* kClassName = L"EmbraSystemState";
constexpr DWORD kDisplayOff = 0;
constexpr DWORD kOnAc = 0;

CWin32SystemState* instance = nullptr; // the one the window-event hooks report to

DWORD SettingValue(const POWERBROADCAST_SETTING& setting) {
    DWORD value = 0;
    if (setting.DataLength >= sizeof(value))
        std::memcpy(&value, setting.Data, sizeof(value));
    return value;
}

} // namespace

CWin32SystemState::~CWin32SystemState() {
    Stop();
}

bool CWin32SystemState::Start(HINSTANCE module) {
    if (window)
        return true;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = module;
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
    // Never shown: a top-level popup, since broadcasts skip message-only windows.
    window.Reset(CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                 nullptr, module, this));
    if (!window)
        return false;
    instance = this;
    SYSTEM_POWER_STATUS power{};
    if (GetSystemPowerStatus(&power)) {
        onBattery = power.ACLineStatus == kOnAc;
        // The battery saver flag, SystemStatusFlag in newer SDKs.
        powerSaving = (power.Reserved1 & 1) != 0;
    }
    const GUID* settings[] = {&kConsoleDisplayState, &kEnergySaverStatus, &kPowerSavingStatus,
                              &kAcDcPowerSource};
    for (int i = 0; i < 4; ++i)
        powerNotifications[i].Reset(RegisterPowerSettingNotification(window.Get(), settings[i],
                                                                     DEVICE_NOTIFY_WINDOW_HANDLE));
    // Where the system refuses, a lock goes unnoticed; the rest still works.
    static_cast<void>(session.Register(window.Get(), NOTIFY_FOR_THIS_SESSION));
    foregroundHook.Reset(SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                         OnWinEvent, 0, 0, WINEVENT_OUTOFCONTEXT));
    HookForegroundProcess();
    return true;
}

void CWin32SystemState::Stop() {
    if (!window)
        return;
    foregroundHook.Reset();
    locationHook.Reset();
    hookedProcess = 0;
    for (CPowerSettingNotification& notification : powerNotifications)
        notification.Reset();
    session.Reset();
    window.Reset();
    watching = false;
    if (instance == this)
        instance = nullptr;
}

SystemState CWin32SystemState::Current() {
    lastLook = TakeLook();
    SystemState state;
    ReadOverlayMonitors(&state);
    for (const WindowFacts& facts : lastLook.windows)
        state.windows.push_back(ToTopWindow(facts));
    state.fullScreenNotification = lastLook.fullScreen;
    state.sessionLocked = sessionLocked;
    state.displayOff = displayOff;
    state.energySaver = energySaverKnown ? energySaver : powerSaving;
    state.onBattery = onBattery;
    return state;
}

void CWin32SystemState::WatchFullScreen(bool watch) {
    if (!window || watch == watching)
        return;
    watching = watch;
    if (watch)
        SetTimer(window.Get(), kWatchTimer, kWatchMs, nullptr);
    else
        KillTimer(window.Get(), kWatchTimer);
}

LRESULT CALLBACK CWin32SystemState::WindowProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<CWin32SystemState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && self->window.Get() == window)
        return self->OnMessage(message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

void CALLBACK CWin32SystemState::OnWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object,
                                            LONG, DWORD, DWORD) noexcept {
    if (!instance)
        return;
    if (event == EVENT_SYSTEM_FOREGROUND) {
        instance->HookForegroundProcess();
        instance->Changed();
    } else if (event == EVENT_OBJECT_LOCATIONCHANGE && object == OBJID_WINDOW &&
               window == GetForegroundWindow()) {
        instance->Changed();
    }
}

LRESULT CWin32SystemState::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == kWatchTimer && LookChanged())
            Changed();
        return 0;
    case WM_WTSSESSION_CHANGE:
        OnSessionChange(wParam);
        return 0;
    case WM_POWERBROADCAST:
        if (wParam == PBT_POWERSETTINGCHANGE && lParam &&
            OnPowerSetting(*reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam)))
            Changed();
        else if (wParam == PBT_APMRESUMEAUTOMATIC && listener)
            listener->OnResumedFromSleep();
        return TRUE;
    default:
        return DefWindowProcW(window.Get(), message, wParam, lParam);
    }
}

bool CWin32SystemState::OnPowerSetting(const POWERBROADCAST_SETTING& setting) {
    const DWORD value = SettingValue(setting);
    if (IsEqualGUID(setting.PowerSetting, kConsoleDisplayState))
        displayOff = value == kDisplayOff;
    else if (IsEqualGUID(setting.PowerSetting, kEnergySaverStatus)) {
        energySaverKnown = true;
        energySaver = value != 0;
    } else if (IsEqualGUID(setting.PowerSetting, kPowerSavingStatus))
        powerSaving = value != 0;
    else if (IsEqualGUID(setting.PowerSetting, kAcDcPowerSource))
        onBattery = value != kOnAc;
    else
        return false;
    return true;
}

void CWin32SystemState::OnSessionChange(WPARAM change) {
    switch (change) {
    case WTS_SESSION_LOCK:
    case WTS_CONSOLE_DISCONNECT:
    case WTS_REMOTE_DISCONNECT:
        sessionLocked = true;
        break;
    case WTS_SESSION_UNLOCK:
    case WTS_CONSOLE_CONNECT:
    case WTS_REMOTE_CONNECT:
        sessionLocked = false;
        break;
    default:
        return;
    }
    Changed();
}

void CWin32SystemState::HookForegroundProcess() {
    DWORD process = 0;
    HWND foreground = GetForegroundWindow();
    if (foreground)
        GetWindowThreadProcessId(foreground, &process);
    if (process == hookedProcess)
        return;
    locationHook.Reset();
    hookedProcess = process;
    if (process)
        locationHook.Reset(SetWinEventHook(EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE,
                                           nullptr, OnWinEvent, process, 0, WINEVENT_OUTOFCONTEXT));
}

void CWin32SystemState::Changed() {
    if (listener)
        listener->OnSystemStateChanged();
}

void CWin32SystemState::ReadOverlayMonitors(SystemState* state) {
    std::vector<HMONITOR> monitors;
    for (const DesktopRect& overlay : overlayRects ? overlayRects() : std::vector<DesktopRect>()) {
        const RECT rect = ToRect(overlay);
        monitors.push_back(MonitorFromRect(&rect, MONITOR_DEFAULTTOPRIMARY));
    }
    if (monitors.empty())
        monitors.push_back(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
    for (HMONITOR monitor : monitors) {
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        if (monitor && GetMonitorInfoW(monitor, &info))
            state->overlayMonitors.push_back(ToDesktopRect(info.rcMonitor));
    }
}

bool CWin32SystemState::Look::operator==(const Look& other) const {
    return fullScreen == other.fullScreen && windows == other.windows;
}

CWin32SystemState::Look CWin32SystemState::TakeLook() {
    Look look;
    look.windows = ReadWindowFacts(overlayWindows ? overlayWindows() : std::vector<HWND>());
    look.fullScreen = NotificationSaysFullScreen();
    return look;
}

bool CWin32SystemState::LookChanged() {
    Look now = TakeLook();
    if (now == lastLook)
        return false;
    lastLook = std::move(now);
    return true;
}

bool CWin32SystemState::NotificationSaysFullScreen() {
    QUERY_USER_NOTIFICATION_STATE notification = QUNS_ACCEPTS_NOTIFICATIONS;
    if (FAILED(SHQueryUserNotificationState(&notification)))
        return false;
    return notification == QUNS_RUNNING_D3D_FULL_SCREEN || notification == QUNS_PRESENTATION_MODE;
}
