#include "Noise.h"

#include <cmath>

double CTileNoise::Lattice(int x, int y) const {
    uint32_t h =
        seed ^ (static_cast<uint32_t>(x) * 0x8DA6B343u) ^ (static_cast<uint32_t>(y) * 0xD8163841u);
    h ^= h >> 13;
    h *= 0x5BD1E995u;
    h ^= h >> 15;
    return (h & 0xFFFF) / 65535.0;
}

double CTileNoise::At(double x, double y, int periodX, int periodY) const {
    const auto wrap = [](int v, int period) { return ((v % period) + period) % period; };
    const double fx = std::floor(x), fy = std::floor(y);
    const int x0 = wrap(static_cast<int>(fx), periodX), x1 = wrap(x0 + 1, periodX);
    const int y0 = wrap(static_cast<int>(fy), periodY), y1 = wrap(y0 + 1, periodY);
    const auto smooth = [](double t) { return t * t * (3 - 2 * t); };
    const double tx = smooth(x - fx), ty = smooth(y - fy);
    const double top = Lattice(x0, y0) + (Lattice(x1, y0) - Lattice(x0, y0)) * tx;
    const double bottom = Lattice(x0, y1) + (Lattice(x1, y1) - Lattice(x0, y1)) * tx;
    return top + (bottom - top) * ty;
}

double CTileNoise::Fractal(double x, double y, int size, int baseX, int baseY, int octaves) const {
    double sum = 0, weight = 0.5, total = 0;
    int cellsX = baseX, cellsY = baseY;
    for (int o = 0; o < octaves; ++o) {
        sum += weight * At(x * cellsX / size, y * cellsY / size, cellsX, cellsY);
        total += weight;
        weight /= 2;
        cellsX *= 2;
        cellsY *= 2;
    }
    return sum / total;
}
