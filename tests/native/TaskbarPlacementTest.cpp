#include "effects/engine/TaskbarPlacement.h"

#include <gtest/gtest.h>

// The one taskbar-edge rule, on a 1921 x 1081 screen whose integer halves are 960 and 540:
// each edge is judged with the rectangle one pixel either side of the middle line, and the
// rules are tried in the order top, bottom, left, right.
TEST(TaskbarPlacement, ClassifiesByTheScreensIntegerHalves) {
    struct Case {
        const char* what;
        DesktopRect taskbar;
        TaskbarSide side;
    };
    const Case cases[] = {
        {"bottom edge", {0, 1041, 1921, 1081}, TaskbarSide::Bottom},
        {"top edge", {0, 0, 1921, 40}, TaskbarSide::Top},
        {"left edge", {0, 0, 60, 1081}, TaskbarSide::Left},
        {"right edge", {1861, 0, 1921, 1081}, TaskbarSide::Right},
        {"bottom 539: above the middle row", {0, 0, 1921, 539}, TaskbarSide::Top},
        {"bottom 540: reaches the middle row", {0, 0, 1921, 540}, TaskbarSide::Unknown},
        {"top 541: below the middle row", {0, 541, 1921, 1081}, TaskbarSide::Bottom},
        {"top 540: on the middle row", {0, 540, 1921, 1081}, TaskbarSide::Unknown},
        {"right 959: left of the middle column", {0, 0, 959, 1081}, TaskbarSide::Left},
        {"right 960: reaches the middle column", {0, 0, 960, 1081}, TaskbarSide::Unknown},
        {"left 961: right of the middle column", {961, 0, 1921, 1081}, TaskbarSide::Right},
        {"left 960: on the middle column", {960, 0, 1921, 1081}, TaskbarSide::Unknown},
        {"a top-left corner box: top is tried first", {0, 0, 60, 40}, TaskbarSide::Top},
        {"a bottom-right corner box: bottom before right",
         {1861, 1041, 1921, 1081},
         TaskbarSide::Bottom},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClassifyTaskbar(c.taskbar, 1921, 1081), c.side) << c.what;
}
