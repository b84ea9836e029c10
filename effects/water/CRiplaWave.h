#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

// Where the wave's last splash went.
struct CRiplaWalk {
    int32_t x = 50;     // x of the last placed splash
    int32_t placed = 0; // splashes placed since the wave started
    int32_t y = 0;      // row of the wave
};

// The water's one wave, shared by every splash of every worker: each spawn moves it on.
// Spawns of different workers are serialised by spawnLock; their order depends on timing.
// The wave lives as long as its set and survives Stop and Start.
struct CRiplaWave {
    std::mutex spawnLock;          // held for a whole spawn
    CRiplaWalk walk;               // guarded by spawnLock
    bool walkStarted = false;      // the row was drawn, at the first Start
    std::atomic<int32_t> size{20}; // splashes per wave; "wave_size" within its bounds
    int32_t yLimit = 0;            // H - 32, set at every Start
    int32_t lastFrame = 0;         // F - 1; Start sets it
};
