#include "graphics/Avx2Blend.h"

namespace Avx2Blend {

bool Avx2Available() {
    // GCC's check includes the operating system's support of the wide registers.
    return __builtin_cpu_supports("avx2");
}

} // namespace Avx2Blend
