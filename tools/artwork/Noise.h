#pragma once

#include <cstdint>

// Smooth value noise on a lattice that repeats every periodX x periodY cells, so a texture
// made from it tiles without a seam.
class CTileNoise {
public:
    explicit CTileNoise(uint32_t seed) : seed(seed) {}
    // Noise in 0..1 at (x, y) in lattice cells.
    double At(double x, double y, int periodX, int periodY) const;
    // Octaves of noise, each at twice the frequency and half the weight of the one before,
    // over a picture of size x size pixels with baseX x baseY cells in the first octave.
    double Fractal(double x, double y, int size, int baseX, int baseY, int octaves) const;

private:
    double Lattice(int x, int y) const;

    uint32_t seed;
};
