#pragma once

#include "CRaster.h"

#include <cstdint>
#include <vector>

// The bytes of an .ico file holding the pictures (each at most 256 x 256) as 32-bit
// images with straight alpha: directory, then per picture a 40-byte information header of
// twice the height, the colour rows bottom-up and the 1-bit mask rows (set where the
// picture is fully transparent), each row padded to four bytes.
std::vector<uint8_t> EncodeIco(const std::vector<CRaster>& pictures);
