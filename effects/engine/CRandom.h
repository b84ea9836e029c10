#pragma once

#include <cstdint>

// The per-thread random generator of the effects. Every thread has its own 32-bit state,
// 1 until the thread seeds it. A draw advances state := state * 214013 + 2531011 (mod 2^32)
// and returns bits 16..30 of the new state, a value 0 .. 32767.
class CRandom {
public:
    static void Seed(uint32_t seed);
    static int Next();
};
