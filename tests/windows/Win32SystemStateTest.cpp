#include "system/CWin32SystemState_win.h"
#include "system/PowerSettings_win.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
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

void Pump() {
    MSG message{};
    for (int round = 0; round < 5; ++round) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(20);
    }
}

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

TEST_F(Win32SystemState, ReadsTheForegroundWindowAndTheOverlaysMonitor) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    HWND cover = CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                                 nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(cover);
    Pump();
    SystemState state = system.Current();
    ASSERT_EQ(state.overlayMonitors.size(), 1u) << "the primary monitor without an overlay";
    EXPECT_EQ(state.overlayMonitors[0].right - state.overlayMonitors[0].left, width);
    ASSERT_EQ(GetForegroundWindow(), cover);
    EXPECT_TRUE(state.foreground.exists);
    EXPECT_FALSE(state.foreground.hasCaption);
    EXPECT_TRUE(state.foreground.isOwn) << "a window of this process";
    EXPECT_FALSE(state.foreground.isShell);
    EXPECT_EQ(state.foreground.rect.right, width);
    HWND captioned = CreateWindowExA(0, "Static", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, width,
                                     height, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(captioned);
    Pump();
    state = system.Current();
    ASSERT_EQ(GetForegroundWindow(), captioned);
    EXPECT_TRUE(state.foreground.hasCaption);
    // Wine 8 sends no foreground event of its own: the test sends it as Windows does.
    listener.changes = 0;
    NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, captioned, OBJID_WINDOW, CHILDID_SELF);
    Pump();
    EXPECT_EQ(listener.changes, 1) << "the new foreground window was reported";
    NotifyWinEvent(EVENT_OBJECT_LOCATIONCHANGE, captioned, OBJID_WINDOW, CHILDID_SELF);
    NotifyWinEvent(EVENT_OBJECT_LOCATIONCHANGE, captioned, OBJID_CURSOR, CHILDID_SELF);
    NotifyWinEvent(EVENT_OBJECT_LOCATIONCHANGE, cover, OBJID_WINDOW, CHILDID_SELF);
    Pump();
    EXPECT_EQ(listener.changes, 2) << "only the foreground window's own moves";
    DestroyWindow(captioned);
    DestroyWindow(cover);

    system.overlayRects = [width] {
        return std::vector<DesktopRect>{{10, 10, 110, 60}, {width - 50, 0, width + 50, 40}};
    };
    const SystemState bands = system.Current();
    ASSERT_EQ(bands.overlayMonitors.size(), 2u) << "one monitor for each band";
    EXPECT_EQ(bands.overlayMonitors[0].right, width) << "the monitor the overlay is on";
    EXPECT_EQ(bands.overlayMonitors[1].right, width) << "the one it overlaps most";
}

TEST_F(Win32SystemState, SessionAndPowerNotificationsChangeTheStateAndAreReported) {
    SendMessageA(window, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0);
    EXPECT_TRUE(system.Current().sessionLocked);
    SendMessageA(window, WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 0);
    EXPECT_FALSE(system.Current().sessionLocked);
    SendMessageA(window, WM_WTSSESSION_CHANGE, WTS_REMOTE_DISCONNECT, 0);
    EXPECT_TRUE(system.Current().sessionLocked) << "disconnected counts as locked";
    EXPECT_EQ(listener.changes, 3);

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
    system.WatchFullScreen(true);
    Sleep(CWin32SystemState::kWatchMs * 3);
    Pump();
    EXPECT_EQ(listener.changes, 0) << "nothing changed";
    // Resized to full screen without a notification (Wine 8 sends no window events).
    SetWindowPos(front, nullptr, 0, 0, width, GetSystemMetrics(SM_CYSCREEN),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    Sleep(CWin32SystemState::kWatchMs * 2);
    Pump();
    EXPECT_GE(listener.changes, 1);
    DestroyWindow(front);
    system.WatchFullScreen(false);
    Pump();
    const int stopped = listener.changes;
    Sleep(CWin32SystemState::kWatchMs * 3);
    Pump();
    EXPECT_EQ(listener.changes, stopped) << "no wake-ups while not watched";
}

} // namespace
