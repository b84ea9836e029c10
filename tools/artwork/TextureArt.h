#pragma once

#include "CRaster.h"
#include "Canvas.h"

// The 256 x 256 opaque textures that fill the big buttons' outlines and scroll inside them
// while the pointer is over a button; both tile without a seam.
// IDB_EMBER_TEXTURE: molten orange and gold, for start and settings.
CRaster MakeEmberTexture();
// IDB_STOP_TEXTURE: glowing crimson, for stop.
CRaster MakeStopTexture();
// The ember texture's colour at `heat`, from dark red (0) to pale gold (1), clamped.
CColour EmberColour(double heat);
