#pragma once

#include "Canvas.h"

// The finish every interface picture shares: a bevel lit from the top left along the
// inside of the outline, a soft gloss over the upper part, and a thin dark outline just
// outside the edge. Sizes are in pixels of the picture being painted.
struct CFinish {
    double bevel;        // depth of the lit and shaded rim
    double light;        // strength of the lit rim, 0..1
    double shade;        // strength of the shaded rim, 0..1
    double gloss;        // alpha of the gloss at the top of the shape
    double glossBottom;  // the gloss fades out by this row
    double outlineWidth; // width of the dark outline
    CColour outline;     // its colour (with its alpha)
};

void PaintFinish(CCanvas& canvas, const CDistanceField& field, const CFinish& finish);
// Paints colour(x, y) wherever the shape covers the canvas.
template <class ColourAt>
void PaintFill(CCanvas& canvas, const CDistanceField& field, ColourAt colour) {
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x)
            canvas.Over(x, y, colour(x, y), field.Coverage(x, y));
}
