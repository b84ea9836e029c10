#pragma once

#include <cstdint>

// The part of the water's wave state that every splash shares. It lives as long as its
// set and survives Stop and Start.
struct CRiplaWave {
    int32_t size = 20;     // splashes per wave; mirrors "wave_size"
    int32_t yLimit = 0;    // H - 32, set when the set first starts
    int32_t lastFrame = 0; // F - 1; Start sets it
};

// One wave in progress: where the last splash went. Each render worker has its own, so a
// worker's splashes depend only on its own random sequence; the rules of a walk are those
// of the one wave of the effect.
struct CRiplaWalk {
    const CRiplaWave* wave = nullptr;
    int32_t x = 50;     // x of the last placed splash
    int32_t placed = 0; // splashes placed since the wave started
    int32_t y = 0;      // row of the wave
};
