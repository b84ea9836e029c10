#pragma once

#include "effects/engine/CNavPaneItemData.h"
#include "params/CParam.h"
#include "params/CParamRegSet.h"
#include "params/tstr.h"

#include <atomic>
#include <cstdint>

class CSettingsStore;

// An effect set: owns its parameters, its animated items and its frame buffer, and
// renders one frame per cycle when it is the active set. The virtual operations are
// declared in their fixed slot order.
class CSet : public CNavPaneItemData {
public:
    explicit CSet(CSettingsStore* store) : paramSet(store) {}
    ~CSet() override = default;

    // (Re)allocates buffers and items, loads images and places the overlay; false on
    // failure, after freeing what it made.
    virtual bool Start() = 0;
    // Frees what Start allocated.
    virtual bool Stop() = 0;
    virtual bool Load() = 0;
    virtual bool Save() = 0;
    // One frame step of render worker `worker`; returns promptly once *runFlag drops to 0
    // (the render state wakes every wait of the workers when it drops the flag).
    virtual void Render(int worker, const std::atomic<int32_t>* runFlag) = 0;
    // Storage key and identity ("Embra", "Glimra", "Ripla").
    virtual tstr Key() { return *name.Get(); }
    // Text shown in lists.
    virtual tstr DisplayName() { return *displayName.Get(); }
    // Runs the set's modal settings dialog over `parentWindow` (a native window handle).
    virtual void ShowSettings(void* parentWindow) = 0;
    // Main thread: moves the overlay relative to the taskbar as it is now and records the
    // destination point; nothing while the set does not run.
    virtual void UpdatePlacement() {}

    CParamRegSet paramSet; // path "Sets\" + Key(), bound to the settings store
    CParam<tstr> displayName;
    CParam<tstr> name;
    CParam<unsigned long> colour; // ARGB colour of the set's entry in the effect list
};
