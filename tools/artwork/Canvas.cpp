#include "Canvas.h"

#include <algorithm>
#include <cmath>

CColour Mix(const CColour& from, const CColour& to, double t) {
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t,
            from.b + (to.b - from.b) * t, from.a + (to.a - from.a) * t};
}

CColour Rgb(unsigned rgb, double alpha) {
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

double SmoothStep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

CDistanceField::CDistanceField(const CShape& shape, int w, int h)
    : width(w), height(h), values(static_cast<std::size_t>(w * h)) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            values[Index(x, y)] = shape.Distance(x + 0.5, y + 0.5);
}

double CDistanceField::Coverage(int x, int y) const {
    return std::clamp(0.5 - At(x, y), 0.0, 1.0);
}

CPointF CDistanceField::Normal(int x, int y) const {
    const auto at = [&](int px, int py) {
        return At(std::clamp(px, 0, width - 1), std::clamp(py, 0, height - 1));
    };
    const double nx = at(x + 1, y) - at(x - 1, y);
    const double ny = at(x, y + 1) - at(x, y - 1);
    const double length = std::hypot(nx, ny);
    return length > 0 ? CPointF{nx / length, ny / length} : CPointF{0, 0};
}

CCanvas::CCanvas(int w, int h)
    : width(w), height(h), pixels(static_cast<std::size_t>(w * h), CColour{0, 0, 0, 0}) {}

void CCanvas::Over(int x, int y, const CColour& colour, double coverage) {
    if (x < 0 || y < 0 || x >= width || y >= height)
        return;
    const double a = std::clamp(colour.a * coverage, 0.0, 1.0);
    if (a <= 0)
        return;
    CColour& p = pixels[static_cast<std::size_t>(y * width + x)];
    p = {colour.r * a + p.r * (1 - a), colour.g * a + p.g * (1 - a), colour.b * a + p.b * (1 - a),
         a + p.a * (1 - a)};
}

CColour CCanvas::At(int x, int y) const {
    const CColour& p = pixels[static_cast<std::size_t>(y * width + x)];
    if (p.a <= 0)
        return {0, 0, 0, 0};
    return {p.r / p.a, p.g / p.a, p.b / p.a, p.a};
}

CRaster CCanvas::ToRaster() const {
    CRaster raster(width, height);
    const auto byte = [](double v) {
        return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
    };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const CColour c = At(x, y);
            const uint32_t a = byte(c.a);
            // A fully transparent pixel is the all-zero word.
            raster.At(x, y) = a == 0 ? 0 : a << 24 | byte(c.r) << 16 | byte(c.g) << 8 | byte(c.b);
        }
    return raster;
}
