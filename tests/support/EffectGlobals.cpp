#include "support/EffectGlobals.h"

#include "effects/engine/CRandom.h"
#include "effects/fire/CSetEmbra.h"

void ResetEffectGlobals(uint32_t seed) {
    CSetEmbra::profileTimer = 0;
    CSetEmbra::profilePeriod = 20;
    CRandom::Seed(seed);
}
