#include "effects/engine/CDrawTarget.h"

#include "graphics/Avx2Rows.h"

CDrawPath FastestDrawPath() {
    return Avx2Rows::Avx2Available() ? CDrawPath::Avx2 : CDrawPath::Sse2;
}
