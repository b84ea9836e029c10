#pragma once

#include "graphics/CBmp.h"

#include <windows.h>

// Draws every layer of stack `stack` of `image` stretched (bilinearly) to the rectangle
// `place`, each layer's offset within the picture scaled alike, so that the layers keep
// lying over each other as designed. A picture without stacks is stretched whole.
void DrawStackScaled(HDC dc, const CBmp& image, int stack, const RECT& place);
