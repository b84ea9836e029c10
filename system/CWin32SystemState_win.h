#pragma once

#include "system/CCameraWatch_win.h"
#include "system/ISystemState.h"
#include "system/SystemOwners_win.h"
#include "system/WindowList_win.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The system's state gathered from Windows. A hidden top-level window of its own receives
// the session, power and resume notifications (broadcasts reach no message-only window);
// window-event hooks report a new foreground window and, for the foreground program only,
// moved or resized windows (a window the user drags is the foreground one). While the
// periodic look is watched, a 500 ms timer looks for what comes without a notification (the
// shell's full-screen state, other windows that move, show, hide or change their style,
// and everything on systems that send no window events) and reports only a change in the
// facts of the top-level windows or that state, so that a tick costs a few calls for each
// shown window. The session's remote state comes from the system at the start and from
// the session notifications after, Windows' animation setting from the system at the start
// and again on every setting change; the camera, the programs' names and the list of
// running programs only while the watch asks for them (the list read at most every 3 s,
// and looked at every 3 s only while that is watched). Main thread only; one per process.
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
    void Watch(const SystemWatch& watch) override;

    // The overlay bands' rectangles, none when there is no overlay: their monitors are the
    // ones a full-screen program may cover. Without any the primary monitor counts.
    std::function<std::vector<DesktopRect>()> overlayRects;
    // The overlay bands' windows in the bands' order (null where a band has none): where
    // each band lies in the Z order and what rectangle windows above it must cover. Unset:
    // no band is known among the windows, so none counts as covered.
    std::function<std::vector<HWND>()> overlayWindows;

    static constexpr UINT_PTR kWatchTimer = 1;
    static constexpr UINT kWatchMs = 500;
    static constexpr UINT_PTR kRunningTimer = 2;
    static constexpr UINT kRunningMs = 3000;
    // Posted by the camera's watch when its key changed.
    static constexpr UINT kCameraChanged = WM_APP + 1;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;
    static void CALLBACK OnWinEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                    LONG child, DWORD thread, DWORD time) noexcept;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // A power setting's new value; whether it was one of ours.
    bool OnPowerSetting(const POWERBROADCAST_SETTING& setting);
    void OnSessionChange(WPARAM change);
    // Windows' animation setting read again; whether it changed.
    bool ReadAnimations();
    // The running programs: read again when the list is 3 s old or older, unless the look
    // at them runs, whose ticks read it.
    const std::vector<std::string>& Running();
    // Reads the running programs; whether the list changed.
    bool ReadRunning();
    // The listed windows' programs, each process asked once.
    void NamePrograms(SystemState* state) const;
    // Follows the foreground program's window moves only.
    void HookForegroundProcess();
    void Changed();
    void ReadOverlayMonitors(SystemState* state);
    static bool NotificationSaysFullScreen();
    // What the periodic look compares: the top-level windows' facts, the foreground window
    // and the shell's full-screen report.
    struct Look {
        std::vector<WindowFacts> windows;
        HWND foreground = nullptr;
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
    CCameraWatch camera;
    SystemWatch watching;
    std::vector<std::string> running; // the running programs as read last, in the list's order
    uint64_t runningRead = 0;         // when, on GetTickCount64's clock; 0: never
    bool remoteSession = false;
    bool animationsOff = false;
    bool sessionLocked = false;
    bool displayOff = false;
    bool energySaverKnown = false; // the system reports the energy saver's own setting
    bool energySaver = false;
    bool powerSaving = false; // the older battery saver setting
    bool onBattery = false;
};
