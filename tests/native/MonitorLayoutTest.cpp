#include "system/MonitorLayout.h"
#include "support/ExpectRect.h"

#include <gtest/gtest.h>

#include <vector>

// The monitors and their taskbars as plain data: which monitor comes first, which taskbar
// belongs where, and which changes of the layout ask for the bands to be placed afresh.
namespace {

constexpr DesktopRect kPrimary{0, 0, 1920, 1080};
constexpr DesktopRect kLeft{-1280, 56, 0, 1080};   // left of the primary, negative x
constexpr DesktopRect kAbove{0, -1024, 1280, 0};   // above the primary, negative y
constexpr DesktopRect kRight{1920, 0, 3200, 1024}; // right of the primary
constexpr DesktopRect kPrimaryBar{0, 1040, 1920, 1080};

TaskbarRecord Taskbar(const DesktopRect& rect, bool visible, int monitor) {
    TaskbarRecord taskbar;
    taskbar.rect = rect;
    taskbar.visible = visible;
    taskbar.monitor = monitor;
    return taskbar;
}

MonitorArea Area(const DesktopRect& screen, TaskbarState state, const DesktopRect& taskbar = {}) {
    MonitorArea area;
    area.screen = screen;
    area.taskbarState = state;
    area.taskbar = taskbar;
    return area;
}

TEST(MonitorLayoutTest, ThePrimaryComesFirstThenTheOthersInTheirOrder) {
    const std::vector<MonitorRecord> monitors = {
        {kLeft, false}, {kPrimary, true}, {kAbove, false}, {kRight, false}};
    const std::vector<MonitorArea> areas = ArrangeMonitors(monitors, {}, true);
    ASSERT_EQ(areas.size(), 4u);
    ExpectRect(areas[0].screen, kPrimary, "the primary");
    ExpectRect(areas[1].screen, kLeft, "negative coordinates kept");
    ExpectRect(areas[2].screen, kAbove);
    ExpectRect(areas[3].screen, kRight);
    for (const MonitorArea& area : areas)
        EXPECT_EQ(area.taskbarState, TaskbarState::None) << "no taskbar window at all";

    const std::vector<MonitorArea> primaryOnly = ArrangeMonitors(monitors, {}, false);
    ASSERT_EQ(primaryOnly.size(), 1u) << "\"every monitor\" off";
    ExpectRect(primaryOnly[0].screen, kPrimary);

    // Without a primary flag, the monitor at (0, 0) is the primary; without that, the first.
    ExpectRect(ArrangeMonitors({{kLeft, false}, {kPrimary, false}}, {}, false)[0].screen, kPrimary);
    ExpectRect(ArrangeMonitors({{kAbove, false}, {kLeft, false}}, {}, false)[0].screen, kAbove);
    EXPECT_TRUE(ArrangeMonitors({}, {}, true).empty());
}

TEST(MonitorLayoutTest, EachTaskbarCountsOnItsOwnMonitor) {
    const std::vector<MonitorRecord> monitors = {
        {kPrimary, true}, {kLeft, false}, {kAbove, false}, {kRight, false}};
    const DesktopRect leftBar{-1280, 56, -1232, 1080}; // on the left edge of its monitor
    const DesktopRect aboveBar{0, -1024, 1280, -984};  // on the top edge of its monitor
    const DesktopRect rightHidden{1920, 984, 3200, 1024};
    const DesktopRect rightShown{3152, 0, 3200, 1024};
    const std::vector<TaskbarRecord> taskbars = {
        Taskbar(kPrimaryBar, true, 0),
        // Two secondaries of the same class on the right monitor: a hidden one first.
        Taskbar(rightHidden, false, 3),
        Taskbar(rightShown, true, 3),
        Taskbar(leftBar, true, 1),
        Taskbar(aboveBar, false, 2), // auto-hidden and hidden: the monitor has a taskbar
        // A taskbar the system matched to no monitor, off every screen: left out.
        Taskbar({5000, 5000, 5100, 5040}, true, -1),
    };
    const std::vector<MonitorArea> areas = ArrangeMonitors(monitors, taskbars, true);
    ASSERT_EQ(areas.size(), 4u);
    EXPECT_EQ(areas[0].taskbarState, TaskbarState::Visible);
    ExpectRect(areas[0].taskbar, kPrimaryBar, "the primary's");
    EXPECT_EQ(areas[1].taskbarState, TaskbarState::Visible);
    ExpectRect(areas[1].taskbar, leftBar, "the left monitor's, on its left edge");
    EXPECT_EQ(areas[2].taskbarState, TaskbarState::Hidden);
    EXPECT_EQ(areas[3].taskbarState, TaskbarState::Visible);
    ExpectRect(areas[3].taskbar, rightShown, "the first visible one of its monitor");
}

TEST(MonitorLayoutTest, TaskbarsGivenAsRectanglesGoToTheMonitorTheyOverlapMost) {
    const std::vector<MonitorRecord> monitors = {{kPrimary, true}, {kLeft, false}};
    struct Case {
        const char* what;
        DesktopRect rect;
        TaskbarState primary;
        TaskbarState left;
    };
    const Case cases[] = {
        {"inside the left monitor",
         {-1280, 1040, 0, 1080},
         TaskbarState::None,
         TaskbarState::Visible},
        {"mostly on the primary",
         {-100, 1040, 1820, 1080},
         TaskbarState::Visible,
         TaskbarState::None},
        {"mostly on the left one",
         {-1200, 1040, 100, 1080},
         TaskbarState::None,
         TaskbarState::Visible},
        {"slid out of the primary's bottom but for 2 rows",
         {0, 1078, 1920, 1118},
         TaskbarState::Visible,
         TaskbarState::None},
        {"on no monitor", {0, 2000, 1920, 2040}, TaskbarState::None, TaskbarState::None},
    };
    for (const Case& c : cases) {
        const std::vector<MonitorArea> areas =
            ArrangeMonitors(monitors, {Taskbar(c.rect, true, -1)}, true);
        ASSERT_EQ(areas.size(), 2u);
        EXPECT_EQ(areas[0].taskbarState, c.primary) << c.what;
        EXPECT_EQ(areas[1].taskbarState, c.left) << c.what;
    }
    // A monitor index the enumeration does not have is left out, not guessed.
    EXPECT_EQ(ArrangeMonitors(monitors, {Taskbar(kPrimaryBar, true, 7)}, true)[0].taskbarState,
              TaskbarState::None);
}

TEST(MonitorLayoutTest, OnlyMovedMonitorsOrTaskbarsAskForNewBands) {
    const std::vector<MonitorArea> before = {
        Area(kPrimary, TaskbarState::Visible, kPrimaryBar),
        Area(kRight, TaskbarState::None),
    };
    struct Case {
        const char* what;
        std::vector<MonitorArea> after;
        bool moved;
    };
    const Case cases[] = {
        {"the same", before, false},
        {"the taskbar hides",
         {Area(kPrimary, TaskbarState::Hidden), Area(kRight, TaskbarState::None)},
         false},
        {"the taskbar slides out, auto-hidden",
         {Area(kPrimary, TaskbarState::Visible, {0, 1078, 1920, 1118}),
          Area(kRight, TaskbarState::None)},
         false},
        {"the taskbar grows taller on its edge",
         {Area(kPrimary, TaskbarState::Visible, {0, 1000, 1920, 1080}),
          Area(kRight, TaskbarState::None)},
         false},
        {"the taskbar moves to the left edge",
         {Area(kPrimary, TaskbarState::Visible, {0, 0, 60, 1080}),
          Area(kRight, TaskbarState::None)},
         true},
        {"the taskbar moves to the top edge",
         {Area(kPrimary, TaskbarState::Visible, {0, 0, 1920, 40}),
          Area(kRight, TaskbarState::None)},
         true},
        {"the taskbar moves to the other monitor",
         {Area(kPrimary, TaskbarState::None),
          Area(kRight, TaskbarState::Visible, {1920, 984, 3200, 1024})},
         true},
        {"a monitor is removed", {Area(kPrimary, TaskbarState::Visible, kPrimaryBar)}, true},
        {"a monitor is added", {before[0], before[1], Area(kLeft, TaskbarState::None)}, true},
        {"the right monitor goes left",
         {before[0], Area({-1280, 0, 0, 1024}, TaskbarState::None)},
         true},
        {"the primary changes resolution",
         {Area({0, 0, 1280, 720}, TaskbarState::Visible, {0, 680, 1280, 720}), before[1]},
         true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LayoutMoved(before, c.after), c.moved) << c.what;
    // A taskbar on a monitor right of the primary is judged against its own monitor: along
    // its left edge (x 1920..1968) it is on the left, not in the middle of the desktop.
    const std::vector<MonitorArea> rightLeft = {
        before[0], Area(kRight, TaskbarState::Visible, {1920, 0, 1968, 1024})};
    const std::vector<MonitorArea> rightBottom = {
        before[0], Area(kRight, TaskbarState::Visible, {1920, 984, 3200, 1024})};
    EXPECT_TRUE(LayoutMoved(rightLeft, rightBottom));
    EXPECT_FALSE(LayoutMoved(rightLeft, rightLeft));
}

} // namespace
