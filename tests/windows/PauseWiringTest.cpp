#include "AppRig.h"
#include "StandInTaskbar.h"
#include "app/TrayMenu.h"
#include "support/CStandInSystem.h"
#include "windows/DialogDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

// The pause's wiring in the whole application over a stand-in system state: a fact reaches
// the controller's rules, and the decision reaches the overlay, the tray tip and the menu.
namespace {

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

class PauseWiringTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        LaterRun("2");
        const int width = GetSystemMetrics(SM_CXSCREEN);
        const int height = GetSystemMetrics(SM_CYSCREEN);
        taskbar = CreateTaskbar(RECT{0, height - 30, width, height}, true);
        system.state.overlayMonitors = {{0, 0, width, height}};
        TopWindow
            program; // a program over the whole monitor, not full screen unless a test says so
        program.visible = true;
        program.hasCaption = true;
        program.rect = {0, 0, width, height};
        system.state.windows = {program};
    }
    void TearDown() override {
        DestroyWindow(taskbar);
        AppTest::TearDown();
    }
    static std::string Tip(CWpp& app) { return app.TrayTip().str(); }

    CStandInSystem system;
    HWND taskbar = nullptr;
};

TEST_F(PauseWiringTest, AFullScreenProgramPausesTheRunningEffectAndTheTipSaysWhy) {
    system.state.windows[0].hasCaption = false;
    CTestApp app("PauseWiringTest", &system);
    ASSERT_TRUE(app.Init());
    EXPECT_EQ(app.Controller().State(), EffectState::Paused);
    EXPECT_TRUE(app.ShowsStop()) << "paused, not stopped";
    EXPECT_FALSE(IsWindowVisible(app.Overlay()));
    EXPECT_EQ(Tip(app), "PauseWiringTest\npaused: full-screen program");
    EXPECT_TRUE(system.watching) << "the periodic check looks for its end";

    system.state.windows[0].hasCaption = true; // the program left full screen
    system.Change();
    EXPECT_TRUE(IsWindowVisible(app.Overlay()));
    EXPECT_EQ(Tip(app), app.DefaultTip().str());
    SendMessageA(app.Dialog(), WM_COMMAND, CMainDlg::kStop, 0);
    system.state.sessionLocked = true;
    system.Change();
    EXPECT_EQ(Tip(app), app.DefaultTip().str()) << "a stopped effect is not paused";
    app.Quit();
}

TEST_F(PauseWiringTest, TheTrayMenuFollowsTheStateAndItsCommandsReachTheEffect) {
    struct Case {
        bool running;
        bool hourPause;
        bool dialogsAllowed;
        UINT first; // the toggle's command
        const char* firstText;
    };
    const Case cases[] = {
        {true, false, true, CMainDlg::kStop, "Stop effect"},
        {false, true, false, CMainDlg::kStart, "Start effect"},
    };
    for (const Case& c : cases) {
        const std::vector<MenuEntry> menu = Entries(
            BuildTrayMenu(GetModuleHandleA(nullptr), c.running, c.hourPause, c.dialogsAllowed));
        ASSERT_EQ(menu.size(), 7u);
        EXPECT_EQ(menu[0].id, c.first);
        EXPECT_EQ(menu[0].text, c.firstText);
        EXPECT_EQ(menu[1].id, CMainDlg::kPauseHour);
        EXPECT_EQ(menu[1].text, "Pause for 1 hour");
        EXPECT_EQ(menu[1].checked, c.hourPause);
        EXPECT_EQ(menu[3].text, "Settings...");
        EXPECT_EQ(menu[4].text, "About...");
        EXPECT_EQ(menu[6].id, CMainDlg::kExit);
        EXPECT_EQ(menu[6].text, "E&xit");
        EXPECT_FALSE(menu[0].grayed) << "start and stop stay";
        EXPECT_EQ(menu[3].grayed && menu[4].grayed && menu[6].grayed, !c.dialogsAllowed)
            << "no second settings window, About box or exit under an open dialog";
    }
    CTestApp app("PauseWiringTest", &system);
    ASSERT_TRUE(app.Init());
    SendMessageA(app.Dialog(), WM_COMMAND, CMainDlg::kPauseHour, 0);
    EXPECT_EQ(app.Controller().State(), EffectState::Paused);
    EXPECT_TRUE(Entries(app.TrayMenu())[1].checked);
    EXPECT_EQ(Tip(app).rfind("PauseWiringTest\npaused for 1 hour, until ", 0), 0u);
    app.Quit();
}

// A check box ticked on the settings window's "Common" page counts from its OK on, and is
// stored at once.
TEST_F(PauseWiringTest, PauseOnBatteryTickedInTheSettingsPausesAtOnceOnOk) {
    system.state.onBattery = true;
    WriteOption("StartMinimize", "0"); // the settings window opens over the shown window
    CTestApp app("PauseWiringTest", &system);
    ASSERT_TRUE(app.Init());
    ASSERT_EQ(app.Controller().State(), EffectState::Running);
    EXPECT_TRUE(ClickSettingsBox(app.Dialog(), CMainDlg::kSettings, IDC_PAUSE_ON_BATTERY, IDOK));
    EXPECT_EQ(app.Controller().State(), EffectState::Paused);
    EXPECT_EQ(Tip(app), "PauseWiringTest\npaused: on battery");
    EXPECT_EQ(Stored("Options\\Common", "PauseOnBattery"), "1");
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
    CTestApp app("PauseWiringTest", &system);
    ASSERT_TRUE(app.Init());
    // The icon reports a right click as WM_RBUTTONUP; a shell of a newer version reports
    // the keyboard's context-menu key as WM_CONTEXTMENU.
    for (const UINT message :
         {static_cast<UINT>(WM_RBUTTONUP), static_cast<UINT>(WM_CONTEXTMENU)}) {
        SCOPED_TRACE(message);
        const EffectState before = app.Controller().State();
        bool shown = false;
        std::thread chooser([&shown] { shown = ChooseFromMenu(2); });
        SendMessageA(app.Dialog(), CWpp::kTrayMessage, 0, message);
        chooser.join();
        EXPECT_TRUE(shown);
        EXPECT_NE(app.Controller().State(), before) << "\"Pause for 1 hour\" chosen";
        MSG posted{};
        EXPECT_TRUE(PeekMessageA(&posted, app.Dialog(), WM_NULL, WM_NULL, PM_REMOVE))
            << "WM_NULL follows the menu";
    }
    app.Quit();
}

} // namespace
