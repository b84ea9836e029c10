#pragma once

#include "system/IAppClock.h"

#include <windows.h>

#include <cstdint>
#include <functional>

// The application's clock on Windows: GetTickCount64, the local time, and thread timers of
// the main thread (no window), which any message loop of the thread dispatches, the modal
// loops of dialogs, boxes and menus among them. A fired timer is killed first, then
// reported through onTimer. One per process; main thread only.
class CWin32Clock : public IAppClock {
public:
    explicit CWin32Clock(std::function<void(AppTimer)> onTimer);
    ~CWin32Clock() override;
    CWin32Clock(const CWin32Clock&) = delete;
    CWin32Clock& operator=(const CWin32Clock&) = delete;

    uint64_t Now() override;
    int MinuteOfDay() override;
    void Arm(AppTimer timer, uint32_t milliseconds) override;
    void Cancel(AppTimer timer) override;

private:
    static constexpr int kTimers = 3; // one slot per AppTimer
    static_assert(static_cast<int>(AppTimer::OverlayLost) + 1 == kTimers, "a slot per timer");
    static void CALLBACK OnTimer(HWND window, UINT message, UINT_PTR id, DWORD time) noexcept;

    std::function<void(AppTimer)> onTimer;
    UINT_PTR ids[kTimers] = {}; // the system's id of each armed timer, 0 none
};
