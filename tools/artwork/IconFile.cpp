#include "IconFile.h"

namespace {

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

std::vector<uint8_t> EncodeImage(const CRaster& picture) {
    const auto w = static_cast<uint32_t>(picture.width);
    const auto h = static_cast<uint32_t>(picture.height);
    const uint32_t maskStride = (w + 31) / 32 * 4;
    std::vector<uint8_t> out;
    Put(out, 40, 4);
    Put(out, w, 4);
    Put(out, 2 * h, 4); // colour rows and mask rows
    Put(out, 1, 2);
    Put(out, 32, 2);
    Put(out, 0, 4); // uncompressed
    Put(out, w * h * 4 + maskStride * h, 4);
    out.insert(out.end(), 16, 0);
    for (int y = picture.height - 1; y >= 0; --y)
        for (int x = 0; x < picture.width; ++x)
            Put(out, picture.words[static_cast<std::size_t>(y * picture.width + x)], 4);
    for (int y = picture.height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(maskStride, 0);
        for (int x = 0; x < picture.width; ++x)
            if ((picture.words[static_cast<std::size_t>(y * picture.width + x)] >> 24) == 0)
                row[static_cast<std::size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

} // namespace

std::vector<uint8_t> EncodeIco(const std::vector<CRaster>& pictures) {
    std::vector<std::vector<uint8_t>> images;
    for (const CRaster& picture : pictures)
        images.push_back(EncodeImage(picture));
    std::vector<uint8_t> out;
    Put(out, 0, 2);
    Put(out, 1, 2); // an icon
    Put(out, static_cast<uint32_t>(images.size()), 2);
    auto offset = static_cast<uint32_t>(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        Put(out, static_cast<uint32_t>(pictures[i].width % 256), 1); // 0 means 256
        Put(out, static_cast<uint32_t>(pictures[i].height % 256), 1);
        Put(out, 0, 1); // no palette
        Put(out, 0, 1);
        Put(out, 1, 2); // planes
        Put(out, 32, 2);
        Put(out, static_cast<uint32_t>(images[i].size()), 4);
        Put(out, offset, 4);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const auto& image : images)
        out.insert(out.end(), image.begin(), image.end());
    return out;
}
