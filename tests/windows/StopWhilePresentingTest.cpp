#include "effects/engine/CEffectControl.h"
#include "effects/engine/CRenderState.h"
#include "support/CTestSet.h"
#include "support/WaitUntil.h"
#include "ui/CWin32Desktop.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <functional>

// The one stop of the render state, on the real desktop, while worker 0 is inside its
// presentation and waits for the main thread to answer a message.
namespace {

constexpr UINT kPresentMessage = WM_APP + 7;
std::atomic<int32_t> answered{0};

// Run on the main thread as the first message is answered: the requests that the
// messages arriving meanwhile make (a display change, a switch of the effect, a stop).
std::function<void()> firstAnswer;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kPresentMessage) {
        if (answered.fetch_add(1) == 0 && firstAnswer)
            firstAnswer();
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
    bool Present(std::size_t overlay, int32_t x, int32_t y, const DesktopRect& dirty) override {
        entered.store(true);
        SendMessageA(target, kPresentMessage, 0, 0);
        return CWin32Desktop::Present(overlay, x, y, dirty);
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

// Requests made by messages that the stop answers while it waits for worker 0 are carried
// out after the stop, the last one winning: in the end one set of workers runs, or none.
TEST(StopWhilePresenting, RequestsAnsweredDuringTheStopRunAfterIt) {
    HWND target = CreateMainThreadWindow();
    ASSERT_NE(target, nullptr);
    enum class Request { DisplayChange, Switch, SecondStop };
    for (Request request : {Request::DisplayChange, Request::Switch, Request::SecondStop}) {
        const int what = static_cast<int>(request);
        answered.store(0);
        CSendingDesktop desktop;
        desktop.target = target;
        CRenderState state(&desktop);
        CEffectControl control(&state);
        CTestSet fire(&state);
        CTestSet water(&state);
        state.processorCount = 2;
        state.activeSet = &fire;
        state.frameSleepMs = 0;
        firstAnswer = [&] {
            if (request == Request::DisplayChange)
                control.Restart();
            if (request == Request::Switch) {
                control.Stop();
                control.Choose(&water);
                control.Start();
            }
            if (request == Request::SecondStop)
                control.Stop();
        };
        control.Start();
        ASSERT_TRUE(control.Running()) << what;
        WaitUntil([&] { return desktop.entered.load(); });
        control.Stop();
        EXPECT_EQ(answered.load(), 1) << what;
        EXPECT_EQ(fire.workersAtStop.load(), 0) << what;
        const bool switched = request == Request::Switch;
        EXPECT_EQ(control.Running(), switched) << what;
        EXPECT_EQ(state.runningWorkers.load(), switched ? 2 : 0) << what;
        EXPECT_EQ(state.activeSet, switched ? &water : &fire) << what;
        EXPECT_EQ(water.starts.load(), switched ? 1 : 0) << what;
        firstAnswer = nullptr;
        control.Stop(); // answers the new workers' presentations meanwhile
        EXPECT_EQ(state.runningWorkers.load(), 0) << what;
        EXPECT_EQ(desktop.OverlayWindow(), nullptr) << what;
        state.activeSet = nullptr;
    }
    DestroyWindow(target);
}
