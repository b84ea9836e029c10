#pragma once

#include "CRaster.h"

// The fire's sprite sheet, 256 x 64: twenty grey flame masks side by side, each standing
// on the bottom row, with fully transparent columns between them. The blue channel is the
// mask (the fire turns it into alpha); grey and alpha carry the same value.
CRaster MakeFlameSheet();
