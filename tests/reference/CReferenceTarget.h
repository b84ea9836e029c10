#pragma once

#include "effects/engine/CDrawTarget.h"
#include "tests/reference/CRowLocks.h"

// The frame buffer as the plain reference loops see it: they draw every row of the screen,
// so with several workers they lock the rows they write. Null locks (one worker alone)
// take none.
struct CReferenceTarget : CDrawTarget {
    CRowLocks* locks = nullptr;
};
