#pragma once

#include <cstdint>
#include <vector>

// A picture as the generator draws it: pixel words 0xAARRGGBB, rows top-down.
struct CRaster {
    CRaster(int w, int h) : width(w), height(h), words(static_cast<std::size_t>(w * h), 0) {}

    uint32_t& At(int x, int y) { return words[static_cast<std::size_t>(y * width + x)]; }

    int width;
    int height;
    std::vector<uint32_t> words;
};
