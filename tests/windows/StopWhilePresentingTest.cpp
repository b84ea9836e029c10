#include "effects/engine/CRenderState.h"
#include "support/CTestSet.h"
#include "support/WaitUntil.h"
#include "ui/CWin32Desktop.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>

// The one stop of the render state, on the real desktop, while worker 0 is inside its
// presentation and waits for the main thread to answer a message.
namespace {

constexpr UINT kPresentMessage = WM_APP + 7;
std::atomic<int32_t> answered{0};

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kPresentMessage) {
        answered.fetch_add(1);
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A window of the test's (the main) thread that counts the messages it answers.
HWND CreateMainThreadWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = CountingProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "EmbraTestPresentTarget";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           windowClass.hInstance, nullptr);
}

// A desktop whose presentation first sends the main thread a message and waits for it to
// be answered, as a presentation that touches the main thread's windows does.
class CSendingDesktop : public CWin32Desktop {
public:
    bool Present(int32_t x, int32_t y) override {
        entered.store(true);
        SendMessageA(target, kPresentMessage, 0, 0);
        return CWin32Desktop::Present(x, y);
    }

    HWND target = nullptr;
    std::atomic<bool> entered{false};
};

} // namespace

TEST(StopWhilePresenting, StopAnswersTheWorkerAndEnds) {
    HWND target = CreateMainThreadWindow();
    ASSERT_NE(target, nullptr);
    for (int32_t workers : {1, 3}) {
        answered.store(0);
        CSendingDesktop desktop;
        desktop.target = target;
        CRenderState state(&desktop);
        CTestSet set(&state);
        state.processorCount = workers;
        state.activeSet = &set;
        state.frameSleepMs = 0;
        ASSERT_TRUE(state.StartEffect());
        // Worker 0 is now held inside its first presentation: this thread only sleeps.
        WaitUntil([&] { return desktop.entered.load(); });
        EXPECT_EQ(answered.load(), 0);
        state.StopEffect();
        EXPECT_EQ(answered.load(), 1) << workers; // answered by the stop, then no frame more
        EXPECT_EQ(set.frames.load(), 1);
        EXPECT_EQ(state.runningWorkers.load(), 0);
        EXPECT_EQ(desktop.OverlayWindow(), nullptr);
        state.activeSet = nullptr;
    }
    DestroyWindow(target);
}
