#include "graphics/CBmp.h"
#include "graphics/LittleEndian.h"
#include "graphics/LoadedAlpha.h"

#include <cstring>

namespace {

constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr int kLargestIcon = 256;

// The colour rows of the 32-bit image at `offset`, or null when the bytes do not hold one
// of side x side pixels.
const uint8_t* ImageRows(const uint8_t* data, std::size_t size, std::size_t offset, int side) {
    if (offset > size || size - offset < kInfoHeaderSize)
        return nullptr;
    const uint8_t* info = data + offset;
    const auto rowsBytes = static_cast<std::size_t>(side) * side * kBytesPerPixel;
    const bool described = ReadU32(info) == kInfoHeaderSize &&
                           ReadU32(info + 4) == uint32_t(side) &&
                           ReadU32(info + 8) == uint32_t(2 * side) && ReadU16(info + 12) == 1 &&
                           ReadU16(info + 14) == 32 && ReadU32(info + 16) == 0;
    if (!described || size - offset - kInfoHeaderSize < rowsBytes)
        return nullptr;
    return info + kInfoHeaderSize;
}

} // namespace

void CBmp::LoadIconBytes(const uint8_t* data, std::size_t size, int side) {
    Free();
    if (data == nullptr || size < kDirectorySize || side <= 0 || side > kLargestIcon ||
        ReadU16(data) != 0 || ReadU16(data + 2) != 1)
        return;
    const uint32_t count = ReadU16(data + 4);
    for (uint32_t i = 0; i < count; ++i) {
        const std::size_t entry = kDirectorySize + i * kEntrySize;
        if (entry + kEntrySize > size)
            return;
        const int width = data[entry] == 0 ? kLargestIcon : data[entry];
        const int height = data[entry + 1] == 0 ? kLargestIcon : data[entry + 1];
        if (width != side || height != side)
            continue;
        const uint8_t* rows = ImageRows(data, size, ReadU32(data + entry + 12), side);
        if (rows == nullptr)
            return;
        const tstr kept = name;
        Create(side, side);
        name = kept;
        if (pixels == nullptr)
            return;
        const std::size_t rowBytes = static_cast<std::size_t>(side) * kBytesPerPixel;
        for (int y = 0; y < side; ++y) // stored bottom-up
            std::memcpy(pixels + y * rowBytes, rows + (side - 1 - y) * rowBytes, rowBytes);
        SettleLoadedAlpha(*this);
        return;
    }
}
