#pragma once

#include "system/ISystemState.h"

#include <windows.h>

#include <functional>
#include <vector>

// The system's state gathered from Windows. A hidden top-level window of its own receives
// the session, power and resume notifications (broadcasts reach no message-only window);
// window-event hooks report a new foreground window and, for the foreground program only,
// moved or resized windows; while the full-screen check is watched, a 500 ms timer looks
// for what comes without a notification (the shell's full-screen state, and everything on
// systems that send no window events) and reports only a change of the foreground window,
// its place, its style or that state, so that a tick costs a few calls. Main thread only;
// one per process.
class CWin32SystemState : public ISystemState {
public:
    CWin32SystemState() = default;
    CWin32SystemState(const CWin32SystemState&) = delete;
    CWin32SystemState& operator=(const CWin32SystemState&) = delete;
    ~CWin32SystemState() override;

    // Creates the window and registers for the notifications; false when the window
    // cannot be made.
    [[nodiscard]] bool Start(HINSTANCE instance);
    // Unregisters everything and destroys the window.
    void Stop();

    SystemState Current() override;
    void SetListener(ISystemStateListener* listener) override { this->listener = listener; }
    void WatchFullScreen(bool watch) override;

    // The overlay bands' rectangles, none when there is no overlay: their monitors are the
    // ones a full-screen program may cover. Without any the primary monitor counts.
    std::function<std::vector<DesktopRect>()> overlayRects;

    static constexpr UINT_PTR kWatchTimer = 1;
    static constexpr UINT kWatchMs = 500;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;
    static void CALLBACK OnWinEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                    LONG child, DWORD thread, DWORD time) noexcept;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // A power setting's new value; whether it was one of ours.
    bool OnPowerSetting(const POWERBROADCAST_SETTING& setting);
    void OnSessionChange(WPARAM change);
    // Follows the foreground program's window moves only.
    void HookForegroundProcess();
    void Changed();
    void ReadForeground(SystemState* state);
    void ReadOverlayMonitors(SystemState* state);
    static bool NotificationSaysFullScreen();
    // What the periodic check compares: the foreground window, its place and style, and
    // the shell's full-screen report.
    struct FrontSnapshot {
        HWND window = nullptr;
        RECT rect{};
        LONG_PTR style = 0;
        bool fullScreen = false;
        bool operator==(const FrontSnapshot& other) const;
    };
    static FrontSnapshot TakeFrontSnapshot();
    // Whether the snapshot differs from the one taken last; keeps the new one.
    bool FrontChanged();

    HWND window = nullptr;
    ISystemStateListener* listener = nullptr;
    FrontSnapshot lastFront;
    HWINEVENTHOOK foregroundHook = nullptr;
    HWINEVENTHOOK locationHook = nullptr;
    DWORD hookedProcess = 0;
    HPOWERNOTIFY powerNotifications[4] = {};
    bool sessionRegistered = false;
    bool watching = false;
    bool sessionLocked = false;
    bool displayOff = false;
    bool energySaverKnown = false; // the system reports the energy saver's own setting
    bool energySaver = false;
    bool powerSaving = false; // the older battery saver setting
    bool onBattery = false;
};
