#include "system/CEfficiencyMode_win.h"

#include "system/SystemOwners_win.h"

#include <algorithm>
#include <utility>

namespace {

// Asks for the power throttling of the process's execution speed, or lets the system decide
// again; false where the system has no such request (before Windows 8) or refuses it.
bool AskExecutionThrottling(bool on) {
    using SetInformation = BOOL(WINAPI*)(HANDLE, PROCESS_INFORMATION_CLASS, LPVOID, DWORD);
    const auto set = SystemFunction<SetInformation>("kernel32.dll", "SetProcessInformation");
    PROCESS_POWER_THROTTLING_STATE state{};
    state.Version = PROCESS_POWER_THROTTLING_CURRENT_VERSION;
    state.ControlMask = on ? PROCESS_POWER_THROTTLING_EXECUTION_SPEED : 0;
    state.StateMask = on ? PROCESS_POWER_THROTTLING_EXECUTION_SPEED : 0;
    return set && set(GetCurrentProcess(), ProcessPowerThrottling, &state, sizeof state);
}

} // namespace

void CEfficiencyMode::Apply() {
    const bool wantedNow = wanted && wanted();
    // A refusal leaves the process as it was; the user is not told (Wine refuses always).
    static_cast<void>(AskExecutionThrottling(wantedNow));
    const std::lock_guard<std::mutex> hold(lock);
    on = wantedNow;
    for (DWORD id : workers) {
        const CKernelHandle thread(OpenThread(THREAD_SET_INFORMATION, FALSE, id));
        if (thread.Get())
            SetThreadPriority(thread.Get(), Priority());
    }
}

std::thread CEfficiencyMode::MakeWorker(std::function<void()> work) {
    return std::thread([this, work = std::move(work)] {
        const DWORD id = GetCurrentThreadId();
        {
            const std::lock_guard<std::mutex> hold(lock);
            workers.push_back(id);
            SetThreadPriority(GetCurrentThread(), Priority());
        }
        work();
        const std::lock_guard<std::mutex> hold(lock);
        workers.erase(std::find(workers.begin(), workers.end(), id));
    });
}

int CEfficiencyMode::Priority() const {
    return on ? THREAD_PRIORITY_BELOW_NORMAL : THREAD_PRIORITY_NORMAL;
}
