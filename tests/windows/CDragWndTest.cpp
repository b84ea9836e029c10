#include "ui/CDragWnd.h"

#include <gtest/gtest.h>

#include <windows.h>

// A drag starts once the pointer leaves the system's drag rectangle around the start
// point (its edges still count as inside) and stays started until ResetDrag.
TEST(DragWnd, IsDraggingAroundTheThreshold) {
    CDragWnd drag;
    ASSERT_TRUE(drag.Create(0, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    char className[32] = "";
    GetClassNameA(drag.Handle(), className, sizeof className);
    EXPECT_STREQ(className, "DragWnd");

    const int w = GetSystemMetrics(SM_CXDRAG);
    const int h = GetSystemMetrics(SM_CYDRAG);
    struct Step {
        const char* what;
        POINT point;
        int dragging;
    };
    const Step steps[] = {
        {"on the start point", {100, 100}, 0},
        {"right and top corner of the rectangle", {100 + w, 100 - h}, 0},
        {"left and bottom corner", {100 - w, 100 + h}, 0},
        {"one pixel right of it", {101 + w, 100}, 1},
        {"back on the start point: still dragging", {100, 100}, 1},
    };
    drag.SetDragStart({100, 100});
    for (const Step& step : steps)
        EXPECT_EQ(drag.IsDragging(step.point), step.dragging) << step.what;

    EXPECT_EQ(drag.ResetDrag(), 0);
    EXPECT_EQ(drag.DragStart().x, 0);
    EXPECT_EQ(drag.IsDragging({0, 0}), 0);
    drag.SetDragStart({100, 100});
    EXPECT_EQ(drag.IsDragging({100, 99 - h}), 1) << "one pixel above the rectangle";
}
