#pragma once

#include "effects/headless/CHeadlessDesktop.h"
#include "graphics/CBmp.h"

#include <cstdint>

// A headless desktop whose fire artwork is drawn by the tests themselves, so that the
// fire's tests do not depend on the shipped pictures: resource 135 is `sheet`, 144 is
// `strip`; an empty bitmap is a missing resource. With `shipped` set, the program's own
// artwork is loaded instead.
class CArtDesktop : public CHeadlessDesktop {
public:
    CArtDesktop(int32_t width, int32_t height);

    bool LoadBitmapResource(int number, CBmp* bitmap) override;

    CBmp sheet;
    CBmp strip;
    bool shipped = false;
};

// The frame sizes of the fire's sheet, in sheet order.
struct TestFrameSize {
    int32_t width;
    int32_t height;
};
extern const TestFrameSize kTestFrameSizes[20];

// A 256 x 64 sheet of 20 frames of the sizes above, bottom-aligned, one transparent column
// apart; every pixel of a frame has a non-zero blue value (so trimming keeps its size),
// brighter towards the bottom.
void MakeTestSheet(CBmp* sheet);
// A 256 x 1 strip whose pixel a has blue a, green a / 2 and red 255 - a.
void MakeTestStrip(CBmp* strip);
// The blue value MakeTestSheet gives pixel (u, v) of frame f of height h.
uint32_t TestSheetBlue(int32_t f, int32_t u, int32_t v, int32_t h);
