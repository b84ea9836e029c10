#include "effects/fire/CItemEmbra.h"

#include "effects/engine/CRandom.h"
#include "effects/engine/ScreenSize.h"

int32_t CItemEmbra::frameCount = 0;
int32_t CItemEmbra::lastFrame = 0;

namespace {

// The column's entry of a per-column profile; 0 for a column off the screen, which only a
// screen at most 20 pixels wide can give a freshly spawned flame.
int32_t ColumnValue(const int32_t* profile, int32_t column) {
    return column >= 0 && column < screenWidth ? profile[column] : 0;
}

} // namespace

int32_t CItemEmbra::DrawModulo(int32_t n) {
    const int32_t r = CRandom::Next();
    return n > 0 ? r % n : 0;
}

void CItemEmbra::Spawn(int initial, int newA, int newB) {
    x = DrawModulo(screenWidth - 20) + 10;
    a = newA;
    b = newB;
    if (initial) {
        y = screenHeight - DrawModulo(100) - 160;
        life = DrawModulo(lastFrame * 256) + 256;
    } else {
        y = screenHeight - DrawModulo(10) - 160;
        CRandom::Next(); // drawn and not used
        life = frameCount * 256;
    }
    dx = DrawModulo(3) - 1;
    dy = -1 - DrawModulo(7);
}

void CItemEmbra::Respawn(const int32_t* lifeCut, const int32_t* drift, int unused) {
    (void)unused;
    Spawn(0, a, b);
    life -= ColumnValue(lifeCut, x);
    if (life < 0)
        life = DrawModulo(256);
    dx += ColumnValue(drift, x);
}
