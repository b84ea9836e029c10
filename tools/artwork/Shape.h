#pragma once

#include <vector>

struct CPointF {
    double x;
    double y;
};

// An outline made of closed contours (filled by the even-odd rule, so a contour inside
// another cuts a hole) or of open strokes, measured by signed distance: negative inside,
// positive outside, in pixels. The distance gives the anti-aliased edge, outlines, glows
// and bevels of the interface pictures.
class CShape {
public:
    void AddContour(std::vector<CPointF> points);
    // An open polyline of the given width with round ends.
    void AddStroke(std::vector<CPointF> points, double width);
    double Distance(double x, double y) const;
    // The same shape scaled by s about the origin, then moved by (dx, dy).
    CShape Transformed(double s, double dx, double dy) const;

private:
    std::vector<std::vector<CPointF>> contours;
    std::vector<std::vector<CPointF>> strokes;
    std::vector<double> strokeWidths;
};

// Cubic Bezier segments from a start point: each segment is two control points and an end
// point; the curve is sampled finely enough for pictures up to a few hundred pixels.
std::vector<CPointF> BezierPath(CPointF start, const std::vector<CPointF>& segments);
std::vector<CPointF> Circle(double cx, double cy, double r);
std::vector<CPointF> RoundedRect(double left, double top, double right, double bottom,
                                 double radius);
// A gear of `teeth` teeth between the root and tip radii; each tooth's flat top spans
// `topShare` of its pitch and its flanks slope over `flankShare`.
std::vector<CPointF> Gear(double cx, double cy, double root, double tip, int teeth, double topShare,
                          double flankShare);
