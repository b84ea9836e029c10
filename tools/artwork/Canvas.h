#pragma once

#include "CRaster.h"
#include "Shape.h"

#include <vector>

// A colour with straight alpha, each component 0..1.
struct CColour {
    double r;
    double g;
    double b;
    double a = 1.0;
};

CColour Mix(const CColour& from, const CColour& to, double t);
// 0xRRGGBB as an opaque colour.
CColour Rgb(unsigned rgb, double alpha = 1.0);
double SmoothStep(double edge0, double edge1, double x);

// The signed distance of a shape sampled at every pixel centre of a width x height picture,
// with the outward normal (the distance's gradient) for lighting.
class CDistanceField {
public:
    CDistanceField(const CShape& shape, int width, int height);
    double At(int x, int y) const { return values[Index(x, y)]; }
    // Share of the pixel the shape covers: a one-pixel ramp across the edge.
    double Coverage(int x, int y) const;
    CPointF Normal(int x, int y) const;

private:
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y * width + x); }

    int width;
    int height;
    std::vector<double> values;
};

// A picture being painted: colours kept premultiplied in floating point, layered with
// source-over, and written out with straight alpha as the interface's pictures are.
class CCanvas {
public:
    CCanvas(int width, int height);
    // Paints colour over pixel (x, y) with its alpha times coverage.
    void Over(int x, int y, const CColour& colour, double coverage = 1.0);
    CColour At(int x, int y) const; // straight alpha
    CRaster ToRaster() const;

    const int width;
    const int height;

private:
    std::vector<CColour> pixels; // premultiplied
};
