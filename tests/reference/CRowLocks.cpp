#include "tests/reference/CRowLocks.h"

#include <new>

bool CRowLocks::Allocate(int32_t rows) {
    const int32_t count = rows > 0 ? ((rows - 1) >> kRowShift) + 1 : 1;
    stripes.reset(new (std::nothrow) std::mutex[static_cast<std::size_t>(count)]);
    return stripes != nullptr;
}

void CRowLocks::Free() {
    stripes.reset();
}

void CRowLocks::CHold::Switch(int32_t wanted) {
    if (held.owns_lock())
        held.unlock();
    held = std::unique_lock<std::mutex>(locks->stripes[wanted]);
    stripe = wanted;
}
