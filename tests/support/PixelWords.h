#pragma once

#include "graphics/CBmp.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

// A bitmap's pixels as words 0xAARRGGBB, row after row from the top.
using Words = std::vector<uint32_t>;

// Makes the bitmap width x height and fills it with the words, row after row.
inline void Load(CBmp& bmp, int width, int height, const Words& words) {
    bmp.Create(width, height);
    for (std::size_t i = 0; i < words.size(); ++i)
        bmp.SetPixel(static_cast<int>(i) % width, static_cast<int>(i) / width, words[i]);
}

inline Words Read(const CBmp& bmp) {
    Words words;
    for (int y = 0; y < bmp.height; ++y)
        for (int x = 0; x < bmp.width; ++x)
            words.push_back(bmp.Pixel(x, y));
    return words;
}

// The highest alpha of the bitmap's rows from `top` to before `bottom`.
inline uint32_t HighestAlpha(const CBmp& bmp, int top, int bottom) {
    uint32_t highest = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < bmp.width; ++x)
            highest = std::max(highest, bmp.Pixel(x, y) >> 24);
    return highest;
}

inline uint32_t HighestAlpha(const CBmp& bmp) {
    return HighestAlpha(bmp, 0, bmp.height);
}
