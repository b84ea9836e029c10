#include "BmpFile.h"

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

} // namespace

std::vector<uint8_t> EncodeBmp(const CRaster& picture, int bitsPerPixel) {
    const auto bytesPerPixel = static_cast<uint32_t>(bitsPerPixel / 8);
    const uint32_t stride = (static_cast<uint32_t>(picture.width) * bytesPerPixel + 3) & ~3u;
    const uint32_t imageSize = stride * static_cast<uint32_t>(picture.height);
    const uint32_t offset = 14 + 40;
    const uint32_t pixelsPerMetre = 2835; // 72 dots per inch
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + imageSize);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(picture.width));
    Put32(out, static_cast<uint32_t>(picture.height)); // positive: bottom row first
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(bitsPerPixel));
    Put32(out, 0); // uncompressed
    Put32(out, imageSize);
    Put32(out, pixelsPerMetre);
    Put32(out, pixelsPerMetre);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = picture.height - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (int x = 0; x < picture.width; ++x) {
            const uint32_t word = picture.words[static_cast<std::size_t>(y * picture.width + x)];
            for (uint32_t byte = 0; byte < bytesPerPixel; ++byte)
                out.push_back(static_cast<uint8_t>(word >> (8 * byte)));
        }
        out.resize(rowStart + stride, 0);
    }
    return out;
}
