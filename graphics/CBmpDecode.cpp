#include "graphics/CBmp.h"
#include "graphics/LittleEndian.h"
#include "graphics/LoadedAlpha.h"

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr uint32_t kUncompressed = 0;
// Keeps width * height * kBytesPerPixel within the signed 32-bit byte size of a bitmap.
constexpr int64_t kMaxPixels = 0x1FFFFFFF;

// What the headers say about the pixel rows, after every check against the byte count.
struct Layout {
    int32_t width = 0;
    int32_t height = 0;
    bool bottomUp = true;
    std::size_t bytesPerPixel = 0;
    std::size_t stride = 0;
    std::size_t offset = 0;
};

bool ReadLayout(const uint8_t* data, std::size_t size, Layout* layout) {
    if (data == nullptr || size < kFileHeaderSize + kInfoHeaderSize)
        return false;
    if (data[0] != 'B' || data[1] != 'M')
        return false;
    const uint8_t* info = data + kFileHeaderSize;
    const uint32_t infoSize = ReadU32(info);
    const int32_t width = ReadI32(info + 4);
    const int32_t height = ReadI32(info + 8);
    const uint32_t bitCount = ReadU16(info + 14);
    if (infoSize < kInfoHeaderSize || ReadU16(info + 12) != 1 ||
        ReadU32(info + 16) != kUncompressed)
        return false;
    if ((bitCount != 24 && bitCount != 32) || width <= 0 || height == 0 || height == INT32_MIN)
        return false;
    const int32_t rows = height < 0 ? -height : height;
    if (static_cast<int64_t>(width) * rows > kMaxPixels)
        return false;
    layout->width = width;
    layout->height = rows;
    layout->bottomUp = height > 0;
    layout->bytesPerPixel = bitCount / 8;
    // Rows are padded to a multiple of four bytes.
    layout->stride =
        (static_cast<std::size_t>(width) * layout->bytesPerPixel + 3) & ~std::size_t{3};
    layout->offset = ReadU32(data + 10);
    if (layout->offset < kFileHeaderSize + infoSize || layout->offset > size)
        return false;
    return (size - layout->offset) / layout->stride >= static_cast<std::size_t>(rows);
}

void CopyRows(const uint8_t* data, const Layout& layout, uint8_t* target) {
    for (int32_t y = 0; y < layout.height; ++y) {
        const int32_t sourceRow = layout.bottomUp ? layout.height - 1 - y : y;
        const uint8_t* source =
            data + layout.offset + static_cast<std::size_t>(sourceRow) * layout.stride;
        uint8_t* row = target + static_cast<std::size_t>(y) *
                                    static_cast<std::size_t>(layout.width) * kBytesPerPixel;
        for (int32_t x = 0; x < layout.width;
             ++x, source += layout.bytesPerPixel, row += kBytesPerPixel) {
            row[0] = source[0];
            row[1] = source[1];
            row[2] = source[2];
            row[kAlphaByte] = layout.bytesPerPixel == 4 ? source[3] : 0;
        }
    }
}

} // namespace

void CBmp::LoadBmpBytes(const uint8_t* data, std::size_t size) {
    Free();
    Layout layout;
    if (!ReadLayout(data, size, &layout))
        return;
    const tstr kept = name;
    Create(layout.width, layout.height);
    name = kept;
    if (pixels == nullptr) {
        Free();
        return;
    }
    CopyRows(data, layout, pixels);
    SettleLoadedAlpha(*this);
}
