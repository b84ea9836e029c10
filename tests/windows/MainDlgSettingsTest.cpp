#include "AppRig.h"
#include "StandInTaskbar.h"
#include "app/CWppSettingsLink.h"
#include "settings/CSettingsDlg.h"
#include "ui/CNavPaneWnd.h"

#include "windows/DialogDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

// The application over the test's own key, started as on a later run with its window
// shown, under a taskbar of the shell's class.
class MainDlgSettings : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        LaterRun("0");
        taskbar = CreateBottomTaskbar(30);
    }
    void TearDown() override {
        DestroyWindow(taskbar);
        AppTest::TearDown();
    }

    HWND taskbar = nullptr;
};

// The list page's pane among the settings window's pages.
CNavPaneWnd* PaneOf(HWND settings) {
    for (HWND page = FindWindowExA(settings, nullptr, "#32770", nullptr); page;
         page = FindWindowExA(settings, page, "#32770", nullptr))
        if (CNavPaneWnd* pane = ObjectOf<CNavPaneWnd>(GetDlgItem(page, 1018)))
            return pane;
    return nullptr;
}

// The settings button opens the settings window over the main dialog; marking the northern
// lights and pressing OK switches the running effect through the main dialog's stop and
// start, and stores the options (over a stored value that differs) and "current" at once, leaving
// the running instance's stored window handle alone.
TEST_F(MainDlgSettings, TheSettingsButtonSwitchesTheEffectAndOkStoresItAtOnce) {
    CTestApp app("MainDlgSettings");
    ASSERT_TRUE(app.Init());
    HWND dialog = app.Dialog();
    CWppSettingsLink link(&app);
    ASSERT_TRUE(app.Controller().Running());
    ASSERT_EQ(link.ActiveSet(), link.EffectSets()[0]);
    const std::string handle = Stored("Options\\Windows\\Main", "Handle");
    // A stored value that differs from the option's: only the save on OK can mend it.
    WriteOption("StartMinimize", "7");

    bool opened = false;
    RunModalScript(
        [&] {
            ClickAt(GetDlgItem(dialog, CMainDlg::kSettings), 10, 10);
            PumpMessages();
        },
        [&](HWND settings) {
            opened = true;
            EXPECT_EQ(GetWindow(settings, GW_OWNER), dialog);
            CNavPaneWnd* pane = PaneOf(settings);
            ASSERT_NE(pane, nullptr);
            RECT row{};
            ASSERT_TRUE(pane->GetEntryRect(pane->FirstEntry()->NextSibling(), row));
            ClickAt(pane->Handle(), row.right - 18, row.top + 18);
            SendMessageA(settings, WM_COMMAND, IDOK, 0);
        });
    EXPECT_TRUE(opened);
    EXPECT_EQ(link.ActiveSet(), link.EffectSets()[1]);
    EXPECT_TRUE(app.Controller().Running());
    EXPECT_TRUE(GetDlgItem(dialog, CMainDlg::kStop)) << "the start button shows stop";
    EXPECT_EQ(Stored("Sets", "current"), "Glimra");
    EXPECT_EQ(Stored("Options\\Common", "StartMinimize"), "0");
    EXPECT_EQ(Stored("Options\\Windows\\Main", "Handle"), handle);
    app.Quit();
}

} // namespace
