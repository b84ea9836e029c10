#pragma once

#include "CRaster.h"

// The 256 x 256 opaque textures that fill the big buttons' outlines and scroll inside them
// while the pointer is over a button; both tile without a seam.
// IDB_EMBER_TEXTURE: molten orange and gold, for start and settings.
CRaster MakeEmberTexture();
// IDB_STOP_TEXTURE: glowing crimson, for stop.
CRaster MakeStopTexture();
