#pragma once

#include "graphics/CBmp.h"

// Loads generated bitmap `number` as LoadBitmapResource would; false when there is none.
bool LoadArtworkBitmap(int number, CBmp& bitmap);

// The main window's face of a big button: the picture's layer stacks 0 (normal), 1 (hot)
// and 2 (pressed), built from the picture, its texture and its highlight the way the main
// dialog builds them.
bool BuildButtonFace(CBmp& image, int picture, int texture, int highlight);
