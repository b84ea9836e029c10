#include "graphics/CBmp.h"

#include <cstring>
#include <new>

namespace {

uint8_t* ZeroedBlock(int32_t bytes) {
    return new (std::nothrow) uint8_t[static_cast<std::size_t>(bytes)]();
}

// Replaces the pixel memory by a block of the same size; borrowed memory is left to its owner.
void TakeBlock(CBmp& bmp, uint8_t* block) {
    if (!bmp.borrowed)
        delete[] bmp.pixels;
    bmp.pixels = block;
    bmp.borrowed = 0;
}

} // namespace

// Byte i of the old block lands on byte i + o of the new one when that lies inside it, so
// a pixel pushed past the end of a row continues on the next row. A failed allocation
// leaves the bitmap unchanged.
void CBmp::Shift(int dx, int dy) {
    if (!pixels || byteSize <= 0)
        return;
    uint8_t* block = ZeroedBlock(byteSize);
    if (!block)
        return;
    const int64_t o = (int64_t{dx} + int64_t{dy} * width) * kBytesPerPixel;
    if (o >= 0 && o < byteSize)
        std::memcpy(block + o, pixels, static_cast<std::size_t>(byteSize - o));
    else if (o < 0 && -o < byteSize)
        std::memcpy(block, pixels - o, static_cast<std::size_t>(byteSize + o));
    TakeBlock(*this, block);
}

// dx and dy are reduced with the remainder of C++ (the sign of the dividend); the offset in
// bytes then wraps around the block, and every alpha byte is put back where it was.
void CBmp::Roll(int dx, int dy) {
    if (!pixels || byteSize <= 0 || width <= 0 || height <= 0)
        return;
    uint8_t* block = ZeroedBlock(byteSize);
    if (!block)
        return;
    const int64_t o = (int64_t{dx % width} + int64_t{dy % height} * width) * kBytesPerPixel;
    const int64_t start = (o % byteSize + byteSize) % byteSize;
    std::memcpy(block + start, pixels, static_cast<std::size_t>(byteSize - start));
    std::memcpy(block, pixels + (byteSize - start), static_cast<std::size_t>(start));
    for (int32_t i = kAlphaByte; i < byteSize; i += kBytesPerPixel)
        block[i] = pixels[i];
    TakeBlock(*this, block);
}
