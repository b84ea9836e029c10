#include "Shape.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace {

constexpr double kPi = 3.14159265358979323846;

double SegmentDistance(const CPointF& p, const CPointF& a, const CPointF& b) {
    const double vx = b.x - a.x, vy = b.y - a.y;
    const double wx = p.x - a.x, wy = p.y - a.y;
    const double length2 = vx * vx + vy * vy;
    const double t = length2 > 0 ? std::clamp((wx * vx + wy * vy) / length2, 0.0, 1.0) : 0.0;
    return std::hypot(wx - t * vx, wy - t * vy);
}

// Even-odd crossing of a ray from p toward +x with the edge a-b.
bool Crosses(const CPointF& p, const CPointF& a, const CPointF& b) {
    if ((a.y > p.y) == (b.y > p.y))
        return false;
    return p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y);
}

CPointF Bezier(const CPointF& p0, const CPointF& p1, const CPointF& p2, const CPointF& p3,
               double t) {
    const double u = 1 - t;
    const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    return {a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y};
}

} // namespace

void CShape::AddContour(std::vector<CPointF> points) {
    contours.push_back(std::move(points));
}

void CShape::AddStroke(std::vector<CPointF> points, double width) {
    strokes.push_back(std::move(points));
    strokeWidths.push_back(width);
}

double CShape::Distance(double x, double y) const {
    const CPointF p{x, y};
    double nearest = std::numeric_limits<double>::max();
    bool inside = false;
    for (const auto& contour : contours)
        for (std::size_t i = 0, j = contour.size() - 1; i < contour.size(); j = i++) {
            nearest = std::min(nearest, SegmentDistance(p, contour[j], contour[i]));
            if (Crosses(p, contour[j], contour[i]))
                inside = !inside;
        }
    double result = inside ? -nearest : nearest;
    for (std::size_t s = 0; s < strokes.size(); ++s)
        for (std::size_t i = 1; i < strokes[s].size(); ++i)
            result = std::min(result, SegmentDistance(p, strokes[s][i - 1], strokes[s][i]) -
                                          strokeWidths[s] / 2);
    return result;
}

CShape CShape::Transformed(double s, double dx, double dy) const {
    CShape out;
    const auto move = [&](std::vector<CPointF> points) {
        for (CPointF& p : points)
            p = {p.x * s + dx, p.y * s + dy};
        return points;
    };
    for (const auto& contour : contours)
        out.AddContour(move(contour));
    for (std::size_t i = 0; i < strokes.size(); ++i)
        out.AddStroke(move(strokes[i]), strokeWidths[i] * s);
    return out;
}

std::vector<CPointF> BezierPath(CPointF start, const std::vector<CPointF>& segments) {
    constexpr int kSteps = 48;
    std::vector<CPointF> points = {start};
    for (std::size_t i = 0; i + 2 < segments.size(); i += 3) {
        const CPointF from = points.back();
        for (int k = 1; k <= kSteps; ++k)
            points.push_back(Bezier(from, segments[i], segments[i + 1], segments[i + 2],
                                    static_cast<double>(k) / kSteps));
    }
    points.pop_back(); // the contour closes on its start
    return points;
}

std::vector<CPointF> Circle(double cx, double cy, double r) {
    constexpr int kSteps = 256;
    std::vector<CPointF> points;
    for (int k = 0; k < kSteps; ++k) {
        const double angle = 2 * kPi * k / kSteps;
        points.push_back({cx + r * std::cos(angle), cy + r * std::sin(angle)});
    }
    return points;
}

std::vector<CPointF> RoundedRect(double left, double top, double right, double bottom,
                                 double radius) {
    constexpr int kSteps = 24;
    const CPointF corners[] = {{right - radius, top + radius},
                               {right - radius, bottom - radius},
                               {left + radius, bottom - radius},
                               {left + radius, top + radius}};
    std::vector<CPointF> points;
    for (int c = 0; c < 4; ++c)
        for (int k = 0; k <= kSteps; ++k) {
            const double angle = kPi / 2 * (c - 1 + static_cast<double>(k) / kSteps);
            points.push_back(
                {corners[c].x + radius * std::cos(angle), corners[c].y + radius * std::sin(angle)});
        }
    return points;
}

std::vector<CPointF> Gear(double cx, double cy, double root, double tip, int teeth, double topShare,
                          double flankShare) {
    constexpr int kStepsPerTooth = 64;
    std::vector<CPointF> points;
    for (int k = 0; k < teeth * kStepsPerTooth; ++k) {
        const double phase = static_cast<double>(k % kStepsPerTooth) / kStepsPerTooth;
        const double rise = std::abs(phase - 0.5) * 2; // 0 at the tooth's centre, 1 between
        const double top = topShare, flank = flankShare;
        double r = root;
        if (rise <= top)
            r = tip;
        else if (rise < top + flank) {
            const double t = (rise - top) / flank;
            r = tip + (root - tip) * (t * t * (3 - 2 * t));
        }
        const double angle = 2 * kPi * k / (teeth * kStepsPerTooth) - kPi / 2;
        points.push_back({cx + r * std::cos(angle), cy + r * std::sin(angle)});
    }
    return points;
}
