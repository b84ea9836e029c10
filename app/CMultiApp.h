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
        processorCount = WorkerCount(info.dwNumberOfProcessors);
        return TBase::Init();
    }

    // One render worker per processor the system reports; a report of 0 counts as 1.
    static uint32_t WorkerCount(DWORD processors) { return processors != 0 ? processors : 1; }

    uint32_t processorCount = 1;
};
