#pragma once

#include "CRaster.h"

// The navigation pane's tool pictures, with straight alpha.
// IDB_MARK_OFF, 32 x 32: an empty round selection mark.
CRaster MakeMarkOff();
// IDB_MARK_ON, 32 x 32: the mark set, a check in a green disc.
CRaster MakeMarkOn();
// IDB_EFFECT_SCREEN, 32 x 32: a screen with a band of fire along its foot.
CRaster MakeDisplayTool();
// IDB_EFFECT_SETTINGS, 24 x 24: a small gear.
CRaster MakeSettingsTool();
