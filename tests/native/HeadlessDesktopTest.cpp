#include "effects/engine/TaskbarPlacement.h"
#include "effects/headless/CHeadlessDesktop.h"
#include "support/ExpectRect.h"

#include <gtest/gtest.h>

namespace {

// Monitor 0's taskbar, `rect` filled in when it is visible.
TaskbarState FirstTaskbar(CHeadlessDesktop& desktop, DesktopRect* rect) {
    const MonitorArea monitor = desktop.Monitors().at(0);
    if (monitor.taskbarState == TaskbarState::Visible)
        *rect = monitor.taskbar;
    return monitor.taskbarState;
}

} // namespace

TEST(HeadlessDesktop, ScriptedTaskbar) {
    struct Case {
        TaskbarSide edge;
        DesktopRect expected;
    };
    const Case cases[] = {
        {TaskbarSide::Bottom, {0, 1040, 1920, 1080}}, // along the bottom, 40 high
        {TaskbarSide::Top, {0, 0, 1920, 40}},
        {TaskbarSide::Left, {0, 0, 40, 1080}},
        {TaskbarSide::Right, {1880, 0, 1920, 1080}},
    };
    CHeadlessDesktop desktop(1920, 1080);
    DesktopRect rect;
    EXPECT_EQ(FirstTaskbar(desktop, &rect), TaskbarState::None); // none until placed
    for (const Case& c : cases) {
        desktop.SetTaskbar(c.edge, 40);
        ASSERT_EQ(FirstTaskbar(desktop, &rect), TaskbarState::Visible);
        ExpectRect(rect, c.expected);
        // The scripted edge is the one the placement rule reads back.
        EXPECT_EQ(ClassifyTaskbar(rect, 1920, 1080), c.edge);
    }
    desktop.HideTaskbar();
    EXPECT_EQ(FirstTaskbar(desktop, &rect), TaskbarState::Hidden);
    desktop.RemoveTaskbar();
    EXPECT_EQ(FirstTaskbar(desktop, &rect), TaskbarState::None);
}

// The overlay moves with its size, goes behind a visible taskbar only, and without an
// overlay nothing is presented.
TEST(HeadlessDesktop, OverlayLifecycle) {
    CHeadlessDesktop desktop(100, 300);
    EXPECT_FALSE(desktop.Present(0, 0, 0, {}));
    ASSERT_TRUE(desktop.CreateOverlay(0, {0, 0, 50, 100}, 0));
    ASSERT_TRUE(desktop.CreateOverlay(0, {0, 100, 100, 300}, 0)); // replaces the first
    EXPECT_EQ(desktop.LiveOverlays(), 1);
    EXPECT_FALSE(desktop.OverlayVisible());
    desktop.ShowOverlay(0);
    EXPECT_TRUE(desktop.OverlayVisible());
    desktop.MoveOverlay(0, 60, 40);
    DesktopRect rect;
    ASSERT_TRUE(desktop.OverlayRect(0, &rect));
    ExpectRect(rect, {60, 40, 160, 240});
    desktop.HideTaskbar();
    desktop.PutOverlayBehindTaskbar(0);
    EXPECT_FALSE(desktop.OverlayBehindTaskbar());
    desktop.SetTaskbar(TaskbarSide::Bottom, 30);
    desktop.PutOverlayBehindTaskbar(0);
    EXPECT_TRUE(desktop.OverlayBehindTaskbar());
    desktop.DestroyOverlays();
    EXPECT_FALSE(desktop.OverlayExists());
    EXPECT_FALSE(desktop.OverlayRect(0, &rect));
    EXPECT_FALSE(desktop.CreateOverlay(0, {0, 0, 0, 200}, 0)); // empty rectangle
}

// A band is copied to the surface's top-left corner, clipped, and the surface keeps what
// the band does not cover.
TEST(HeadlessDesktop, CopyBandClipsToTheSurface) {
    CHeadlessDesktop desktop(4, 300);
    ASSERT_TRUE(desktop.CreateOverlay(0, {0, 0, 4, 3}, 0));
    CBmp wide;
    wide.Create(6, 2);
    wide.Fill(0x11223344u);
    desktop.CopyBand(0, wide, {0, 0, 6, 2});
    ASSERT_TRUE(desktop.Present(0, 5, 7, {0, 0, 6, 2}));
    CBmp shown;
    desktop.CopyLastPresented(&shown);
    ASSERT_EQ(shown.width, 4);
    ASSERT_EQ(shown.height, 3);
    EXPECT_EQ(shown.Pixel(3, 1), 0x11223344u);
    EXPECT_EQ(shown.Pixel(0, 2), 0u);
    EXPECT_EQ(desktop.PresentCount(), 1);
    EXPECT_EQ(desktop.LastDestination().left, 5);
    EXPECT_EQ(desktop.LastDestination().top, 7);
}

// Bitmap resources are the embedded artwork, decoded as the Windows build loads them.
TEST(HeadlessDesktop, LoadsTheEmbeddedArtwork) {
    CHeadlessDesktop desktop(100, 100);
    CBmp sheet;
    ASSERT_TRUE(desktop.LoadBitmapResource(135, &sheet));
    EXPECT_EQ(sheet.width, 256);
    EXPECT_EQ(sheet.height, 64);
    EXPECT_FALSE(desktop.LoadBitmapResource(137, &sheet));
    EXPECT_EQ(sheet.pixels, nullptr);
}
