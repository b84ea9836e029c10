#include "ScreenCapture.h"
#include "StandInTaskbar.h"

#include "effects/engine/CRenderState.h"
#include "effects/engine/ScreenSize.h"
#include "effects/engine/TaskbarPlacement.h"
#include "graphics/CBmp.h"
#include "support/CTestSet.h"
#include "support/WaitUntil.h"
#include "ui/CWin32Desktop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <vector>

#include <windows.h>

namespace {

struct Rig {
    explicit Rig(int32_t workers) : state(&desktop), set(&state) {
        state.processorCount = workers;
        state.activeSet = &set;
        state.frameSleepMs = 0;
    }
    ~Rig() { state.StopEffect(); }

    CWin32Desktop desktop;
    CRenderState state;
    CTestSet set;
};

// A pixel of a band whose colour tells where it lies: red the column's low byte, green the
// row, blue the column's high byte; opaque.
uint32_t KnownPixel(int32_t x, int32_t y) {
    return 0xFF000000u | static_cast<uint32_t>(x & 0xFF) << 16 |
           static_cast<uint32_t>(y & 0xFF) << 8 | static_cast<uint32_t>((x >> 8) & 0xFF);
}

// What the screen shows at (x, y), layered windows included, as 0x00RRGGBB.
uint32_t ShownAt(int32_t x, int32_t y) {
    const std::vector<uint32_t> pixel = CaptureScreen(RECT{x, y, x + 1, y + 1});
    return pixel.empty() ? 0xFFFFFFFFu : pixel[0]; // no 0x00RRGGBB value: nothing could be read
}

// The primary monitor's taskbar as the desktop reports it; `rect` filled in when visible.
TaskbarState PrimaryTaskbar(CWin32Desktop& desktop, DesktopRect* rect) {
    const MonitorArea primary = desktop.Monitors().at(0);
    if (primary.taskbarState == TaskbarState::Visible)
        *rect = primary.taskbar;
    return primary.taskbarState;
}

} // namespace

// Starting the effect leaves the window the user works in active: the overlay never takes
// the keyboard focus.
TEST(OverlayWindow, ShowingKeepsTheActiveWindow) {
    HWND user = CreateWindowExA(0, "STATIC", "user's window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                                10, 200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(user, nullptr);
    SetForegroundWindow(user);
    SetActiveWindow(user);
    ASSERT_EQ(GetActiveWindow(), user);
    {
        Rig rig(1);
        ASSERT_TRUE(rig.state.StartRendering());
        EXPECT_EQ(GetActiveWindow(), user);
        EXPECT_EQ(GetForegroundWindow(), user);
        EXPECT_TRUE(rig.state.StopRendering());
    }
    DestroyWindow(user);
}

// While rendering, the overlay exists with its class, styles, position and size; after
// StopRendering it is gone.
TEST(OverlayWindow, ExistsWhileRendering) {
    Rig rig(1);
    ASSERT_TRUE(rig.state.StartRendering());
    HWND window = FindWindowA("LV_EmbraDrawWnd", nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window, rig.desktop.OverlayWindow());
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)), 0x080800A8u);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & ~WS_VISIBLE, 0x84000000u);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    RECT rect{};
    ASSERT_TRUE(GetWindowRect(window, &rect));
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, height - 200);
    EXPECT_EQ(rect.right, width);
    EXPECT_EQ(rect.bottom, height);

    EXPECT_TRUE(rig.state.StopRendering());
    EXPECT_EQ(FindWindowA("LV_EmbraDrawWnd", nullptr), nullptr);
    EXPECT_FALSE(IsWindow(window));
}

// The presented band is what the screen shows at the destination point, pixel for pixel:
// a band presented directly, the same band presented elsewhere, and a whole frame of the
// frame protocol with its worker's mark and the opacity step's mark. The pixels are opaque,
// so the screen shows them as they are whatever lies beneath.
TEST(OverlayWindow, ScreenShowsThePresentedBand) {
    Rig rig(1);
    rig.set.opacityMark = 0xFF123456u;
    ASSERT_TRUE(rig.state.StartRendering());
    const DesktopRect primary = rig.desktop.Monitors().at(0).screen;
    const DesktopSize screen{primary.right, primary.bottom};
    const int32_t top = screen.height - 200;
    CBmp band;
    band.Create(screen.width, 200);
    for (int32_t y = 0; y < 200; ++y)
        for (int32_t x = 0; x < screen.width; ++x)
            band.SetPixel(x, y, KnownPixel(x, y));
    const DesktopRect whole{0, 0, screen.width, 200};
    rig.desktop.CopyBand(0, band, whole);
    const POINT samples[] = {{0, 0}, {screen.width - 1, 199}, {1, 1}, {300, 100}, {777, 57}};
    for (const int32_t shownTop : {top, top - 150}) {
        ASSERT_TRUE(rig.desktop.Present(0, 0, shownTop, whole));
        for (const POINT& at : samples)
            EXPECT_EQ(ShownAt(at.x, shownTop + at.y), KnownPixel(at.x, at.y) & 0xFFFFFFu)
                << at.x << "," << at.y << " shown from row " << shownTop;
    }

    std::atomic<int32_t> run{1};
    rig.set.Render(0, &run);
    EXPECT_EQ(rig.set.frames.load(), 1);
    EXPECT_EQ(ShownAt(0, top), CTestSet::Mark(1) & 0xFFFFFFu);
    EXPECT_EQ(ShownAt(screen.width - 1, screen.height - 1), 0x123456u);
    rig.state.StopRendering();
    EXPECT_FALSE(rig.desktop.Present(0, 0, 0, whole)); // no overlay any more
}

// Worker threads render and present under Windows threads, and stop cleanly.
TEST(OverlayWindow, WorkersRenderAndStop) {
    Rig rig(2);
    rig.state.frameLimit = 4;
    ASSERT_TRUE(rig.state.StartEffect());
    WaitUntil([&] { return rig.state.runFlag.load() == 0; });
    rig.state.StopEffect();
    EXPECT_EQ(rig.set.frames.load(), 4);
    EXPECT_EQ(rig.state.runningWorkers.load(), 0);
    EXPECT_EQ(FindWindowA("LV_EmbraDrawWnd", nullptr), nullptr);
}

// Pausing hides the overlay window and keeps it; resuming shows it again, and the
// workers present into it again.
TEST(OverlayWindow, PauseHidesAndResumeShowsTheWindow) {
    Rig rig(2);
    ASSERT_TRUE(rig.state.StartEffect());
    WaitUntil([&] { return rig.set.frames.load() >= 1; });
    HWND window = rig.desktop.OverlayWindow();
    ASSERT_NE(window, nullptr);
    rig.state.SetPaused(true);
    EXPECT_FALSE(IsWindowVisible(window));
    WaitUntil([&] { return rig.state.parked.load(); });
    const int32_t frames = rig.set.frames.load();
    rig.state.SetPaused(false);
    EXPECT_EQ(rig.desktop.OverlayWindow(), window);
    EXPECT_TRUE(IsWindowVisible(window));
    WaitUntil([&] { return rig.set.frames.load() > frames; });
    rig.state.StopEffect();
    EXPECT_FALSE(IsWindow(window));
}

// The taskbar is the first visible window of its class; the overlay goes right behind it.
TEST(OverlayWindow, FindsTheTaskbarAndGoesBehindIt) {
    CWin32Desktop desktop;
    DesktopRect rect;
    // Wine's shell may own a hidden taskbar window already; a visible one would be found
    // before the stand-ins.
    const TaskbarState before = PrimaryTaskbar(desktop, &rect);
    if (before == TaskbarState::Visible)
        GTEST_SKIP() << "a visible taskbar is present";
    EXPECT_EQ(before,
              FindWindowA("Shell_TrayWnd", nullptr) ? TaskbarState::Hidden : TaskbarState::None);

    HWND hidden = CreateTaskbar({0, 0, 300, 30}, false);
    ASSERT_NE(hidden, nullptr);
    EXPECT_EQ(PrimaryTaskbar(desktop, &rect), TaskbarState::Hidden);

    HWND visible = CreateTaskbar({0, 500, 640, 540}, true);
    ASSERT_NE(visible, nullptr);
    ASSERT_EQ(PrimaryTaskbar(desktop, &rect), TaskbarState::Visible);
    EXPECT_EQ(rect.top, 500);
    EXPECT_EQ(rect.bottom, 540);
    EXPECT_EQ(rect.right, 640);

    ASSERT_TRUE(desktop.CreateOverlay(0, {0, 300, 640, 500}, 0));
    desktop.PutOverlayBehindTaskbar(0);
    EXPECT_EQ(OwnWindowBelow(visible), desktop.OverlayWindow());
    desktop.MoveOverlay(0, 60, 100);
    ASSERT_TRUE(desktop.OverlayRect(0, &rect));
    EXPECT_EQ(rect.left, 60);
    EXPECT_EQ(rect.top, 100);
    EXPECT_EQ(rect.right, 700); // the size is kept
    EXPECT_EQ(rect.bottom, 300);
    desktop.DestroyOverlays();
    DestroyWindow(visible);
    DestroyWindow(hidden);
}

// The overlay is no window the user closes: WM_CLOSE (a task manager's "end task", a
// script) leaves it presenting. Destroyed by anything but the desktop, it is presented to
// no more, the desktop tells so once, and the effect stops cleanly afterwards.
TEST(OverlayWindow, RefusesCloseAndReportsAnOutsideDestruction) {
    Rig rig(2);
    int lost = 0;
    rig.desktop.onOverlayLost = [&] { ++lost; };
    ASSERT_TRUE(rig.state.StartEffect());
    HWND overlay = rig.desktop.OverlayWindow();
    ASSERT_TRUE(IsWindow(overlay));

    SendMessageA(overlay, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(overlay));
    const int32_t frames = rig.set.frames.load();
    WaitUntil([&] { return rig.set.frames.load() >= frames + 2; });
    EXPECT_EQ(lost, 0);

    DestroyWindow(overlay);
    EXPECT_EQ(lost, 1);
    EXPECT_FALSE(rig.desktop.Present(0, 0, 0, {0, 0, 1, 1}));
    const int32_t after = rig.set.frames.load();
    WaitUntil([&] { return rig.set.frames.load() >= after + 2; }); // worker 0 goes on unharmed
    rig.state.StopEffect();
    EXPECT_EQ(rig.state.runningWorkers.load(), 0);
    EXPECT_EQ(FindWindowA("LV_EmbraDrawWnd", nullptr), nullptr);

    // An ordinary stop is no loss.
    ASSERT_TRUE(rig.state.StartEffect());
    rig.state.StopEffect();
    EXPECT_EQ(lost, 1);
}

// With no taskbar that shows, hidden or auto-hidden to a 2-pixel strip, the fire's and the
// water's band goes along the bottom edge of the screen.
TEST(OverlayWindow, BandOnTheBottomEdgeWithoutAShownTaskbar) {
    CWin32Desktop desktop;
    DesktopRect rect;
    if (PrimaryTaskbar(desktop, &rect) == TaskbarState::Visible)
        GTEST_SKIP() << "a visible taskbar is present";
    ReadScreenSize(desktop);
    const int32_t width = screenWidth;
    const int32_t height = screenHeight;
    ASSERT_TRUE(desktop.CreateOverlay(0, {0, 0, width, 200}, 0));
    struct Case {
        const char* what;
        RECT taskbar;
        bool visible;
    } cases[] = {
        {"auto-hidden at the bottom", {0, height - 2, width, height + 38}, true},
        {"auto-hidden on the left", {-58, 0, 2, height}, true},
        {"hidden", {0, height - 40, width, height}, false},
    };
    for (const Case& test : cases) {
        HWND taskbar = CreateTaskbar(test.taskbar, test.visible);
        ASSERT_NE(taskbar, nullptr) << test.what;
        desktop.MoveOverlay(0, 5, 6);
        const MonitorArea primary = desktop.Monitors().at(0);
        EXPECT_EQ(ShownTaskbar(primary, &rect), TaskbarState::Hidden) << test.what;
        int32_t x = -1;
        int32_t y = -1;
        EXPECT_TRUE(BandOnTaskbar(primary, &x, &y)) << test.what;
        desktop.MoveOverlay(0, x, y);
        EXPECT_EQ(x, 0) << test.what;
        EXPECT_EQ(y, height - 200) << test.what;
        ASSERT_TRUE(desktop.OverlayRect(0, &rect));
        EXPECT_EQ(rect.left, 0) << test.what;
        EXPECT_EQ(rect.top, height - 200) << test.what;
        DestroyWindow(taskbar);
    }
    desktop.DestroyOverlays();
}
