#pragma once

#include "CRaster.h"

// The navigation pane's tool pictures, with straight alpha.
CRaster MakeMarkOff();      // 155, 32 x 32: an empty round selection mark
CRaster MakeMarkOn();       // 156, 32 x 32: the mark set, a check in a green disc
CRaster MakeDisplayTool();  // 157, 32 x 32: a screen with a band of fire along its foot
CRaster MakeSettingsTool(); // 158, 24 x 24: a small gear
