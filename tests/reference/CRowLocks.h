#pragma once

#include <cstdint>
#include <memory>
#include <mutex>

// One lock per stripe of 32 frame-buffer rows, for the plain reference loops: with several
// workers each draws its own items over every row of the one frame buffer, holding the lock
// of the stripe it is writing, so that two workers never update the same pixel at the same
// time. Where items of different workers overlap, which one is blended first still depends
// on timing; one worker's output does not.
class CRowLocks {
public:
    static constexpr int32_t kRowShift = 5; // 32 rows per stripe

    // Locks for `rows` rows; false when the allocation fails.
    bool Allocate(int32_t rows);
    void Free();

    // Holds the lock of the stripe of `row`, switching locks when the row is in another
    // stripe than the one held. Rows must lie in the frame buffer. Null locks (one worker
    // draws alone) take no lock at all.
    class CHold {
    public:
        explicit CHold(CRowLocks* locks) : locks(locks) {}
        void Row(int32_t row) {
            if (locks && row >> kRowShift != stripe)
                Switch(row >> kRowShift);
        }

    private:
        void Switch(int32_t wanted);

        CRowLocks* locks;
        std::unique_lock<std::mutex> held;
        int32_t stripe = -1;
    };

private:
    std::unique_ptr<std::mutex[]> stripes;
};
