#pragma once

#include "system/ISystemState.h"

// A system state the test sets by hand; Change() tells the listener, as the real one does
// when the foreground window or the monitors change.
class CStandInSystem : public ISystemState {
public:
    SystemState Current() override { return state; }
    void SetListener(ISystemStateListener* l) override { listener = l; }
    void WatchFullScreen(bool watch) override { watching = watch; }
    void Change() {
        if (listener)
            listener->OnSystemStateChanged();
    }

    SystemState state;
    ISystemStateListener* listener = nullptr;
    bool watching = false;
};
