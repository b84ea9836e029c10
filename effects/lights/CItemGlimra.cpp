#include "effects/lights/CItemGlimra.h"

#include "effects/engine/CRandom.h"
#include "effects/engine/GuardedMod.h"
#include "effects/engine/ScreenSize.h"

#include <algorithm>
#include <mutex>

void CItemGlimra::Spawn(int initial, int w, int h) {
    const std::lock_guard<std::mutex> hold(curtain->spawnLock);
    CGlimraWalk& walk = curtain->walk;
    const int32_t length = curtain->length.load(std::memory_order_relaxed);
    spriteWidth = w;
    spriteHeight = h;
    // A new drift direction every L / 12 rays (every ray should L be below 12).
    if (GuardedMod(walk.raysPlaced, length / 12) == 0)
        walk.direction = (CRandom::Next() & 1) != 0 ? 1 : -1;
    const int32_t limit = curtain->speedLimit - 1;
    walk.speed = std::clamp(walk.speed + walk.direction, -limit, limit);
    // 1 pixel left of, on or right of the last ray, plus a third of the drift speed.
    x = walk.headX + ((CRandom::Next() % 3) + walk.speed / 3) * 256 - 256;
    walk.headX = x;
    ++walk.raysPlaced;
    if (walk.raysPlaced >= length || x < 0 || x >= screenWidth * 256 || walk.curtainY < 0 ||
        walk.curtainY > curtain->yLimit)
        StartCurtain(walk, length);
    colour = curtain->colour;
    if (initial) {
        // Scattered +-2 pixels around the curtain, at a random point of the life.
        y = (CRandom::Next() % 1024) + walk.curtainY - 512;
        walk.curtainY = y;
        dx = 0;
        life = GuardedMod(CRandom::Next(), (curtain->frameCount - 1) * 256) + 256;
        return;
    }
    // The curtain's height follows a random walk with inertia.
    y = walk.curtainY;
    walk.verticalSpeed += walk.verticalJitter;
    walk.curtainY = y + walk.verticalSpeed;
    walk.verticalJitter = (CRandom::Next() % 63) - 32;
    dy = 0;
    CRandom::Next();
    dx = 0;
    life = curtain->frameCount * 256;
}

void CItemGlimra::Respawn(const int32_t* phaseTable, const int32_t* secondTable, int ignored) {
    (void)secondTable;
    (void)ignored;
    Spawn(0, spriteWidth, spriteHeight);
    life -= phaseTable[x >> 8];
    if (life < 0)
        life = CRandom::Next() % 256;
}

// A new curtain somewhere along the screen; on a screen no wider than L + 20 pixels it
// starts at the left edge.
void CItemGlimra::StartCurtain(CGlimraWalk& walk, int32_t length) {
    x = GuardedMod(CRandom::Next(), screenWidth - length - 20) * 256;
    walk.headX = x;
    walk.raysPlaced = 0;
    walk.curtainY = (screenHeight - (CRandom::Next() % 100) - 300) * 256;
    walk.verticalSpeed = 0;
    CRandom::Next();
}
