#pragma once

#include "system/ISystemState.h"
#include "system/SystemOwners_win.h"
#include "system/WindowList_win.h"

#include <windows.h>

#include <functional>
#include <vector>

// The system's state gathered from Windows. A hidden top-level window of its own receives
// the session, power and resume notifications (broadcasts reach no message-only window);
// window-event hooks report a new foreground window and, for the foreground program only,
// moved or resized windows (a window the user drags is the foreground one). While the
// periodic look is watched, a 500 ms timer looks for what comes without a notification (the
// shell's full-screen state, other windows that move, show, hide or change their style,
// and everything on systems that send no window events) and reports only a change in the
// facts of the top-level windows or that state, so that a tick costs a few calls for each
// shown window. Main thread only; one per process.
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
    // The overlay bands' windows in the bands' order (null where a band has none): where
    // each band lies in the Z order and what rectangle windows above it must cover. Unset:
    // no band is known among the windows, so none counts as covered.
    std::function<std::vector<HWND>()> overlayWindows;

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
    void ReadOverlayMonitors(SystemState* state);
    static bool NotificationSaysFullScreen();
    // What the periodic look compares: the top-level windows' facts and the shell's
    // full-screen report.
    struct Look {
        std::vector<WindowFacts> windows;
        bool fullScreen = false;
        bool operator==(const Look& other) const;
    };
    Look TakeLook();
    // Whether the look differs from the one taken last; keeps the new one.
    bool LookChanged();

    CWindowOwner window;
    ISystemStateListener* listener = nullptr;
    Look lastLook;
    CWinEventHook foregroundHook;
    CWinEventHook locationHook;
    DWORD hookedProcess = 0;
    CPowerSettingNotification powerNotifications[4];
    CSessionNotification session;
    bool watching = false;
    bool sessionLocked = false;
    bool displayOff = false;
    bool energySaverKnown = false; // the system reports the energy saver's own setting
    bool energySaver = false;
    bool powerSaving = false; // the older battery saver setting
    bool onBattery = false;
};
