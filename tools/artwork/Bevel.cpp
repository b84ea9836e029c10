#include "Bevel.h"

#include <algorithm>
#include <cmath>

void PaintFinish(CCanvas& canvas, const CDistanceField& field, const CFinish& finish) {
    const CPointF toLight{-0.6, -0.8};
    const CColour white{1, 1, 1, 1};
    const CColour black{0, 0, 0, 1};
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x) {
            const double d = field.At(x, y);
            const double inside = field.Coverage(x, y);
            if (inside > 0) {
                const CPointF n = field.Normal(x, y);
                const double facing = n.x * toLight.x + n.y * toLight.y;
                const double rim = 1 - SmoothStep(0, finish.bevel, -d);
                canvas.Over(x, y, white, inside * rim * finish.light * std::max(0.0, facing));
                canvas.Over(x, y, black, inside * rim * finish.shade * std::max(0.0, -facing));
                const double gloss =
                    finish.gloss * (1 - SmoothStep(0, finish.glossBottom, y + 0.5));
                canvas.Over(x, y, white, inside * gloss * SmoothStep(0, 2 * finish.bevel, -d));
            }
            const double ring = std::abs(d - finish.outlineWidth / 4) - finish.outlineWidth / 2;
            canvas.Over(x, y, finish.outline, std::clamp(0.5 - ring, 0.0, 1.0));
        }
}
