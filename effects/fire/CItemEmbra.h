#pragma once

#include "effects/engine/CItem.h"

#include <cstdint>

// One flame of the fire. It rises by dy and drifts by dx every frame while its life falls
// by 100; the sprite frame it shows is life >> 8 counted from the smallest frame, so a
// young flame is large and an old one small. When its life runs out it is respawned at
// the bottom of the fire.
class CItemEmbra final : public CItem {
public:
    CItemEmbra() = default;

    // Draws, in this order, from the calling thread's generator: the column; the row (and,
    // at a later respawn, one unused value); at the first spawn the life; dx; dy.
    void Spawn(int initial, int a, int b) override;
    virtual ~CItemEmbra() = default;
    // Spawns afresh with the kept a and b, then shortens the life by the column's
    // lifeCut (a fresh life of 0 .. 255 when that leaves it negative) and adds the
    // column's drift to dx. The third argument is not used.
    virtual void Respawn(const int32_t* lifeCut, const int32_t* drift, int unused);

    // The number of sprite frames of the running fire and that number minus one, shared
    // by every flame of the process; written by the fire's Start.
    // r() mod n for a draw r() of the calling thread's generator; 0 when n is not
    // positive (a screen at most 20 or 100 pixels wide, a sheet of a single frame). The
    // draw is made either way, so the sequence of draws never depends on the sizes.
    static int32_t DrawModulo(int32_t n);

    static int32_t frameCount;
    static int32_t lastFrame;

    int32_t x = 0; // left column of the sprite in the frame buffer
    int32_t y = 0; // reference row: the sprite's bottom row lands on y + R - 2
    int32_t a = 0; // opaque values handed to Spawn and back by Respawn
    int32_t b = 0;
    int32_t dx = 1;   // pixels per frame
    int32_t dy = 2;   // pixels per frame, negative upwards
    int32_t life = 0; // sprite frames x 256 still to live
};
