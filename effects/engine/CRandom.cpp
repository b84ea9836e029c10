#include "effects/engine/CRandom.h"

namespace {

thread_local uint32_t randomState = 1;

} // namespace

void CRandom::Seed(uint32_t seed) {
    randomState = seed;
}

int CRandom::Next() {
    randomState = randomState * 214013u + 2531011u; // unsigned arithmetic wraps mod 2^32
    return static_cast<int>((randomState >> 16) & 0x7FFFu);
}
