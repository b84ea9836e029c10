#include "system/CEfficiencyMode_win.h"

#include <gtest/gtest.h>

#include <atomic>

// A worker starts below normal while the mode is wanted and, running, goes back to normal
// when it no longer is; the system's refusal of the process's request (Wine's) is no fault.
TEST(EfficiencyModeTest, WorkersRunBelowNormalWhileWantedRunningOnesIncluded) {
    bool wanted = true;
    CEfficiencyMode mode;
    mode.wanted = [&wanted] { return wanted; };
    mode.Apply();
    std::atomic<int> seen{THREAD_PRIORITY_ERROR_RETURN};
    std::atomic<bool> stop{false};
    std::thread worker = mode.MakeWorker([&] {
        for (; !stop.load(); Sleep(5))
            seen.store(GetThreadPriority(GetCurrentThread()));
    });
    const auto sees = [&seen](int priority) {
        for (int poll = 0; poll < 200 && seen.load() != priority; ++poll)
            Sleep(10);
        return seen.load() == priority;
    };
    EXPECT_TRUE(sees(THREAD_PRIORITY_BELOW_NORMAL));
    wanted = false;
    mode.Apply();
    EXPECT_TRUE(sees(THREAD_PRIORITY_NORMAL)) << "the running worker follows";
    stop.store(true);
    worker.join();
}
