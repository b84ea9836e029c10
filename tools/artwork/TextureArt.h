#pragma once

#include "CRaster.h"

// The 256 x 256 opaque textures that fill the big buttons' outlines and scroll inside them
// while the pointer is over a button; both tile without a seam.
CRaster MakeEmberTexture(); // 138: molten orange and gold, for start and settings
CRaster MakeStopTexture();  // 140: glowing crimson, for stop
