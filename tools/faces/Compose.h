#pragma once

#include "graphics/CBmp.h"

// What DrawTo and DrawStack do on a device context, done on an opaque canvas bitmap: the
// covered rectangle (clipped to the canvas) is blended with straight alpha and written
// back, at (x + origin x, y + origin y).
void DrawOnto(const CBmp& layer, CBmp& canvas, int x, int y);
void DrawStackOnto(const CBmp& image, int stack, CBmp& canvas, int x, int y);
// The pixels a window would show: 32-bit pixels with straight alpha written as RGB.
bool WriteCanvasPng(const CBmp& canvas, const char* path);
