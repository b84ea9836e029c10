#include "StandInTaskbar.h"
#include "system/MonitorLayout_win.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

// The real monitors and taskbar windows as the system reports them: the primary screen
// first, and the stand-in taskbars of both classes matched to it.
namespace {

TEST(MonitorLayoutWin, ReadsThePrimaryFirstWithEachClassOfTaskbarMatchedToIt) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    // Wine's own taskbar window, when there is one, is hidden.
    HWND wine = FindWindowA("Shell_TrayWnd", nullptr);
    ASSERT_TRUE(!wine || !IsWindowVisible(wine)) << "no other taskbar in the way";
    ASSERT_EQ(FindWindowA("Shell_SecondaryTrayWnd", nullptr), nullptr);
    const TaskbarState none = wine ? TaskbarState::Hidden : TaskbarState::None;
    std::vector<MonitorArea> monitors = ReadMonitors(true);
    ASSERT_GE(monitors.size(), 1u);
    EXPECT_EQ(monitors[0].screen.left, 0);
    EXPECT_EQ(monitors[0].screen.top, 0);
    EXPECT_EQ(monitors[0].screen.right, width);
    EXPECT_EQ(monitors[0].screen.bottom, height);
    EXPECT_EQ(monitors[0].taskbarState, none);
    EXPECT_EQ(ReadMonitors(false).size(), 1u) << "the primary only";

    HWND hidden = CreateSecondaryTaskbar(RECT{0, 0, width, 30}, false);
    EXPECT_EQ(ReadMonitors(true)[0].taskbarState, TaskbarState::Hidden);
    // The second window of the same class is found after the first.
    HWND left = CreateSecondaryTaskbar(RECT{0, 0, 48, height}, true);
    monitors = ReadMonitors(true);
    ASSERT_EQ(monitors[0].taskbarState, TaskbarState::Visible);
    EXPECT_EQ(monitors[0].taskbar.right, 48) << "the visible secondary, on the left edge";
    // The primary's taskbar class comes before the secondaries'.
    HWND bottom = CreateTaskbar(RECT{0, height - 30, width, height}, true);
    monitors = ReadMonitors(false);
    ASSERT_EQ(monitors[0].taskbarState, TaskbarState::Visible);
    EXPECT_EQ(monitors[0].taskbar.top, height - 30);
    EXPECT_EQ(monitors[0].taskbar.right, width);
    DestroyWindow(bottom);
    DestroyWindow(left);
    DestroyWindow(hidden);
    EXPECT_EQ(ReadMonitors(true)[0].taskbarState, none);
}

} // namespace
