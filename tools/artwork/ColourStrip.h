#pragma once

#include "CRaster.h"

// The fire's colour strip, 256 x 1, opaque: grey smoke through dark red and orange to
// pale yellow, indexed by the accumulated flame alpha.
CRaster MakeColourStrip();
