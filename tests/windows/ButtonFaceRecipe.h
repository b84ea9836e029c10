#pragma once

#include "graphics/CBmp.h"

// The main window's face of a big button, built on a picture already loaded into `image`
// from the program's artwork `texture` and `highlight`: stack 0 normal, 1 hot, 2 pressed.
// False when the picture has no pixels.
bool BuildButtonFaceFromResources(CBmp& image, int texture, int highlight);
