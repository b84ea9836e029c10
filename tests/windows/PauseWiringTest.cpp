#include "StandInTaskbar.h"
#include "TestPlaces.h"
#include "app/CStartupShortcut.h"
#include "app/CWpp.h"
#include "settings/CSettingsCommonDlg.h"
#include "support/CStandInSystem.h"
#include "windows/DialogDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

// The application's pause wiring over a stand-in system state: what pauses the effect,
// the tray tip, the tray menu and the stored options.
namespace {

// The application over a test key, started later than its first run and hidden, reading
// the system through the stand-in.
class CPauseTestWpp : public CWpp {
public:
    explicit CPauseTestWpp(CStandInSystem* system) {
        title = "PauseWiringTest";
        store.SetRoot(TestKeyPath());
        pause.system = system;
    }
    ~CPauseTestWpp() override { CStartupShortcut(title).Apply(false); }
    HWND Dialog() const { return mainDlg.Handle(); }
};

struct MenuEntry {
    UINT id;
    std::string text;
    bool checked;
    bool grayed;
};

std::vector<MenuEntry> Entries(HMENU menu) {
    std::vector<MenuEntry> entries;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[64] = {};
        GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
        const UINT state = GetMenuState(menu, i, MF_BYPOSITION);
        entries.push_back(
            {GetMenuItemID(menu, i), text, (state & MF_CHECKED) != 0, (state & MF_GRAYED) != 0});
    }
    DestroyMenu(menu);
    return entries;
}

std::string Tip(CWpp& app) {
    return app.TrayTip().str();
}

class PauseWiringTest : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteTestKey(TestKeyPath());
        WriteRawValue(TestKeyPath() + "\\Options\\Windows\\Main", "Handle", REG_SZ, "", 1);
        WriteRawValue(TestKeyPath() + "\\Options\\Common", "StartMinimize", REG_SZ, "2", 2);
        const int width = GetSystemMetrics(SM_CXSCREEN);
        const int height = GetSystemMetrics(SM_CYSCREEN);
        taskbar = CreateTaskbar(RECT{0, height - 30, width, height}, true);
        system.state.overlayMonitors = {{0, 0, width, height}};
        TopWindow program; // captionless over the whole monitor unless a test says otherwise
        program.visible = true;
        program.rect = {0, 0, width, height};
        system.state.windows = {program};
    }
    void TearDown() override {
        // The quit message each exit posts, so that no later modal loop ends at once.
        MSG message{};
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            if (message.message != WM_QUIT)
                DispatchMessageA(&message);
        DestroyWindow(taskbar);
        DeleteTestKey(TestKeyPath());
    }
    void WriteOption(const char* name, const char* text) {
        WriteRawValue(TestKeyPath() + "\\Options\\Common", name, REG_SZ, text,
                      static_cast<DWORD>(std::strlen(text) + 1));
    }
    // The stored text, as every number is stored; "<none>" when it is missing.
    std::string Stored(const char* name) {
        const std::string raw = RawValue(TestKeyPath() + "\\Options\\Common", name);
        return raw.compare(0, 2, "1:") == 0 ? std::string(raw.c_str() + 2) : raw;
    }

    CStandInSystem system;
    HWND taskbar = nullptr;
};

TEST_F(PauseWiringTest, AFullScreenProgramPausesTheRunningEffectAndTheTipSaysWhy) {
    system.state.windows[0].hasCaption = false;
    CPauseTestWpp app(&system);
    ASSERT_TRUE(app.Init());
    EXPECT_TRUE(app.IsEffectRunning()) << "paused, not stopped";
    EXPECT_TRUE(app.effects.control.Paused());
    EXPECT_EQ(Tip(app), "PauseWiringTest\npaused: full-screen program");
    EXPECT_TRUE(system.watching) << "the periodic check looks for its end";

    system.state.windows[0].hasCaption = true; // the program left full screen
    system.Change();
    EXPECT_FALSE(app.effects.control.Paused());
    EXPECT_EQ(Tip(app), app.DefaultTip().str());

    system.state.sessionLocked = true;
    system.Change();
    EXPECT_TRUE(app.effects.control.Paused());
    EXPECT_EQ(Tip(app), "PauseWiringTest\npaused: session locked");
    EXPECT_FALSE(system.watching);
    SendMessageA(app.Dialog(), WM_COMMAND, CMainDlg::kStop, 0);
    EXPECT_EQ(Tip(app), app.DefaultTip().str()) << "a stopped effect is not paused";
    app.Quit();
}

TEST_F(PauseWiringTest, AFullScreenProgramOnOneOfTwoMonitorsPausesThatBandOnly) {
    const DesktopRect first = system.state.overlayMonitors[0];
    const DesktopRect second{first.right, 0, first.right + 1024, 768};
    system.state.overlayMonitors = {first, second};
    system.state.windows[0].rect = second;
    CPauseTestWpp app(&system);
    ASSERT_TRUE(app.Init());
    EXPECT_FALSE(app.effects.control.Paused()) << "the first monitor's band goes on";
    EXPECT_FALSE(app.effects.control.MonitorPaused(0));
    EXPECT_TRUE(app.effects.control.MonitorPaused(1));
    EXPECT_EQ(Tip(app), app.DefaultTip().str());

    system.state.windows[0].rect = {first.left, first.top, second.right, second.bottom};
    system.Change();
    EXPECT_TRUE(app.effects.control.Paused()) << "every monitor covered";
    EXPECT_EQ(Tip(app), "PauseWiringTest\npaused: full-screen program");

    system.state.windows[0].hasCaption = true;
    system.Change();
    EXPECT_FALSE(app.effects.control.Paused());
    EXPECT_FALSE(app.effects.control.MonitorPaused(1));
    app.Quit();
}

TEST_F(PauseWiringTest, StoredOptionsAreReadWithDefaultsForMalformedValues) {
    struct Case {
        const char* fullScreen;
        const char* battery;
        int fullScreenRead;
        int batteryRead;
    };
    const Case cases[] = {
        {nullptr, nullptr, 1, 0}, // nothing stored: full screen pauses, battery does not
        {"0", "1", 0, 1},
        {"abc", "7", 1, 0},
        {"", "-1", 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.fullScreen ? c.fullScreen : "none"));
        if (c.fullScreen) {
            WriteOption("PauseFullScreen", c.fullScreen);
            WriteOption("PauseOnBattery", c.battery);
        }
        system.state.windows[0].hasCaption = true;
        system.state.onBattery = true;
        CPauseTestWpp app(&system);
        ASSERT_TRUE(app.Init());
        EXPECT_EQ(*app.pauseFullScreen.Get(), c.fullScreenRead);
        EXPECT_EQ(*app.pauseOnBattery.Get(), c.batteryRead);
        EXPECT_EQ(app.effects.control.Paused(), c.batteryRead == 1) << "on battery";
        app.Quit();
        EXPECT_EQ(Stored("PauseFullScreen"), std::to_string(c.fullScreenRead));
        EXPECT_EQ(Stored("PauseOnBattery"), std::to_string(c.batteryRead));
    }
}

TEST_F(PauseWiringTest, TheTrayMenuStartsStopsAndPausesForAnHour) {
    system.state.windows[0].hasCaption = true;
    CPauseTestWpp app(&system);
    ASSERT_TRUE(app.Init());
    const std::vector<MenuEntry> running = Entries(app.TrayMenu());
    ASSERT_EQ(running.size(), 7u);
    EXPECT_EQ(running[0].id, CMainDlg::kStop);
    EXPECT_EQ(running[0].text, "Stop effect");
    EXPECT_EQ(running[1].id, CMainDlg::kPauseHour);
    EXPECT_EQ(running[1].text, "Pause for 1 hour");
    EXPECT_FALSE(running[1].checked);
    EXPECT_EQ(running[3].text, "Settings...");
    EXPECT_EQ(running[4].text, "About...");
    EXPECT_EQ(running[6].id, CMainDlg::kExit);
    EXPECT_EQ(running[6].text, "E&xit");
    EXPECT_FALSE(running[6].grayed);
    EnableWindow(app.Dialog(), FALSE); // a dialog of the program is open
    const std::vector<MenuEntry> modal = Entries(app.TrayMenu());
    EXPECT_FALSE(modal[0].grayed) << "start and stop stay";
    EXPECT_TRUE(modal[3].grayed && modal[4].grayed && modal[6].grayed)
        << "no second settings window, About box or exit under an open dialog";
    EnableWindow(app.Dialog(), TRUE);

    SendMessageA(app.Dialog(), WM_COMMAND, CMainDlg::kPauseHour, 0);
    EXPECT_TRUE(app.effects.control.Paused());
    EXPECT_TRUE(Entries(app.TrayMenu())[1].checked);
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char until[8];
    std::snprintf(until, sizeof(until), "%02d:%02d", (now.wHour + 1) % 24, now.wMinute);
    EXPECT_EQ(Tip(app), std::string("PauseWiringTest\npaused for 1 hour, until ") + until);
    SendMessageA(app.Dialog(), WM_TIMER, CMainDlg::kHourTimer, 0);
    EXPECT_TRUE(app.effects.control.Paused()) << "an early timer waits for the rest";

    SendMessageA(app.Dialog(), WM_COMMAND, CMainDlg::kPauseHour, 0);
    EXPECT_FALSE(app.effects.control.Paused()) << "chosen again: resumed at once";
    EXPECT_FALSE(Entries(app.TrayMenu())[1].checked);

    SendMessageA(app.Dialog(), WM_COMMAND, CMainDlg::kStop, 0);
    const std::vector<MenuEntry> stopped = Entries(app.TrayMenu());
    EXPECT_EQ(stopped[0].id, CMainDlg::kStart);
    EXPECT_EQ(stopped[0].text, "Start effect");
    app.Quit();
}

// A checkbox ticked on the settings window's "Common" page counts from its OK on, and is
// stored at once.
TEST_F(PauseWiringTest, PauseOnBatteryTickedInTheSettingsPausesAtOnceOnOk) {
    system.state.windows[0].hasCaption = true;
    system.state.onBattery = true;
    WriteOption("StartMinimize", "0"); // the settings window opens over the shown window
    CPauseTestWpp app(&system);
    ASSERT_TRUE(app.Init());
    ASSERT_FALSE(app.effects.control.Paused());
    EXPECT_TRUE(ClickSettingsBox(app.Dialog(), CMainDlg::kSettings,
                                 CSettingsCommonDlg::kPauseOnBattery, IDOK));
    EXPECT_TRUE(app.effects.control.Paused());
    EXPECT_EQ(Tip(app), "PauseWiringTest\npaused: on battery");
    EXPECT_EQ(Stored("PauseOnBattery"), "1");
    app.Quit();
}

// Waits for the popup menu of this process to show, then presses its keys: the down arrow
// `downs` times and Enter. Whether the menu showed.
bool ChooseFromMenu(int downs) {
    for (int poll = 0; poll < 100; ++poll) {
        HWND menu = FindWindowA("#32768", nullptr);
        if (menu && IsWindowVisible(menu)) {
            for (int i = 0; i < downs; ++i)
                PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
            return true;
        }
        Sleep(50);
    }
    return false;
}

TEST_F(PauseWiringTest, ARightClickOrTheContextMenuKeyOnTheIconOpensTheMenu) {
    system.state.windows[0].hasCaption = true;
    CPauseTestWpp app(&system);
    ASSERT_TRUE(app.Init());
    // The icon reports a right click as WM_RBUTTONUP; a shell of a newer version reports
    // the keyboard's context-menu key as WM_CONTEXTMENU.
    for (const UINT message :
         {static_cast<UINT>(WM_RBUTTONUP), static_cast<UINT>(WM_CONTEXTMENU)}) {
        SCOPED_TRACE(message);
        const bool pausedBefore = app.effects.control.Paused();
        bool shown = false;
        std::thread chooser([&shown] { shown = ChooseFromMenu(2); });
        SendMessageA(app.Dialog(), CWpp::kTrayMessage, 0, message);
        chooser.join();
        EXPECT_TRUE(shown);
        EXPECT_NE(app.effects.control.Paused(), pausedBefore) << "\"Pause for 1 hour\" chosen";
        MSG posted{};
        EXPECT_TRUE(PeekMessageA(&posted, app.Dialog(), WM_NULL, WM_NULL, PM_REMOVE))
            << "WM_NULL follows the menu";
    }
    app.Quit();
}

} // namespace
