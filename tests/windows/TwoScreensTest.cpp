#include "StandInTaskbar.h"
#include "effects/engine/CRenderState.h"
#include "effects/fire/CSetEmbra.h"
#include "params/CMemoryBackend.h"
#include "params/CSettingsStore.h"
#include "system/MonitorLayout_win.h"
#include "ui/CWin32Desktop.h"
#include "windows/DialogDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <memory>
#include <vector>

// Two real monitors as Wine reports them from two X screens (tests/e2e/two_screens.sh runs
// this suite so; with one monitor it skips): a stand-in taskbar of each class along the
// bottom of its monitor, matched to it by the system, and the fire on both.
namespace {

RECT BottomStrip(const DesktopRect& screen, int height) {
    return RECT{screen.left, screen.bottom - height, screen.right, screen.bottom};
}

// Answers the messages for `milliseconds` while the screenshot is taken, when the
// environment names a file to create first.
void HoldForScreenshot() {
    const char* file = std::getenv("EMBRA_HOLD_FILE");
    if (!file)
        return;
    CloseHandle(CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    PumpFor(3000);
}

TEST(TwoScreens, EachMonitorGetsItsOwnTaskbarAndABandOnIt) {
    std::vector<MonitorArea> monitors = ReadMonitors(true);
    if (monitors.size() < 2)
        GTEST_SKIP() << "one monitor: two X screens and Xinerama are needed";
    const RECT primaryBar = BottomStrip(monitors[0].screen, 40);
    const RECT secondaryBar = BottomStrip(monitors[1].screen, 30);
    HWND primary = CreateTaskbar(primaryBar, true);
    SetWindowPos(primary, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    HWND secondary = CreateSecondaryTaskbar(secondaryBar, true);
    SetWindowPos(secondary, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    monitors = ReadMonitors(true);
    ASSERT_EQ(monitors.size(), 2u);
    ASSERT_EQ(monitors[0].taskbarState, TaskbarState::Visible);
    EXPECT_EQ(monitors[0].taskbar.top, primaryBar.top) << "the primary's own taskbar";
    ASSERT_EQ(monitors[1].taskbarState, TaskbarState::Visible);
    EXPECT_EQ(monitors[1].taskbar.top, secondaryBar.top) << "the secondary's own taskbar";
    EXPECT_EQ(ReadMonitors(false).size(), 1u);

    CSettingsStore store{true, "EmbraTests", "TwoScreens"};
    store.SetBackend(std::make_unique<CMemoryBackend>());
    CWin32Desktop desktop;
    CRenderState renderState{&desktop};
    CSetEmbra fire{&store, &renderState};
    renderState.processorCount = 2;
    renderState.activeSet = &fire;
    ASSERT_TRUE(renderState.StartEffect());
    ASSERT_EQ(desktop.OverlayCount(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        DesktopRect band;
        ASSERT_TRUE(desktop.OverlayRect(i, &band));
        EXPECT_EQ(band.left, monitors[i].screen.left) << "monitor " << i;
        EXPECT_EQ(band.right, monitors[i].screen.right) << "monitor " << i;
        EXPECT_EQ(band.bottom, monitors[i].taskbar.top) << "on top of monitor " << i << "'s";
        EXPECT_TRUE(IsWindowVisible(desktop.OverlayWindow(i)));
    }
    desktop.PutOverlaysBehindTaskbars();
    EXPECT_EQ(OwnWindowBelow(primary), desktop.OverlayWindow(0));
    EXPECT_EQ(OwnWindowBelow(secondary), desktop.OverlayWindow(1));
    HoldForScreenshot();
    renderState.StopEffect();
    DestroyWindow(secondary);
    DestroyWindow(primary);
}

} // namespace
