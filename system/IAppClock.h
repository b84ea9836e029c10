#pragma once

#include <cstdint>

// The application's one-shot timers.
enum class AppTimer {
    Settle,      // the monitors and taskbars have settled after a change
    HourPause,   // the end of "Pause for 1 hour" or of another timed pause
    OverlayLost, // an overlay was destroyed from outside: the effect stops after that
};

// Time as the application controller sees it: a clock and one-shot timers that call the
// controller back on the main thread. The Windows adapter drives them with the main
// thread's own timers; tests move the time by hand.
class IAppClock {
public:
    virtual ~IAppClock() = default;
    // Milliseconds since some fixed moment, never going back.
    virtual uint64_t Now() = 0;
    // The local time of day in minutes since midnight, for the texts that name a time.
    virtual int MinuteOfDay() = 0;
    // Fires `timer` once, `milliseconds` from now; an armed one starts its time afresh.
    virtual void Arm(AppTimer timer, uint32_t milliseconds) = 0;
    virtual void Cancel(AppTimer timer) = 0;
};
