#pragma once

#include "system/ISystemState.h"

// A system state the test sets by hand; Change() tells the listener, as the real one does
// when the foreground window or the monitors change.
class CStandInSystem : public ISystemState {
public:
    SystemState Current() override { return state; }
    void SetListener(ISystemStateListener* l) override { listener = l; }
    void Watch(const SystemWatch& wanted) override { watch = wanted; }
    void Change() {
        if (listener)
            listener->OnSystemStateChanged();
    }

    SystemState state;
    ISystemStateListener* listener = nullptr;
    SystemWatch watch; // as told last
};
