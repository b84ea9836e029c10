#include "graphics/CBmp.h"

#include <vector>

namespace {

struct Vector {
    int64_t x;
    int64_t y;
};

int64_t Dot(const Vector& d, int64_t x, int64_t y, const Vector& p) {
    return d.x * (x - p.x) + d.y * (y - p.y);
}

// 0xAABBGGRR with red in the low byte becomes the pixel word 0xAARRGGBB.
uint32_t PixelWord(uint32_t colour) {
    return (colour & 0xFF00FF00u) | ((colour & 0xFF) << 16) | ((colour >> 16) & 0xFF);
}

uint32_t Mix(uint32_t current, uint32_t previous, int64_t s, int64_t r) {
    uint32_t word = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const int64_t k = (current >> shift) & 0xFF;
        const int64_t j = (previous >> shift) & 0xFF;
        word |= static_cast<uint32_t>((k * s - j * r) / (s - r)) << shift;
    }
    return word;
}

// The point list extended by one point before the first and one after the last, each
// mirrored through its neighbour, and the direction of the gradient at every point:
// D(k) = P(k+1) - P(k-1), with D(0) = (0, 0).
struct Stops {
    std::vector<Vector> points;
    std::vector<Vector> directions;
};

Stops MakeStops(const GradientPoint* given, int count) {
    Stops stops;
    stops.points.push_back(
        {2 * int64_t{given[0].x} - given[1].x, 2 * int64_t{given[0].y} - given[1].y});
    for (int k = 0; k < count; ++k)
        stops.points.push_back({given[k].x, given[k].y});
    stops.points.push_back({2 * int64_t{given[count - 1].x} - given[count - 2].x,
                            2 * int64_t{given[count - 1].y} - given[count - 2].y});
    stops.directions.push_back({0, 0});
    for (int k = 1; k <= count; ++k)
        stops.directions.push_back({stops.points[k + 1].x - stops.points[k - 1].x,
                                    stops.points[k + 1].y - stops.points[k - 1].y});
    return stops;
}

} // namespace

// Between the cross lines of neighbouring points j and k (S = D(j).(q - P(j)) >= 0 and
// R = D(k).(q - P(k)) <= 0) every byte is (K(k)*S - K(j)*R) / (S - R), truncating. Starting
// from the extra point 0, whose direction is zero, paints everything before P(1) with K(1).
void CBmp::GradientFill(const GradientPoint* points, const uint32_t* colours, int count,
                        bool fillBefore, bool fillAfter) {
    if (!pixels || !points || !colours || count < 2)
        return;
    const Stops stops = MakeStops(points, count);
    const auto colourAt = [&](int k) { return PixelWord(colours[k == 0 ? 0 : k - 1]); };
    int j = fillBefore ? 0 : 1;
    for (int k = j + 1; k <= count; j = k, ++k) {
        const uint32_t previous = colourAt(j);
        const uint32_t current = colourAt(k);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const int64_t s = Dot(stops.directions[j], x, y, stops.points[j]);
                const int64_t r = Dot(stops.directions[k], x, y, stops.points[k]);
                if (r <= 0 && s >= 0)
                    SetPixel(x, y, s == r ? current : Mix(current, previous, s, r));
            }
    }
    if (!fillAfter)
        return;
    const uint32_t last = colourAt(count);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (Dot(stops.directions[count], x, y, stops.points[count]) >= 0)
                SetPixel(x, y, last);
}
