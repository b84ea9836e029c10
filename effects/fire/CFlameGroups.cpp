#include "effects/fire/CFlameGroups.h"

#include "graphics/CBmp.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr int32_t kPadding = 3; // transparent pixels after each row: a group's last three

} // namespace

bool CFlameGroups::Build(const uint8_t* pixels, int32_t width, int32_t height,
                         const CFlameBlender::RowSpan* spans, std::ptrdiff_t targetStride) {
    const int32_t paddedWidth = width + kPadding;
    reach = 0;
    try {
        padded.assign(static_cast<std::size_t>(paddedWidth) * height, 0u);
        groups.clear();
        rowStart.assign(static_cast<std::size_t>(height) + 1, 0);
        for (int32_t v = 0; v < height; ++v) {
            std::memcpy(&padded[static_cast<std::size_t>(v) * paddedWidth],
                        pixels + std::ptrdiff_t{v} * width * kBytesPerPixel,
                        static_cast<std::size_t>(width) * kBytesPerPixel);
            rowStart[v] = static_cast<int32_t>(groups.size());
            for (int32_t u = spans[v].first; u < spans[v].end; u += 4) {
                groups.push_back(
                    {static_cast<int32_t>((v * paddedWidth + u) * kBytesPerPixel),
                     static_cast<int32_t>(v * targetStride + std::ptrdiff_t{u} * kBytesPerPixel)});
                reach = std::max(reach, u + 4);
            }
        }
        rowStart[height] = static_cast<int32_t>(groups.size());
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}
