#pragma once

#include "effects/headless/CHeadlessDesktop.h"
#include "graphics/CBmp.h"

#include <cstdint>

// A headless desktop whose water splash (resource 164) is `splash`, drawn by the tests,
// so that the water's tests do not depend on the shipped picture; an empty bitmap is a
// missing resource.
class CSplashDesktop : public CHeadlessDesktop {
public:
    CSplashDesktop(int32_t width, int32_t height);

    bool LoadBitmapResource(int number, CBmp* bitmap) override;

    CBmp splash;
};

// A 64 x 32 dome: alpha rising towards the middle of row 18, a fainter reflection below,
// never 255; white colour.
void MakeTestSplash(CBmp* splash);
// A width x height picture whose every pixel is `word`.
void MakeFlatPicture(CBmp* picture, int32_t width, int32_t height, uint32_t word);
