#pragma once

#include "system/SystemState.h"

// Told on the main thread what changed in the system.
class ISystemStateListener {
public:
    virtual ~ISystemStateListener() = default;
    // Something the state is made of may have changed: read it again.
    virtual void OnSystemStateChanged() = 0;
    // The machine woke from sleep: the overlay is to be placed anew.
    virtual void OnResumedFromSleep() = 0;
};

// The one way the application reads the system's state. The Windows adapter gathers it
// from the system's notifications; tests hand in a stand-in.
class ISystemState {
public:
    virtual ~ISystemState() = default;
    // The state now.
    virtual SystemState Current() = 0;
    // The listener told of changes from now on; null tells no one.
    virtual void SetListener(ISystemStateListener* listener) = 0;
    // Whether the cheap periodic check for a full-screen program is wanted; some changes
    // of the foreground window's place come without a notification.
    virtual void WatchFullScreen(bool watch) = 0;
};
