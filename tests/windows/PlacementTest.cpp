#include "AppRig.h"
#include "StandInTaskbar.h"
#include "support/CStandInSystem.h"
#include "windows/DialogDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

class PlacementTest : public AppTest {};

// Whether `upper` lies above `lower` in the Z order.
bool Above(HWND upper, HWND lower) {
    for (HWND window = GetWindow(upper, GW_HWNDNEXT); window;
         window = GetWindow(window, GW_HWNDNEXT))
        if (window == lower)
            return true;
    return false;
}

// Under windows the overlay stays under the taskbar, a window over its band and Embra's
// windows as they are activated (Wine raises it where X exposes it, without a message; the
// look that follows, here the stand-in's change, puts it back); OK over windows raises it.
TEST_F(PlacementTest, UnderWindowsTheOverlayStaysBelowUntilOkPutsItOver) {
    LaterRun("0");
    WriteOption("Placement", "1");
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    HWND taskbar = CreateTaskbar(RECT{0, height - 30, width, height}, true);
    SetWindowPos(taskbar, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CStandInSystem system;
    CTestApp app("PlacementTest", &system);
    ASSERT_TRUE(app.Init());
    HWND overlay = CTestApp::Overlay();
    EXPECT_FALSE(GetWindowLongPtrA(overlay, GWL_EXSTYLE) & WS_EX_TOPMOST);
    HWND cover = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, width, height - 30,
                                 nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(Above(taskbar, overlay));
    EXPECT_TRUE(Above(cover, overlay)) << "a window over the band";
    const auto activate = [&](HWND window) {
        SetForegroundWindow(window);
        PumpFor(200);
        system.Change();
        return Above(cover, overlay);
    };
    EXPECT_TRUE(activate(app.Dialog())) << "the main window activated";
    RunModalScript([&] { SendMessageA(app.Dialog(), WM_COMMAND, CMainDlg::kSettings, 0); },
                   [&](HWND settings) {
                       EXPECT_TRUE(activate(settings)) << "the settings window activated";
                       PressButton(settings, IDCANCEL);
                   });
    EXPECT_TRUE(ClickSettingsBox(app.Dialog(), CMainDlg::kSettings, IDC_PLACEMENT_OVER, IDOK));
    EXPECT_EQ(CTestApp::Overlay(), overlay) << "the same overlay: the effect ran on";
    EXPECT_TRUE(GetWindowLongPtrA(overlay, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(Above(overlay, cover));
    EXPECT_EQ(Stored("Options\\Common", "Placement"), "0");
    DestroyWindow(cover);
    DestroyWindow(taskbar);
    app.Quit();
}

} // namespace
