#include "effects/water/CItemRipla.h"

#include "effects/engine/CRandom.h"
#include "effects/engine/GuardedMod.h"
#include "effects/engine/ScreenSize.h"

#include <mutex>

void CItemRipla::Spawn(int initial, int w, int h) {
    const std::lock_guard<std::mutex> hold(wave->spawnLock);
    CRiplaWalk& walk = wave->walk;
    const int32_t size = wave->size.load(std::memory_order_relaxed);
    CRandom::Next();
    spriteWidth = w;
    spriteHeight = h;
    x = walk.x + 20;
    walk.x = x;
    ++walk.placed;
    if (walk.placed >= size || x < 0 || x >= screenWidth - w || walk.y < 0 ||
        walk.y > wave->yLimit - h) {
        // A new wave; on a screen no wider than the wave size + 20 it starts at column 0.
        x = GuardedMod(CRandom::Next(), screenWidth - size - 20);
        walk.x = x;
        walk.placed = 0;
        walk.y = screenHeight - (CRandom::Next() % 200) - 50;
        y = walk.y;
    }
    if (initial) {
        // A random point of the life, which a one-frame splash does not have.
        y = (CRandom::Next() % 7) + walk.y - 3;
        life = GuardedMod(CRandom::Next(), wave->lastFrame * 256) + 256;
    } else {
        y = (CRandom::Next() % 9) + walk.y - 4;
        life = (CRandom::Next() % 256) + wave->lastFrame * 256;
    }
    dy = 0;
    dx = (CRandom::Next() % 7) - 3;
}

void CItemRipla::Respawn(const int32_t* firstTable, const int32_t* secondTable, int ignored) {
    (void)firstTable;
    (void)secondTable;
    (void)ignored;
    Spawn(0, spriteWidth, spriteHeight);
}
