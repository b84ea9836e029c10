#pragma once

#include "CRaster.h"

// The water's splash, 64 x 32 with alpha: a rounded dome rising from a three-pixel tip to
// nearly the full width at rows 17 to 19, above a narrower reflection that fades out.
// Only the alpha is used; no pixel is opaque. Colours are premultiplied pale blue.
CRaster MakeSplash();
