#pragma once

#include "effects/engine/CItem.h"
#include "effects/lights/CGlimraCurtain.h"

#include <cstdint>

// One light ray of the northern lights. Positions are 24.8 fixed point, life is sprite
// frames x 256. Every spawn places the ray along the one curtain that all rays share.
class CItemGlimra : public CItem {
public:
    // Places the ray on the curtain; w and h are the sprite size kept for later spawns.
    void Spawn(int initial, int w, int h) override;
    virtual ~CItemGlimra() = default;
    // A new ray after the last one died: Spawn, then the life taken off by the column
    // phase table at its column. The second table and the last argument are not read.
    virtual void Respawn(const int32_t* phaseTable, const int32_t* secondTable, int ignored);

    int32_t x = 0;                     // left edge, 1/256 pixel
    int32_t y = 0;                     // top edge, 1/256 pixel
    int32_t spriteWidth = 0;           // 15
    int32_t spriteHeight = 0;          // 96
    int32_t dx = 0;                    // 1/256 pixel per frame
    int32_t dy = 0;                    // 1/256 pixel per frame
    int32_t life = 0;                  // sprite frames x 256
    uint32_t colour = 0;               // the shared colour when the ray was spawned
    CGlimraCurtain* curtain = nullptr; // the curtain of the set that owns the ray

private:
    void StartCurtain(CGlimraWalk& walk, int32_t length);
};
