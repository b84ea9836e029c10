#include "graphics/CBmp.h"
#include "graphics/LoadedAlpha.h"

#include <cstring>

namespace {

constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr int kLargestIcon = 256;

uint32_t Read(const uint8_t* p, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | p[i];
    return value;
}

// The colour rows of the 32-bit image at `offset`, or null when the bytes do not hold one
// of side x side pixels.
const uint8_t* ImageRows(const uint8_t* data, std::size_t size, std::size_t offset, int side) {
    if (offset > size || size - offset < kInfoHeaderSize)
        return nullptr;
    const uint8_t* info = data + offset;
    const auto rowsBytes = static_cast<std::size_t>(side) * side * 4;
    const bool described = Read(info, 4) == kInfoHeaderSize &&
                           Read(info + 4, 4) == uint32_t(side) &&
                           Read(info + 8, 4) == uint32_t(2 * side) && Read(info + 12, 2) == 1 &&
                           Read(info + 14, 2) == 32 && Read(info + 16, 4) == 0;
    if (!described || size - offset - kInfoHeaderSize < rowsBytes)
        return nullptr;
    return info + kInfoHeaderSize;
}

} // namespace

void CBmp::LoadIconBytes(const uint8_t* data, std::size_t size, int side) {
    Free();
    if (data == nullptr || size < kDirectorySize || side <= 0 || side > kLargestIcon ||
        Read(data, 2) != 0 || Read(data + 2, 2) != 1)
        return;
    const uint32_t count = Read(data + 4, 2);
    for (uint32_t i = 0; i < count; ++i) {
        const std::size_t entry = kDirectorySize + i * kEntrySize;
        if (entry + kEntrySize > size)
            return;
        const int width = data[entry] == 0 ? kLargestIcon : data[entry];
        const int height = data[entry + 1] == 0 ? kLargestIcon : data[entry + 1];
        if (width != side || height != side)
            continue;
        const uint8_t* rows = ImageRows(data, size, Read(data + entry + 12, 4), side);
        if (rows == nullptr)
            return;
        const tstr kept = name;
        Create(side, side);
        name = kept;
        if (pixels == nullptr)
            return;
        const std::size_t rowBytes = static_cast<std::size_t>(side) * 4;
        for (int y = 0; y < side; ++y) // stored bottom-up
            std::memcpy(pixels + y * rowBytes, rows + (side - 1 - y) * rowBytes, rowBytes);
        SettleLoadedAlpha(*this);
        return;
    }
}
