#include "system/CEfficiencyMode_win.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>

namespace {

// Waits up to 2 s until the priority the worker reads is `wanted`.
bool SeesPriority(const std::atomic<int>& seen, int wanted) {
    for (int poll = 0; poll < 200 && seen.load() != wanted; ++poll)
        Sleep(10);
    return seen.load() == wanted;
}

} // namespace

// A worker starts below normal while the mode is wanted, and a running one goes back to
// normal when it no longer is; the system's refusal of the process's request (Wine's) is
// no failure.
TEST(EfficiencyModeTest, WorkersRunBelowNormalWhileWantedRunningOnesIncluded) {
    bool wanted = true;
    CEfficiencyMode mode;
    mode.wanted = [&wanted] { return wanted; };
    mode.Apply();
    std::atomic<int> seen{THREAD_PRIORITY_ERROR_RETURN};
    std::atomic<bool> stop{false};
    std::thread worker = mode.MakeWorker([&] {
        while (!stop.load()) {
            seen.store(GetThreadPriority(GetCurrentThread()));
            Sleep(5);
        }
    });
    EXPECT_TRUE(SeesPriority(seen, THREAD_PRIORITY_BELOW_NORMAL));
    wanted = false;
    mode.Apply();
    EXPECT_TRUE(SeesPriority(seen, THREAD_PRIORITY_NORMAL)) << "the running worker follows";
    stop.store(true);
    worker.join();
}
