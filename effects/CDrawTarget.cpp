#include "effects/CDrawTarget.h"

#include "effects/Avx2Rows.h"

CDrawPath FastestDrawPath() {
    return Avx2Rows::Avx2Available() ? CDrawPath::Avx2 : CDrawPath::Sse2;
}
