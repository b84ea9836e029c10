#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

// Where the curtain's last ray went and how the walk moves on.
struct CGlimraWalk {
    int32_t raysPlaced = 0;     // rays placed since the curtain started
    int32_t headX = 12800;      // 24.8 x of the last placed ray (50 pixels)
    int32_t speed = 3;          // v, drift speed in thirds of a pixel per ray
    int32_t direction = 0;      // d: +1 or -1, 0 before the first choice
    int32_t curtainY = 0;       // 24.8 y of the curtain
    int32_t verticalSpeed = 0;  // 24.8 per ray
    int32_t verticalJitter = 0; // 24.8 per ray
};

// The northern lights' one curtain, shared by every ray of every worker: each spawn moves
// its walk on. Spawns of different workers are serialised by spawnLock, so every ray
// continues the one walk; the order of the spawns of different workers depends on timing.
// The curtain lives as long as its set and survives Stop and Start.
struct CGlimraCurtain {
    std::mutex spawnLock;             // held for a whole spawn
    CGlimraWalk walk;                 // guarded by spawnLock
    bool walkStarted = false;         // curtain y was drawn, at the first Start
    std::atomic<int32_t> length{100}; // L, rays per curtain; "flm_size" within its bounds
    int32_t speedLimit = 11;          // S: |v| stays below it; Start sets 15
    int32_t yLimit = 0;               // lowest curtain y, 24.8; Start sets (H - 97) * 256
    int32_t frameCount = 1;           // F; Start sets 41
    uint32_t colour = 0xFF99FFFF;     // shared colour, 0xAARRGGBB; drifted between frames
    int32_t tablePeriod = 20;         // P, presented frames between renewals of the phase table
    int32_t frameCounter = 0;         // presented frames since the last renewal
};
