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

bool Topmost(HWND window) {
    return (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// Under windows the overlay is no topmost window and every other window covers it: the
// taskbar, a window over its band and Embra's own windows as they are activated (Wine
// raises a layered window where the X server exposes it, without a message; the look at
// the windows that follows, here the stand-in's change, puts it back). "Over all windows"
// and OK put the same overlay over them at once.
TEST_F(PlacementTest, UnderWindowsTheOverlayStaysBelowUntilOkPutsItOver) {
    LaterRun("0");
    WriteOption("Placement", "1");
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    HWND taskbar = CreateTaskbar(RECT{0, height - 30, width, height}, true);
    SetWindowPos(taskbar, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CStandInSystem system;
    system.state.overlayMonitors = {{0, 0, width, height}};
    CTestApp app("PlacementTest", &system);
    ASSERT_TRUE(app.Init());
    HWND overlay = CTestApp::Overlay();
    RECT band{};
    ASSERT_TRUE(GetWindowRect(overlay, &band));
    EXPECT_FALSE(Topmost(overlay));
    EXPECT_TRUE(Above(taskbar, overlay));
    HWND cover = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, band.left, band.top,
                                 band.right - band.left, band.bottom - band.top, nullptr, nullptr,
                                 nullptr, nullptr);
    EXPECT_TRUE(Above(cover, overlay)) << "a window over the band";
    bool under[2] = {};
    const auto activate = [&](HWND window, bool* kept) {
        SetForegroundWindow(window);
        PumpFor(200);
        system.Change();
        *kept = Above(cover, overlay);
    };
    activate(app.Dialog(), &under[0]);
    RunModalScript([&] { SendMessageA(app.Dialog(), WM_COMMAND, CMainDlg::kSettings, 0); },
                   [&](HWND settings) {
                       activate(settings, &under[1]);
                       PressButton(settings, IDCANCEL);
                   });
    EXPECT_TRUE(under[0]) << "the main window activated";
    EXPECT_TRUE(under[1]) << "the settings window activated";
    EXPECT_TRUE(ClickSettingsBox(app.Dialog(), CMainDlg::kSettings, IDC_PLACEMENT_OVER, IDOK));
    EXPECT_EQ(CTestApp::Overlay(), overlay) << "the same overlay: the effect ran on";
    EXPECT_TRUE(Topmost(overlay));
    EXPECT_TRUE(Above(overlay, cover));
    EXPECT_EQ(Stored("Options\\Common", "Placement"), "0");
    DestroyWindow(cover);
    DestroyWindow(taskbar);
    app.Quit();
}

} // namespace
