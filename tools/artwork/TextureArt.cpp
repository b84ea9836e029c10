#include "TextureArt.h"

#include "Noise.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace {

constexpr int kSize = 256;

struct Stop {
    double at;
    unsigned rgb;
};

CColour Palette(const std::vector<Stop>& stops, double t) {
    t = std::clamp(t, 0.0, 1.0);
    for (std::size_t i = 1; i < stops.size(); ++i)
        if (t <= stops[i].at) {
            const double share = (t - stops[i - 1].at) / (stops[i].at - stops[i - 1].at);
            return Mix(Rgb(stops[i - 1].rgb), Rgb(stops[i].rgb), share);
        }
    return Rgb(stops.back().rgb);
}

// Fractal noise seen through a warp of two more noises, stretched upward like flames;
// contrast is raised around the middle so the streaks read clearly.
CRaster MakeTexture(uint32_t seed, const std::vector<Stop>& stops) {
    const CTileNoise base(seed), warpX(seed * 31 + 7), warpY(seed * 57 + 3);
    CRaster texture(kSize, kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const double wx = 40 * (warpX.Fractal(x, y, kSize, 4, 4, 3) - 0.5);
            const double wy = 40 * (warpY.Fractal(x, y, kSize, 4, 4, 3) - 0.5);
            const double v = base.Fractal(x + wx, y + wy, kSize, 8, 2, 5);
            const CColour c = Palette(stops, SmoothStep(0.25, 0.75, v));
            const auto byte = [](double channel) {
                return static_cast<uint32_t>(channel * 255 + 0.5);
            };
            texture.At(x, y) = 0xFF000000 | byte(c.r) << 16 | byte(c.g) << 8 | byte(c.b);
        }
    return texture;
}

const std::vector<Stop> kEmberStops = {
    {0.0, 0x7A1000}, {0.3, 0xC8300A}, {0.55, 0xF06A10}, {0.8, 0xFFA830}, {1.0, 0xFFE27A}};

} // namespace

CColour EmberColour(double heat) {
    return Palette(kEmberStops, heat);
}

CRaster MakeEmberTexture() {
    return MakeTexture(0x1F2E3D4Cu, kEmberStops);
}

CRaster MakeStopTexture() {
    return MakeTexture(
        0x5A6B7C8Du,
        {{0.0, 0x7A0012}, {0.35, 0xC01424}, {0.65, 0xE83838}, {0.85, 0xFF6A5E}, {1.0, 0xFFA898}});
}
