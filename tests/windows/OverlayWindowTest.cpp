#include "effects/engine/CRenderState.h"
#include "graphics/CBmp.h"
#include "support/CTestSet.h"
#include "support/WaitUntil.h"
#include "ui/CWin32Desktop.h"

#include <gtest/gtest.h>

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

// A stand-in taskbar: a plain window of the taskbar's class.
HWND CreateTaskbar(const RECT& rect, bool visible) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "Shell_TrayWnd";
    RegisterClassA(&windowClass);
    return CreateWindowExA(WS_EX_TOOLWINDOW, "Shell_TrayWnd", "",
                           WS_POPUP | (visible ? WS_VISIBLE : 0), rect.left, rect.top,
                           rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

} // namespace

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

// The presented band reaches the layered window, directly and through a whole frame.
TEST(OverlayWindow, UpdateLayeredWindowTakesTheBand) {
    Rig rig(1);
    ASSERT_TRUE(rig.state.StartRendering());
    const DesktopSize screen = rig.desktop.ScreenSize();
    CBmp band;
    band.Create(screen.width, 200);
    band.Fill(0x80402010u); // premultiplied: no channel above the alpha
    rig.desktop.CopyBand(band);
    EXPECT_TRUE(rig.desktop.Present(0, screen.height - 200));

    std::atomic<int32_t> run{1};
    rig.set.Render(0, &run);
    EXPECT_EQ(rig.set.frames.load(), 1);
    rig.state.StopRendering();
    EXPECT_FALSE(rig.desktop.Present(0, 0)); // no overlay any more
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

// The taskbar is the first visible window of its class; the overlay goes right behind it.
TEST(OverlayWindow, FindsTheTaskbarAndGoesBehindIt) {
    CWin32Desktop desktop;
    DesktopRect rect;
    // Wine's shell may own a hidden taskbar window already; a visible one would be found
    // before the stand-ins.
    const TaskbarState before = desktop.FindTaskbar(&rect);
    if (before == TaskbarState::Visible)
        GTEST_SKIP() << "a visible taskbar is present";
    EXPECT_EQ(before,
              FindWindowA("Shell_TrayWnd", nullptr) ? TaskbarState::Hidden : TaskbarState::None);

    HWND hidden = CreateTaskbar({0, 0, 300, 30}, false);
    ASSERT_NE(hidden, nullptr);
    EXPECT_EQ(desktop.FindTaskbar(&rect), TaskbarState::Hidden);

    HWND visible = CreateTaskbar({0, 500, 640, 540}, true);
    ASSERT_NE(visible, nullptr);
    ASSERT_EQ(desktop.FindTaskbar(&rect), TaskbarState::Visible);
    EXPECT_EQ(rect.top, 500);
    EXPECT_EQ(rect.bottom, 540);
    EXPECT_EQ(rect.right, 640);

    ASSERT_TRUE(desktop.CreateOverlay({0, 300, 640, 500}));
    desktop.PutOverlayBehindTaskbar();
    EXPECT_EQ(GetWindow(visible, GW_HWNDNEXT), desktop.OverlayWindow());
    desktop.MoveOverlay(60, 100);
    ASSERT_TRUE(desktop.OverlayRect(&rect));
    EXPECT_EQ(rect.left, 60);
    EXPECT_EQ(rect.top, 100);
    EXPECT_EQ(rect.right, 700); // the size is kept
    EXPECT_EQ(rect.bottom, 300);
    desktop.DestroyOverlay();
    DestroyWindow(visible);
    DestroyWindow(hidden);
}
