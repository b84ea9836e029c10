#include "system/CCameraWatch_win.h"
#include "system/CWin32SystemState_win.h"
#include "system/PauseRules.h"
#include "system/PowerSettings_win.h"
#include "system/SystemOwners_win.h"
#include "windows/DialogDriver.h"
#include "windows/StartedNotepad.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

// The Windows adapter of the system's state: what it reads of real windows, and how the
// notifications that reach its window change the state and are passed on.
namespace {

class CCountingListener : public ISystemStateListener {
public:
    void OnSystemStateChanged() override { ++changes; }
    void OnResumedFromSleep() override { ++resumes; }

    int changes = 0;
    int resumes = 0;
};

// A power setting notification as Windows sends it: the GUID and a DWORD.
LRESULT SendPowerSetting(HWND window, const GUID& setting, DWORD value) {
    std::vector<unsigned char> bytes(sizeof(POWERBROADCAST_SETTING) + sizeof(DWORD));
    auto* data = reinterpret_cast<POWERBROADCAST_SETTING*>(bytes.data());
    data->PowerSetting = setting;
    data->DataLength = sizeof(DWORD);
    std::memcpy(data->Data, &value, sizeof(value));
    return SendMessageA(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                        reinterpret_cast<LPARAM>(data));
}

class Win32SystemState : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(system.Start(GetModuleHandleA(nullptr)));
        system.SetListener(&listener);
        window = FindWindowW(L"EmbraSystemState", nullptr);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        system.Stop();
        EXPECT_EQ(FindWindowW(L"EmbraSystemState", nullptr), nullptr);
    }

    CWin32SystemState system;
    CCountingListener listener;
    HWND window = nullptr;
};

// The periodic look at the windows alone.
SystemWatch WindowsLook() {
    SystemWatch watch;
    watch.windows = true;
    return watch;
}

// The first window listed at `rect`, -1 for none.
int IndexOf(const SystemState& state, const DesktopRect& rect) {
    for (std::size_t i = 0; i < state.windows.size(); ++i)
        if (SameRect(state.windows[i].rect, rect))
            return static_cast<int>(i);
    return -1;
}

TEST_F(Win32SystemState, ListsTheWindowsTopFirstAndReportsTheForegroundsOwnChanges) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const DesktopRect screen{0, 0, width, GetSystemMetrics(SM_CYSCREEN)};
    HWND full = CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, screen.right,
                                screen.bottom, nullptr, nullptr, nullptr, nullptr);
    HWND front = CreateWindowExA(WS_EX_LAYERED, "Static", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                                 20, 300, 200, nullptr, nullptr, nullptr, nullptr);
    SetLayeredWindowAttributes(front, 0, 200, LWA_ALPHA);
    SetForegroundWindow(front);
    PumpFor(100);
    ASSERT_EQ(GetForegroundWindow(), front);
    SystemState state = system.Current();
    ASSERT_EQ(state.overlayMonitors.size(), 1u) << "the primary monitor without an overlay";
    EXPECT_TRUE(SameRect(state.overlayMonitors[0], screen));
    const int fullAt = IndexOf(state, screen);
    const int frontAt = IndexOf(state, {10, 20, 310, 220});
    ASSERT_GE(fullAt, 0);
    ASSERT_GE(frontAt, 0);
    EXPECT_LT(frontAt, fullAt) << "the window in front listed first";
    EXPECT_TRUE(state.windows[frontAt].hasCaption && state.windows[frontAt].seeThrough);
    EXPECT_TRUE(state.windows[fullAt].isOwn);
    // The test's windows are its own, which no full-screen rule counts: as another's it would.
    state.windows[fullAt].isOwn = false;
    EXPECT_EQ(FullScreenMonitors(state), std::vector<bool>{true})
        << "a full-screen window behind the one in front still covers its monitor";
    SetWindowLongPtrA(full, GWL_STYLE, WS_POPUP | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_VISIBLE);
    ShowWindow(full, SW_SHOWMAXIMIZED);
    state = system.Current();
    EXPECT_TRUE(std::any_of(state.windows.begin(), state.windows.end(),
                            [](const TopWindow& window) { return window.maximised; }));

    // Wine 8 sends no window events of its own: the test sends them as Windows does.
    listener.changes = 0;
    NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, front, OBJID_WINDOW, CHILDID_SELF);
    PumpFor(100);
    EXPECT_EQ(listener.changes, 1) << "the new foreground window was reported";
    NotifyWinEvent(EVENT_OBJECT_LOCATIONCHANGE, front, OBJID_WINDOW, CHILDID_SELF);
    NotifyWinEvent(EVENT_OBJECT_LOCATIONCHANGE, front, OBJID_CURSOR, CHILDID_SELF);
    NotifyWinEvent(EVENT_OBJECT_LOCATIONCHANGE, full, OBJID_WINDOW, CHILDID_SELF);
    PumpFor(100);
    EXPECT_EQ(listener.changes, 2) << "only the foreground window's own moves";
    DestroyWindow(front);
    DestroyWindow(full);

    system.overlayRects = [width] {
        return std::vector<DesktopRect>{{10, 10, 110, 60}, {width - 50, 0, width + 50, 40}};
    };
    const SystemState bands = system.Current();
    ASSERT_EQ(bands.overlayMonitors.size(), 2u) << "one monitor for each band";
    EXPECT_EQ(bands.overlayMonitors[0].right, width) << "the monitor the overlay is on";
    EXPECT_EQ(bands.overlayMonitors[1].right, width) << "the one it overlaps most";
}

// Under windows: the overlay lies at the bottom; a window moved over its band without a
// notification is seen by the periodic look and covers the band.
TEST_F(Win32SystemState, AWindowMovedOverAHiddenOverlaysBandIsSeenAndCoversIt) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    HWND overlay =
        CreateWindowExA(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE, "Static", "",
                        WS_POPUP, 0, height - 200, width, 200, nullptr, nullptr, nullptr, nullptr);
    SetWindowPos(overlay, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    HWND cover = CreateWindowExA(0, "Static", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, width / 2,
                                 height / 2, nullptr, nullptr, nullptr, nullptr);
    system.overlayRects = [width, height] {
        return std::vector<DesktopRect>{{0, height - 200, width, height}};
    };
    system.overlayWindows = [overlay] { return std::vector<HWND>{overlay}; };
    SystemState state = system.Current();
    const int band = IndexOf(state, {0, height - 200, width, height});
    ASSERT_GE(band, 0) << "a paused (hidden) overlay is listed";
    EXPECT_EQ(state.windows[band].band, 0);
    EXPECT_TRUE(state.windows[band].seeThrough);
    EXPECT_EQ(CoveredBands(state), std::vector<bool>{false});
    system.Watch(WindowsLook());
    SetWindowPos(cover, nullptr, -10, height - 260, width + 20, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    PumpFor(CWin32SystemState::kWatchMs * 2 + 100);
    EXPECT_GE(listener.changes, 1) << "the move was seen";
    EXPECT_EQ(CoveredBands(system.Current()), std::vector<bool>{true});
    SetWindowPos(cover, nullptr, 0, 0, width, height - 1, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(CoveredBands(system.Current()), std::vector<bool>{false}) << "its last row shows";
    system.Watch(SystemWatch{});
    DestroyWindow(cover);
    DestroyWindow(overlay);
}

TEST_F(Win32SystemState, SessionAndPowerNotificationsChangeTheStateAndAreReported) {
    SendMessageA(window, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0);
    EXPECT_TRUE(system.Current().sessionLocked);
    SendMessageA(window, WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 0);
    EXPECT_FALSE(system.Current().sessionLocked);
    struct Step {
        WPARAM change;
        bool locked;
        bool remote;
    };
    const Step steps[] = {
        {WTS_REMOTE_CONNECT, false, true},
        {WTS_SESSION_LOCK, true, true},
        {WTS_SESSION_UNLOCK, false, true},
        {WTS_REMOTE_DISCONNECT, true, false}, // disconnected counts as locked
        {WTS_CONSOLE_CONNECT, false, false},
    };
    for (const Step& step : steps) {
        SendMessageA(window, WM_WTSSESSION_CHANGE, step.change, 0);
        EXPECT_EQ(system.Current().sessionLocked, step.locked) << step.change;
        EXPECT_EQ(system.Current().remoteSession, step.remote) << step.change;
    }
    EXPECT_EQ(listener.changes, 7);

    EXPECT_EQ(SendPowerSetting(window, kConsoleDisplayState, 0), TRUE);
    EXPECT_TRUE(system.Current().displayOff);
    SendPowerSetting(window, kConsoleDisplayState, 2); // dimmed
    EXPECT_FALSE(system.Current().displayOff);
    SendPowerSetting(window, kAcDcPowerSource, 1);
    EXPECT_TRUE(system.Current().onBattery);
    SendPowerSetting(window, kAcDcPowerSource, 0);
    EXPECT_FALSE(system.Current().onBattery);

    SendPowerSetting(window, kPowerSavingStatus, 1);
    EXPECT_TRUE(system.Current().energySaver) << "the older battery saver";
    SendPowerSetting(window, kEnergySaverStatus, 0);
    EXPECT_FALSE(system.Current().energySaver) << "the energy saver, once known, decides";
    SendPowerSetting(window, kEnergySaverStatus, 2);
    EXPECT_TRUE(system.Current().energySaver);

    const int before = listener.changes;
    SendMessageA(window, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    EXPECT_EQ(listener.resumes, 1);
    EXPECT_EQ(listener.changes, before);
}

TEST_F(Win32SystemState, ThePeriodicCheckReportsOnlyChangesAndOnlyWhileWatched) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    HWND front = CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, width / 2, 100,
                                 nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(front);
    system.Current(); // what the listener saw last
    system.Watch(WindowsLook());
    PumpFor(CWin32SystemState::kWatchMs * 3 + 100);
    EXPECT_EQ(listener.changes, 0) << "nothing changed";
    // Resized to full screen without a notification (Wine 8 sends no window events).
    SetWindowPos(front, nullptr, 0, 0, width, GetSystemMetrics(SM_CYSCREEN),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    PumpFor(CWin32SystemState::kWatchMs * 2 + 100);
    EXPECT_GE(listener.changes, 1);
    DestroyWindow(front);
    system.Watch(SystemWatch{});
    PumpFor(100);
    const int stopped = listener.changes;
    PumpFor(CWin32SystemState::kWatchMs * 3 + 100);
    EXPECT_EQ(listener.changes, stopped) << "no wake-ups while not watched";
}

// Windows' "Animation effects" switched off and on again: each change is read at once.
TEST_F(Win32SystemState, WindowsAnimationSettingIsReadAgainOnEachSettingChange) {
    BOOL before = TRUE;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETCLIENTAREAANIMATION, 0, &before, 0));
    EXPECT_EQ(system.Current().animationsOff, before == FALSE);
    for (const BOOL animate : {FALSE, TRUE}) {
        SystemParametersInfoW(SPI_SETCLIENTAREAANIMATION, 0,
                              reinterpret_cast<void*>(static_cast<INT_PTR>(animate)), 0);
        const int changes = listener.changes;
        SendMessageA(window, WM_SETTINGCHANGE, SPI_SETCLIENTAREAANIMATION, 0);
        EXPECT_EQ(system.Current().animationsOff, animate == FALSE) << animate;
        EXPECT_EQ(listener.changes, changes + 1) << animate;
    }
    SystemParametersInfoW(SPI_SETCLIENTAREAANIMATION, 0,
                          reinterpret_cast<void*>(static_cast<INT_PTR>(before)), 0);
}

// A program's use of the camera as Windows' privacy settings record it: the change of its
// stop time in the registry reaches the state through the key's notification.
TEST_F(Win32SystemState, TheCameraKeysChangeReachesTheState) {
    const std::wstring program =
        std::wstring(CCameraWatch::kKeyPath) + L"\\NonPackaged\\C:#Tools#call.exe";
    const auto setStop = [&program](ULONGLONG stop) {
        RegSetKeyValueW(HKEY_CURRENT_USER, program.c_str(), L"LastUsedTimeStop", REG_QWORD, &stop,
                        sizeof(stop));
    };
    setStop(133'000'000'000'000'000ULL); // used once, stopped since
    SystemWatch camera;
    camera.camera = true;
    system.Watch(camera);
    EXPECT_FALSE(system.Current().cameraInUse);
    setStop(0); // in use
    EXPECT_TRUE(PumpUntil([this] { return listener.changes > 0; }, 10))
        << "the key's change was noticed";
    EXPECT_TRUE(system.Current().cameraInUse);
    setStop(133'000'000'000'000'001ULL);
    EXPECT_TRUE(PumpUntil([this] { return !system.Current().cameraInUse; }, 10));
    system.Watch(SystemWatch{});
    RegDeleteTreeW(HKEY_CURRENT_USER, program.c_str());
}

// Another program's window comes to the front: the state names its program, and the look
// at the running programs finds it too.
TEST_F(Win32SystemState, AProgramsWindowInFrontAndItsRunningAreNamed) {
    SystemWatch programs;
    programs.foregroundProgram = true;
    programs.runningPrograms = true;
    programs.runningLook = true;
    system.Watch(programs);
    system.Current();
    const CStartedNotepad started;
    HWND notepad = started.Window();
    ASSERT_NE(notepad, nullptr);
    SetForegroundWindow(notepad);
    NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, notepad, OBJID_WINDOW, CHILDID_SELF);
    EXPECT_TRUE(PumpUntil([this] { return listener.changes > 0; }, 10));
    // On a loaded machine the window may come to the front a little after the event.
    EXPECT_TRUE(
        PumpUntil([this] { return system.Current().foregroundProgram == "notepad.exe"; }, 10))
        << "in front: " << system.Current().foregroundProgram;
    EXPECT_TRUE(PumpUntil(
        [this] {
            const std::vector<std::string> running = system.Current().runningPrograms;
            return std::count(running.begin(), running.end(), "notepad.exe") == 1;
        },
        2 * CWin32SystemState::kRunningMs / 1000.0 + 5))
        << "the 3 s look saw it start";
    system.Watch(SystemWatch{});
}

} // namespace
