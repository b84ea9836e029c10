#include "effects/engine/CDrawTarget.h"

#include "graphics/Avx2Blend.h"

CDrawPath FastestDrawPath() {
    return Avx2Blend::Avx2Available() ? CDrawPath::Avx2 : CDrawPath::Sse2;
}
