#pragma once

#include <cstdint>

// Puts the effects' process-wide state back as a fresh process has it (the fire's profile
// timer and period) and seeds the calling thread's generator, which Start spawns from, so
// that a test's run does not depend on the tests before it.
void ResetEffectGlobals(uint32_t seed);
