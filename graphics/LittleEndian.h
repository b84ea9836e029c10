#pragma once

#include <cstdint>
#include <cstring>

// Readers of the little-endian fields of the BMP and ICO formats, at any alignment.

inline uint32_t ReadU16(const uint8_t* p) {
    return static_cast<uint32_t>(p[0] | (p[1] << 8));
}

inline uint32_t ReadU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// A two's-complement field (a BMP's height, negative for top-down rows).
inline int32_t ReadI32(const uint8_t* p) {
    const uint32_t value = ReadU32(p);
    int32_t result;
    std::memcpy(&result, &value, sizeof result);
    return result;
}
