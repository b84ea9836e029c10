#include "StandInTaskbar.h"
#include "effects/engine/CRenderState.h"
#include "effects/fire/CSetEmbra.h"
#include "params/CMemoryBackend.h"
#include "params/CSettingsStore.h"
#include "ui/CWin32Desktop.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <vector>

// The real desktop with one overlay per monitor: the screen is split into two monitors side
// by side, each with a stand-in taskbar of its class along its bottom, and the fire runs on
// both.
namespace {

int OverlayWindows() {
    int count = 0;
    for (HWND window = FindWindowExA(nullptr, nullptr, "LV_EmbraDrawWnd", nullptr); window;
         window = FindWindowExA(nullptr, window, "LV_EmbraDrawWnd", nullptr))
        ++count;
    return count;
}

MonitorArea Monitor(const DesktopRect& screen, const RECT& taskbar) {
    MonitorArea area;
    area.screen = screen;
    area.taskbarState = TaskbarState::Visible;
    area.taskbar = {taskbar.left, taskbar.top, taskbar.right, taskbar.bottom};
    return area;
}

class MonitorOverlays : public ::testing::Test {
protected:
    void SetUp() override {
        store.SetBackend(std::make_unique<CMemoryBackend>());
        width = GetSystemMetrics(SM_CXSCREEN);
        height = GetSystemMetrics(SM_CYSCREEN);
        half = width / 2;
        primaryBar = RECT{0, height - 40, half, height};
        secondaryBar = RECT{half, height - 30, width, height};
        primary = CreateTaskbar(primaryBar, true);
        secondary = CreateSecondaryTaskbar(secondaryBar, true);
        ASSERT_TRUE(primary && secondary);
        // Topmost, as the shell's taskbars are.
        for (HWND taskbar : {primary, secondary})
            SetWindowPos(taskbar, HWND_TOPMOST, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        monitors = {Monitor({0, 0, half, height}, primaryBar),
                    Monitor({half, 0, width, height}, secondaryBar)};
        desktop.monitorSource = [this] { return monitors; };
        renderState.processorCount = 2;
        renderState.activeSet = &fire;
    }
    void TearDown() override {
        renderState.StopEffect();
        DestroyWindow(secondary);
        DestroyWindow(primary);
    }
    DesktopRect OverlayRect(std::size_t index) {
        DesktopRect rect;
        EXPECT_TRUE(desktop.OverlayRect(index, &rect)) << "overlay " << index;
        return rect;
    }

    CSettingsStore store{true, "EmbraTests", "MonitorOverlays"};
    CWin32Desktop desktop;
    CRenderState renderState{&desktop};
    CSetEmbra fire{&store, &renderState};
    std::vector<MonitorArea> monitors;
    int width = 0;
    int height = 0;
    int half = 0;
    RECT primaryBar{};
    RECT secondaryBar{};
    HWND primary = nullptr;
    HWND secondary = nullptr;
};

TEST_F(MonitorOverlays, EachMonitorsBandLiesOnItsTaskbarAndBehindIt) {
    ASSERT_TRUE(renderState.StartEffect());
    ASSERT_EQ(desktop.OverlayCount(), 2u);
    EXPECT_EQ(OverlayWindows(), 2);
    const DesktopRect left = OverlayRect(0);
    EXPECT_EQ(left.left, 0);
    EXPECT_EQ(left.right, half);
    EXPECT_EQ(left.bottom, primaryBar.top) << "on top of the primary's taskbar";
    const DesktopRect right = OverlayRect(1);
    EXPECT_EQ(right.left, half);
    EXPECT_EQ(right.right, width);
    EXPECT_EQ(right.bottom, secondaryBar.top) << "on top of the secondary's taskbar";
    // Showing may raise an overlay; the application puts them back, each behind its own.
    desktop.PutOverlaysBehindTaskbars();
    EXPECT_EQ(OwnWindowBelow(primary), desktop.OverlayWindow(0));
    EXPECT_EQ(OwnWindowBelow(secondary), desktop.OverlayWindow(1));
    EXPECT_TRUE(IsWindowVisible(desktop.OverlayWindow(0)));
    EXPECT_TRUE(IsWindowVisible(desktop.OverlayWindow(1)));

    // One monitor's band paused: its overlay hides, the other's stays.
    renderState.SetMonitorPaused(1, true);
    EXPECT_TRUE(IsWindowVisible(desktop.OverlayWindow(0)));
    EXPECT_FALSE(IsWindowVisible(desktop.OverlayWindow(1)));
    renderState.SetMonitorPaused(1, false);
    EXPECT_TRUE(IsWindowVisible(desktop.OverlayWindow(1)));
}

TEST_F(MonitorOverlays, ThePrimaryOnlyOptionOrAnUnpluggedMonitorLeavesOneOverlay) {
    bool every = true;
    desktop.everyMonitor = [&every] { return every; };
    ASSERT_TRUE(renderState.StartEffect());
    ASSERT_EQ(OverlayWindows(), 2);
    renderState.StopEffect();
    every = false;
    ASSERT_TRUE(renderState.StartEffect());
    EXPECT_EQ(desktop.Monitors().size(), 1u);
    EXPECT_EQ(OverlayWindows(), 1) << "the primary only";
    EXPECT_EQ(desktop.OverlayWindow(1), nullptr);
    EXPECT_EQ(OverlayRect(0).right, half);
    renderState.StopEffect();

    every = true;
    ASSERT_TRUE(renderState.StartEffect());
    ASSERT_EQ(OverlayWindows(), 2);
    renderState.StopEffect();
    monitors.pop_back(); // the secondary monitor unplugged
    ASSERT_TRUE(renderState.StartEffect());
    EXPECT_EQ(OverlayWindows(), 1) << "no window is left behind";
    renderState.StopEffect();
    EXPECT_EQ(OverlayWindows(), 0);
}

TEST_F(MonitorOverlays, ASecondOverlayDestroyedFromOutsideIsReported) {
    int lost = 0;
    desktop.onOverlayLost = [&lost] { ++lost; };
    ASSERT_TRUE(renderState.StartEffect());
    DestroyWindow(desktop.OverlayWindow(1));
    EXPECT_EQ(lost, 1);
    EXPECT_FALSE(desktop.Present(1, half, 0, {0, 0, 1, 1}));
    renderState.StopEffect();
    EXPECT_EQ(lost, 1) << "an ordinary stop is no loss";
    EXPECT_EQ(OverlayWindows(), 0);
}

// The secondary's taskbar moved to its left edge while the effect runs: the band right of
// it narrows to end at the monitor's edge in the same window (worker 0 resizes the surface
// it presents, and the window takes the size as it presents), still behind its taskbar.
TEST_F(MonitorOverlays, ABandNarrowedWhileRunningKeepsItsWindow) {
    ASSERT_TRUE(renderState.StartEffect());
    desktop.PutOverlaysBehindTaskbars();
    HWND window = desktop.OverlayWindow(1);
    const RECT leftBar{half, 0, half + 60, height};
    SetWindowPos(secondary, nullptr, leftBar.left, leftBar.top, 60, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    monitors[1] = Monitor({half, 0, width, height}, leftBar);
    fire.UpdatePlacement();
    // Worker 0's presentation waits for this thread to answer it.
    DesktopRect rect{};
    for (int step = 0; step < 500; ++step) {
        if (desktop.OverlayRect(1, &rect) && rect.left == leftBar.right && rect.right == width)
            break;
        desktop.PauseWhileStopping(10);
    }
    EXPECT_EQ(rect.left, leftBar.right);
    EXPECT_EQ(rect.right, width);
    EXPECT_EQ(rect.bottom, height) << "at the bottom of the monitor";
    EXPECT_EQ(desktop.OverlayWindow(1), window);
    // Below it, not always right below: when the taskbar is resized, Wine on a loaded
    // machine now and then restacks the primary's taskbar between the two.
    EXPECT_TRUE(IsBelow(window, secondary));
    renderState.StopEffect();
}

} // namespace
