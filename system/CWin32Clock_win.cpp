#include "system/CWin32Clock_win.h"

#include <utility>

namespace {

CWin32Clock* reporting = nullptr; // the one the thread timers report to

} // namespace

CWin32Clock::CWin32Clock(std::function<void(AppTimer)> onTimer) : onTimer(std::move(onTimer)) {
    reporting = this;
}

CWin32Clock::~CWin32Clock() {
    for (int i = 0; i < kTimers; ++i)
        Cancel(static_cast<AppTimer>(i));
    reporting = nullptr;
}

uint64_t CWin32Clock::Now() {
    return GetTickCount64();
}

int CWin32Clock::MinuteOfDay() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now.wHour * 60 + now.wMinute;
}

void CWin32Clock::Arm(AppTimer timer, uint32_t milliseconds) {
    Cancel(timer);
    ids[static_cast<int>(timer)] = SetTimer(nullptr, 0, milliseconds, OnTimer);
}

void CWin32Clock::Cancel(AppTimer timer) {
    UINT_PTR& id = ids[static_cast<int>(timer)];
    if (id != 0)
        KillTimer(nullptr, id);
    id = 0;
}

void CALLBACK CWin32Clock::OnTimer(HWND, UINT, UINT_PTR id, DWORD) noexcept {
    if (!reporting)
        return;
    for (int i = 0; i < kTimers; ++i) {
        if (reporting->ids[i] != id)
            continue;
        const auto timer = static_cast<AppTimer>(i);
        reporting->Cancel(timer);
        reporting->onTimer(timer);
        return;
    }
    // A timer no slot holds any more fired late: it goes.
    KillTimer(nullptr, id);
}
