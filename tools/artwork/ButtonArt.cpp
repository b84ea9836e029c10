#include "ButtonArt.h"

#include "Bevel.h"
#include "Canvas.h"
#include "Shape.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kSize = 96;

// The flame in a 96 x 96 box: a left tongue, a notch and the main tongue whose tip leans
// to the right, over a rounded base.
CShape FlameOutline() {
    CShape shape;
    shape.AddContour(BezierPath({48, 91}, {{27, 91},
                                           {15, 77},
                                           {16, 60},
                                           {17, 47},
                                           {23, 37},
                                           {29, 28},
                                           {30, 38},
                                           {33, 44},
                                           {37, 49},
                                           {37, 30},
                                           {49, 20},
                                           {57, 4},
                                           {64, 20},
                                           {82, 36},
                                           {81, 60},
                                           {80, 79},
                                           {67, 91},
                                           {48, 91}}));
    return shape;
}

// The bright inner flame.
CShape FlameCore() {
    CShape shape;
    shape.AddContour(BezierPath({48, 86}, {{39, 86},
                                           {33, 78},
                                           {34, 69},
                                           {35, 58},
                                           {45, 50},
                                           {52, 36},
                                           {57, 50},
                                           {64, 58},
                                           {63, 70},
                                           {62, 79},
                                           {56, 86},
                                           {48, 86}}));
    return shape;
}

CShape StopOutline() {
    CShape shape;
    shape.AddContour(RoundedRect(17, 17, 79, 79, 13));
    return shape;
}

CShape GearOutline() {
    CShape shape;
    shape.AddContour(Gear(48, 48, 33, 44, 8, 0.28, 0.22));
    shape.AddContour(Circle(48, 48, 14));
    return shape;
}

CShape Outline(ButtonKind kind) {
    switch (kind) {
    case ButtonKind::Start:
        return FlameOutline();
    case ButtonKind::Stop:
        return StopOutline();
    case ButtonKind::Settings:
        return GearOutline();
    }
    return {};
}

CFinish Finish(ButtonKind kind, double scale) {
    const CColour outline = kind == ButtonKind::Start  ? Rgb(0x5A1400, 0.85)
                            : kind == ButtonKind::Stop ? Rgb(0x4A0008, 0.85)
                                                       : Rgb(0x2A2E36, 0.85);
    // The flat stop square carries a stronger gloss than the shapes with more edge.
    const double gloss = kind == ButtonKind::Stop ? 0.5 : 0.38;
    return {5 * scale, 0.75, 0.45, gloss, 52 * scale, std::max(1.0, 1.8 * scale), outline};
}

// A soft glow: full inside the shape, fading out over `soft` pixels across its edge.
void PaintGlow(CCanvas& canvas, const CDistanceField& field, const CColour& colour, double soft) {
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x)
            canvas.Over(x, y, colour, SmoothStep(soft, -soft, field.At(x, y)));
}

// A machined groove around the gear's hole: a dark line with a lit one below it.
void PaintGroove(CCanvas& canvas, double radius) {
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x) {
            const double r = std::hypot(x + 0.5 - 48, y + 0.5 - 48);
            canvas.Over(x, y, Rgb(0x000000, 0.30),
                        std::clamp(1.2 - std::abs(r - radius), 0.0, 1.0));
            canvas.Over(x, y, Rgb(0xFFFFFF, 0.35),
                        std::clamp(1.0 - std::abs(r - radius - 1.3), 0.0, 1.0));
        }
}

CColour PictureColour(ButtonKind kind, int y) {
    const double t = (y + 0.5) / kSize;
    switch (kind) {
    case ButtonKind::Start:
        return Mix(Rgb(0xFFB42A), Rgb(0xE0380A), SmoothStep(0.1, 0.95, t));
    case ButtonKind::Stop:
        return Mix(Rgb(0xF2504A), Rgb(0xA8121A), SmoothStep(0.15, 0.85, t));
    case ButtonKind::Settings:
        return Mix(Rgb(0xD6DAE0), Rgb(0x767E8A), SmoothStep(0.05, 0.95, t));
    }
    return {};
}

void PaintFlameCore(CCanvas& canvas, double scale, double alpha) {
    const CDistanceField core(FlameCore().Transformed(scale, 0, 0), canvas.width, canvas.height);
    PaintGlow(canvas, core, Rgb(0xFFD25A, alpha * 0.8), 3 * scale);
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x) {
            const double t = (y + 0.5) / canvas.height;
            canvas.Over(x, y, Mix(Rgb(0xFFF6C8, alpha), Rgb(0xFFE27A, alpha), t),
                        SmoothStep(0.5 * scale, -2.5 * scale, core.At(x, y)));
        }
}

} // namespace

CRaster MakeButtonPicture(ButtonKind kind) {
    CCanvas canvas(kSize, kSize);
    const CDistanceField field(Outline(kind), kSize, kSize);
    PaintFill(canvas, field, [&](int, int y) { return PictureColour(kind, y); });
    if (kind == ButtonKind::Start)
        PaintFlameCore(canvas, 1.0, 1.0);
    if (kind == ButtonKind::Settings)
        PaintGroove(canvas, 21);
    PaintFinish(canvas, field, Finish(kind, 1.0));
    return canvas.ToRaster();
}

// Only the finish and the inner details: the texture underneath gives the colour.
CRaster MakeButtonHighlight(ButtonKind kind) {
    CCanvas canvas(kSize, kSize);
    const CDistanceField field(Outline(kind), kSize, kSize);
    if (kind == ButtonKind::Start)
        PaintFlameCore(canvas, 1.0, 0.85);
    if (kind == ButtonKind::Settings)
        PaintGroove(canvas, 21);
    PaintFinish(canvas, field, Finish(kind, 1.0));
    return canvas.ToRaster();
}

CRaster MakeFlamePicture(int size) {
    const double scale = static_cast<double>(size) / kSize;
    CCanvas canvas(size, size);
    const CDistanceField field(FlameOutline().Transformed(scale, 0, 0), size, size);
    PaintFill(canvas, field, [&](int, int y) {
        return PictureColour(ButtonKind::Start, static_cast<int>(y / scale));
    });
    PaintFlameCore(canvas, scale, 1.0);
    CFinish finish = Finish(ButtonKind::Start, scale);
    finish.bevel = std::max(1.2, finish.bevel);
    PaintFinish(canvas, field, finish);
    return canvas.ToRaster();
}
