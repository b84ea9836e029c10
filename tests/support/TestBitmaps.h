#pragma once

#include "graphics/CBmp.h"

#include <cstdint>
#include <functional>
#include <vector>

// The bytes of a BMP file: file header, 40-byte information header, uncompressed rows
// padded to four bytes, bottom-up unless topDown. pixel(x, y) gives the word 0xAARRGGBB
// of the picture's row y counted from the top; 24-bit files drop its alpha byte.
std::vector<uint8_t> MakeBmpBytes(int width, int height, int bitsPerPixel, bool topDown,
                                  const std::function<uint32_t(int, int)>& pixel);

// FNV-1a over a bitmap's bytes.
uint64_t BitmapChecksum(const CBmp& bitmap);
