#pragma once

#include <windows.h>

#include <cstdint>

// The layer that knows the machine's processor count: the number of render workers.
template <class TBase> class CMultiApp : public TBase {
public:
    ~CMultiApp() override = default;

    // Reads the processor count (0 counts as 1), then the layer below.
    bool Init() override {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        processorCount = info.dwNumberOfProcessors != 0 ? info.dwNumberOfProcessors : 1;
        return TBase::Init();
    }

    uint32_t processorCount = 1;
};
