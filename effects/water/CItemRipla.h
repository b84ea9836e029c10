#pragma once

#include "effects/engine/CItem.h"
#include "effects/water/CRiplaWave.h"

#include <cstdint>

// One water splash: it rises from a single row to its full height, sinks back and is
// then placed again further along the one wave that all splashes share. Positions are
// pixels, life is frames x 256.
class CItemRipla : public CItem {
public:
    // Places the splash on the wave; w and h are the splash bitmap's size.
    void Spawn(int initial, int w, int h) override;
    virtual ~CItemRipla() = default;
    // Spawn again with the stored size; the arguments are not read.
    virtual void Respawn(const int32_t* firstTable, const int32_t* secondTable, int ignored);

    int32_t x = 0;              // left edge
    int32_t y = 0;              // the row just below the splash's bottom row
    int32_t spriteWidth = 0;    // 64
    int32_t spriteHeight = 0;   // 32
    int32_t dx = 0;             // sideways drift, -3 .. 3 pixels per frame
    int32_t dy = 0;             // always 0
    int32_t life = 0;           // frames x 256
    CRiplaWave* wave = nullptr; // the wave of the set that owns the splash
};
