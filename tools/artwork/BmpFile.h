#pragma once

#include "CRaster.h"

#include <cstdint>
#include <vector>

// The bytes of a BMP file (file header, 40-byte information header, uncompressed rows
// bottom-up, each padded to four bytes) at 24 or 32 bits per pixel. At 24 bits the
// alpha byte of each word is dropped.
std::vector<uint8_t> EncodeBmp(const CRaster& picture, int bitsPerPixel);
