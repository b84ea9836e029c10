#include "AppRig.h"
#include "StandInTaskbar.h"
#include "support/CStandInSystem.h"
#include "windows/DialogDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

// The overlay's place in the Z order in the whole application, over a stand-in system
// state that never pauses it.
namespace {

bool Topmost(HWND window) {
    return (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// Whether `upper` lies above `lower` in the Z order.
bool Above(HWND upper, HWND lower) {
    for (HWND window = GetWindow(upper, GW_HWNDNEXT); window;
         window = GetWindow(window, GW_HWNDNEXT))
        if (window == lower)
            return true;
    return false;
}

class PlacementTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        LaterRun("0");
        const int width = GetSystemMetrics(SM_CXSCREEN);
        const int height = GetSystemMetrics(SM_CYSCREEN);
        taskbar = CreateTaskbar(RECT{0, height - 30, width, height}, true);
        SetWindowPos(taskbar, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        system.state.overlayMonitors = {{0, 0, width, height}};
    }
    void TearDown() override {
        DestroyWindow(taskbar);
        AppTest::TearDown();
    }

    CStandInSystem system;
    HWND taskbar = nullptr;
};

// Under windows the overlay is no topmost window and every other window covers it: the
// taskbar and a window moved over its band, which it stays under while the main window and
// the settings window are activated; "Over all windows" and OK put the same overlay over
// them at once.
TEST_F(PlacementTest, UnderWindowsTheOverlayStaysBelowUntilOkPutsItOver) {
    WriteOption("Placement", "1");
    CTestApp app("PlacementTest", &system);
    ASSERT_TRUE(app.Init());
    HWND overlay = CTestApp::Overlay();
    ASSERT_NE(overlay, nullptr);
    EXPECT_FALSE(Topmost(overlay));
    EXPECT_TRUE(Above(taskbar, overlay));
    RECT band{};
    GetWindowRect(overlay, &band);
    HWND cover = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, band.left, band.top,
                                 band.right - band.left, band.bottom - band.top, nullptr, nullptr,
                                 nullptr, nullptr);
    SetWindowPos(cover, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_TRUE(Above(cover, overlay)) << "a window moved over the band";
    // Wine raises a layered window where the X server reports it exposed, without a
    // message; the look at the windows that follows puts it back (the stand-in's change).
    SetForegroundWindow(app.Dialog());
    PumpFor(200);
    system.Change();
    EXPECT_TRUE(Above(cover, overlay)) << "the main window activated";
    bool underInSettings = false;
    RunModalScript([&] { SendMessageA(app.Dialog(), WM_COMMAND, CMainDlg::kSettings, 0); },
                   [&](HWND settings) {
                       SetForegroundWindow(settings);
                       PumpFor(200);
                       system.Change();
                       underInSettings = Above(cover, overlay) && GetForegroundWindow() != overlay;
                       PressButton(settings, IDCANCEL);
                   });
    EXPECT_TRUE(underInSettings) << "the settings window activated";
    EXPECT_TRUE(ClickSettingsBox(app.Dialog(), CMainDlg::kSettings, IDC_PLACEMENT_OVER, IDOK));
    EXPECT_EQ(CTestApp::Overlay(), overlay) << "the same overlay: the effect ran on";
    EXPECT_TRUE(Topmost(overlay));
    EXPECT_TRUE(Above(overlay, cover));
    EXPECT_EQ(Stored("Options\\Common", "Placement"), "0");
    DestroyWindow(cover);
    app.Quit();
}

} // namespace
