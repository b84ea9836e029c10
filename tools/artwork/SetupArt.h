#pragma once

#include "CRaster.h"

// The setup program's pictures, opaque, drawn at `scale` times the size the setup's pages
// have at 96 DPI, so that a screen of higher DPI gets a picture drawn for it.
// The welcome and finish pages' picture, 164 x 314 at scale 1: a night sky with northern
// lights over the program's flame, and a band of fire standing on a taskbar.
CRaster MakeWelcomePicture(int scale);
// The other pages' header picture, 150 x 57 at scale 1: the flame with a warm glow and a
// low band of fire, on the header's white, which the picture's left edge keeps.
CRaster MakeHeaderPicture(int scale);
