#pragma once

#include <cstdint>

// The part of the northern lights' curtain state that every ray shares: the curtain
// length, the limits that Start sets, the shared colour and the renewal clock of the
// column phase table. It lives as long as its set and survives Stop and Start.
struct CGlimraCurtain {
    int32_t length = 100;         // L, rays per curtain; mirrors "flm_size"
    int32_t speedLimit = 11;      // S: |v| stays below it; Start sets 15
    int32_t yLimit = 0;           // lowest curtain y, 24.8; Start sets (H - 97) * 256
    int32_t frameCount = 1;       // F; Start sets 41
    uint32_t colour = 0xFF99FFFF; // shared colour, 0xAARRGGBB
    int32_t tablePeriod = 20;     // P, presented frames between renewals of the phase table
    int32_t frameCounter = 0;     // presented frames since the last renewal
};

// One random walk of the curtain: where the last ray went and how the walk moves on.
// Each render worker has its own walk, so a worker's rays depend only on its own random
// sequence; the rules of a walk are those of the one curtain of the effect.
struct CGlimraWalk {
    const CGlimraCurtain* curtain = nullptr;
    int32_t raysPlaced = 0;     // rays placed since the curtain started
    int32_t headX = 12800;      // 24.8 x of the last placed ray (50 pixels)
    int32_t speed = 3;          // v, drift speed in thirds of a pixel per ray
    int32_t direction = 0;      // d: +1 or -1, 0 before the first choice
    int32_t curtainY = 0;       // 24.8 y of the curtain
    int32_t verticalSpeed = 0;  // 24.8 per ray
    int32_t verticalJitter = 0; // 24.8 per ray
};
