#include "ToolArt.h"

#include "Bevel.h"
#include "Canvas.h"
#include "Shape.h"

#include <cmath>

namespace {

CShape Disc(double cx, double cy, double r) {
    CShape shape;
    shape.AddContour(Circle(cx, cy, r));
    return shape;
}

CFinish SmallFinish(const CColour& outline) {
    return {2.0, 0.7, 0.35, 0.35, 14, 1.2, outline};
}

} // namespace

CRaster MakeMarkOff() {
    CCanvas canvas(32, 32);
    const CDistanceField field(Disc(16, 16, 10.5), 32, 32);
    PaintFill(canvas, field,
              [](int, int y) { return Mix(Rgb(0xF4F6F8, 0.9), Rgb(0xD8DCE2, 0.9), y / 31.0); });
    // A shadow along the inside of the top edge: the mark looks sunken and empty.
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const double depth = -field.At(x, y);
            canvas.Over(x, y, Rgb(0x000000, 0.22 * (1 - SmoothStep(0, 3, depth))),
                        field.Coverage(x, y) * SmoothStep(24, 8, y + 0.5));
        }
    CFinish finish = SmallFinish(Rgb(0x50565E, 0.9));
    finish.light = 0;
    finish.gloss = 0;
    PaintFinish(canvas, field, finish);
    return canvas.ToRaster();
}

CRaster MakeMarkOn() {
    CCanvas canvas(32, 32);
    const CDistanceField field(Disc(16, 16, 10.5), 32, 32);
    PaintFill(canvas, field,
              [](int, int y) { return Mix(Rgb(0x4CD46A), Rgb(0x17903A), y / 31.0); });
    PaintFinish(canvas, field, SmallFinish(Rgb(0x0E5A24, 0.95)));
    CShape check;
    check.AddStroke({{10.6, 16.4}, {14.4, 20.2}, {21.6, 11.8}}, 3.2);
    const CDistanceField mark(check, 32, 32);
    PaintFill(canvas, mark, [](int, int) { return Rgb(0xFFFFFF); });
    return canvas.ToRaster();
}

CRaster MakeDisplayTool() {
    CCanvas canvas(32, 32);
    CShape stand;
    stand.AddContour({{13.5, 23}, {18.5, 23}, {19.5, 27.5}, {12.5, 27.5}});
    stand.AddContour(RoundedRect(9, 27, 23, 29.5, 1.2));
    const CDistanceField standField(stand, 32, 32);
    PaintFill(canvas, standField,
              [](int, int y) { return Mix(Rgb(0x8A9099), Rgb(0x4E545C), (y - 23) / 7.0); });
    CShape body;
    body.AddContour(RoundedRect(3, 5, 29, 24, 2.5));
    const CDistanceField bodyField(body, 32, 32);
    PaintFill(canvas, bodyField,
              [](int, int y) { return Mix(Rgb(0x5A6069), Rgb(0x2C3036), y / 24.0); });
    PaintFinish(canvas, bodyField, SmallFinish(Rgb(0x1A1C20, 0.9)));
    CShape screen;
    screen.AddContour(RoundedRect(5.5, 7.5, 26.5, 21.5, 1));
    const CDistanceField screenField(screen, 32, 32);
    // A dusk-blue desktop with a band of flames standing on its bottom edge.
    PaintFill(canvas, screenField, [](int x, int y) {
        const CColour sky = Mix(Rgb(0x3C6FB4), Rgb(0x1B3566), (y - 7.5) / 14.0);
        const double crest =
            17.2 - 1.6 * std::cos((x + 0.5) * 1.15) - 0.8 * std::cos((x + 0.5) * 0.55 + 1);
        const double fire = SmoothStep(crest - 0.6, crest + 0.6, y + 0.5);
        const CColour flame = Mix(Rgb(0xFFD040), Rgb(0xF0500A), SmoothStep(crest, 21.5, y + 0.5));
        return Mix(sky, flame, fire);
    });
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            canvas.Over(x, y, Rgb(0xFFFFFF, 0.18 * SmoothStep(14.5, 7.5, y + 0.5)),
                        screenField.Coverage(x, y));
    return canvas.ToRaster();
}

CRaster MakeSettingsTool() {
    CCanvas canvas(24, 24);
    CShape gear;
    gear.AddContour(Gear(12, 12, 7.6, 10.6, 8, 0.26, 0.24));
    gear.AddContour(Circle(12, 12, 3.3));
    const CDistanceField field(gear, 24, 24);
    PaintFill(canvas, field,
              [](int, int y) { return Mix(Rgb(0xDDE1E6), Rgb(0x6C7480), y / 23.0); });
    CFinish finish = SmallFinish(Rgb(0x24282E, 0.9));
    finish.bevel = 1.6;
    finish.gloss = 0.25;
    finish.glossBottom = 11;
    finish.outlineWidth = 1.1;
    PaintFinish(canvas, field, finish);
    return canvas.ToRaster();
}
