#pragma once

#include <cstdint>

// value mod n for a random draw `value` (0 .. 32767). A modulus that a small screen or
// an odd bitmap brings to zero or below gives 0, as if the range held one value, so
// that no remainder by zero is ever taken; the caller has drawn the value either way
// and its random sequence stays the same.
constexpr int32_t GuardedMod(int32_t value, int32_t n) {
    return n > 0 ? value % n : 0;
}
