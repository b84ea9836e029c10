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

// What the adapter gathers beyond what it always knows, and which looks it takes; each
// costs nothing while it is off.
struct SystemWatch {
    bool windows = false;           // the periodic look at the windows and the foreground
    bool camera = false;            // the camera's use, from its key's change notifications
    bool foregroundProgram = false; // the foreground window's program, in each state read
    bool windowPrograms = false;    // each listed window's program, in each state read
    bool runningPrograms = false;   // the running programs, listed at most every 3 s
    bool runningLook = false;       // a look at the running programs every 3 s

    bool operator==(const SystemWatch& other) const {
        return windows == other.windows && camera == other.camera &&
               foregroundProgram == other.foregroundProgram &&
               windowPrograms == other.windowPrograms && runningPrograms == other.runningPrograms &&
               runningLook == other.runningLook;
    }
    bool operator!=(const SystemWatch& other) const { return !(*this == other); }
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
    // What to gather and which looks to take from now on: the periodic look at the
    // windows finds what comes without a notification (some changes of the foreground
    // window's place, the foreground on systems without window events), the look at the
    // running programs their start and end.
    virtual void Watch(const SystemWatch& watch) = 0;
};
