#include "graphics/CBmp.h"

#include "graphics/Avx2Blend.h"

#include "graphics/PixelMath.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Byte size of a width x height bitmap; 0 when a side is not positive or the size does not
// fit the signed 32-bit byte size field, so that no caller can ask for a negative or
// wrapped-around block.
int32_t ByteSizeOf(int width, int height) {
    if (width <= 0 || height <= 0)
        return 0;
    const int64_t bytes = int64_t{width} * height * kBytesPerPixel;
    if (bytes > std::numeric_limits<int32_t>::max())
        return 0;
    return static_cast<int32_t>(bytes);
}

// A zero-filled block of `bytes` bytes, or null when there is none to be had.
uint8_t* AllocateBlock(int32_t bytes) {
    if (bytes <= 0)
        return nullptr;
    return new (std::nothrow) uint8_t[static_cast<std::size_t>(bytes)]();
}

uint8_t* PixelAt(uint8_t* pixels, int width, int x, int y) {
    return pixels + (static_cast<std::size_t>(y) * width + x) * kBytesPerPixel;
}

// Copies the rows top .. bottom - 1, columns left .. right - 1, of a bitmap into a new
// owned block; null when the block cannot be allocated.
uint8_t* CopyBlock(const CBmp& source, int left, int top, int right, int bottom) {
    const int width = right - left;
    uint8_t* block = AllocateBlock(ByteSizeOf(width, bottom - top));
    if (!block)
        return nullptr;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * kBytesPerPixel;
    for (int y = top; y < bottom; ++y)
        std::memcpy(PixelAt(block, width, 0, y - top),
                    PixelAt(source.pixels, source.width, left, y), rowBytes);
    return block;
}

bool RectInside(const CBmp& bmp, int left, int top, int right, int bottom) {
    return left >= 0 && top >= 0 && left < right && top < bottom && right <= bmp.width &&
           bottom <= bmp.height;
}

// Makes an owned block of width x height pixels the bitmap's pixel memory, releasing the
// previous memory unless it was borrowed.
void AdoptBlock(CBmp& bmp, uint8_t* block, int width, int height) {
    if (!bmp.borrowed)
        delete[] bmp.pixels;
    bmp.pixels = block;
    bmp.borrowed = 0;
    bmp.width = width;
    bmp.height = height;
    bmp.byteSize = ByteSizeOf(width, height);
}

// One line of samples (one byte lane of a column or a row) for Resize: `step` is the
// distance in bytes between neighbouring samples.
struct Line {
    const uint8_t* source;
    std::ptrdiff_t sourceStep;
    int oldLength;
    uint8_t* target;
    std::ptrdiff_t targetStep;
    int newLength;
};

// Enlargement by linear interpolation between neighbouring samples. For target i the source
// is s = i*(old-1)/(new-1) and the weight f = (i*(255*old-255)/(new-1)) mod 255; f is
// computed as 255*(i*(old-1) mod (new-1))/(new-1), the same value without the large product.
// The vertical pass divides the mix by 255, the horizontal one shifts it right by 8, and
// there a weight of 0 gives (sample*255) >> 8.
void Enlarge(const Line& line, bool shiftBy8) {
    const int64_t span = line.newLength - 1;
    for (int i = 0; i < line.newLength; ++i) {
        const int64_t position = int64_t{i} * (line.oldLength - 1);
        const std::ptrdiff_t s = static_cast<std::ptrdiff_t>(position / span);
        const uint32_t f = static_cast<uint32_t>(255 * (position % span) / span);
        const uint32_t here = line.source[s * line.sourceStep];
        uint32_t value;
        if (f == 0)
            value = shiftBy8 ? (here * 255) >> 8 : here;
        else {
            const uint32_t next = line.source[(s + 1) * line.sourceStep];
            const uint32_t mix = next * f + here * (255 - f);
            value = shiftBy8 ? mix >> 8 : mix / 255;
        }
        line.target[i * line.targetStep] = static_cast<uint8_t>(value);
    }
}

// Reduction by area average: source sample i covers [i*new, i*new + new) and target sample r
// covers [r*old, r*old + old) on a common axis of old*new units. Each sample adds its share
// of the overlap, byte*overlap/old, truncated term by term, into the zeroed target.
void Reduce(const Line& line) {
    const int64_t oldLength = line.oldLength;
    const int64_t newLength = line.newLength;
    for (int64_t i = 0; i < oldLength; ++i) {
        const int64_t byte = line.source[i * line.sourceStep];
        const int64_t b = i * newLength;
        const int64_t r0 = b / oldLength;
        const int64_t r1 = (b + newLength) / oldLength;
        uint8_t& first = line.target[r0 * line.targetStep];
        if (r0 == r1) {
            first = static_cast<uint8_t>(first + newLength * byte / oldLength);
            continue;
        }
        first = static_cast<uint8_t>(first + byte * (oldLength * r1 - b) / oldLength);
        const int64_t e = (b + newLength) % oldLength;
        if (e != 0) {
            uint8_t& second = line.target[r1 * line.targetStep];
            second = static_cast<uint8_t>(second + e * byte / oldLength);
        }
    }
}

void Resample(const Line& line, bool shiftBy8) {
    if (line.newLength > line.oldLength)
        Enlarge(line, shiftBy8);
    else
        Reduce(line);
}

} // namespace

CBmp::CBmp() : name("") {}

CBmp::~CBmp() {
    Free();
}

// Borrowed memory is never released; the bitmap forgets the pointer and the flag, so that a
// later Create or Copy neither leaks its block nor mistakes it for foreign memory.
void CBmp::Free() {
    if (!borrowed)
        delete[] pixels;
    pixels = nullptr;
    borrowed = 0;
    byteSize = 0;
    width = 0;
    height = 0;
    originX = 0;
    originY = 0;
    animations.DeleteAll();
    hasAlpha = 0;
}

void CBmp::Create(int newWidth, int newHeight) {
    if (pixels)
        Free();
    name = "";
    hasAlpha = 0;
    pixels = AllocateBlock(ByteSizeOf(newWidth, newHeight));
    width = pixels ? newWidth : 0;
    height = pixels ? newHeight : 0;
    byteSize = pixels ? ByteSizeOf(newWidth, newHeight) : 0;
}

// The source may be this bitmap or one of its frames: everything is taken from it before
// Free runs.
void CBmp::Copy(const CBmp& source) {
    if (!source.pixels)
        return;
    uint8_t* block = AllocateBlock(source.byteSize);
    if (block)
        std::memcpy(block, source.pixels, static_cast<std::size_t>(source.byteSize));
    tstr sourceName = source.name;
    const int32_t sourceWidth = source.width;
    const int32_t sourceHeight = source.height;
    const int32_t sourceOriginX = source.originX;
    const int32_t sourceOriginY = source.originY;
    const int32_t sourceHasAlpha = source.hasAlpha;
    const int32_t sourceByteSize = source.byteSize;
    Free();
    if (!block)
        return;
    pixels = block;
    byteSize = sourceByteSize;
    width = sourceWidth;
    height = sourceHeight;
    name = std::move(sourceName);
    originX = sourceOriginX;
    originY = sourceOriginY;
    hasAlpha = sourceHasAlpha;
}

// A rectangle that does not lie inside the source is refused like an empty one.
void CBmp::CopyRect(const CBmp& source, int left, int top, int right, int bottom) {
    if (!source.pixels || !RectInside(source, left, top, right, bottom))
        return;
    uint8_t* block = CopyBlock(source, left, top, right, bottom);
    tstr sourceName = source.name;
    const int32_t sourceHasAlpha = source.hasAlpha;
    Free();
    if (!block)
        return;
    AdoptBlock(*this, block, right - left, bottom - top);
    name = std::move(sourceName);
    hasAlpha = sourceHasAlpha;
}

// Null memory, a negative offset or a size that is not positive leave the bitmap empty.
void CBmp::Wrap(void* memory, int offset, int newWidth, int newHeight) {
    Free();
    const int32_t bytes = ByteSizeOf(newWidth, newHeight);
    if (!memory || offset < 0 || bytes == 0)
        return;
    pixels = static_cast<uint8_t*>(memory) + offset;
    width = newWidth;
    height = newHeight;
    hasAlpha = 0;
    borrowed = 1;
    byteSize = bytes;
}

void CBmp::Fill(uint32_t word) {
    if (!pixels)
        return;
    for (int32_t i = 0; i < byteSize / kBytesPerPixel; ++i)
        std::memcpy(pixels + static_cast<std::size_t>(i) * kBytesPerPixel, &word, sizeof word);
}

void CBmp::ScaleAlpha(uint32_t multiplier, uint32_t addend) {
    if (!pixels)
        return;
    for (int32_t i = kAlphaByte; i < byteSize; i += kBytesPerPixel)
        pixels[i] = PixelMath::ScaleAlphaByte(pixels[i], multiplier, addend);
}

// t = (64*dy^2*rx^2 + 64*dx^2*ry^2) / (rx^2*ry^2) is 64 times the squared normalised
// distance; each channel becomes (old*t + colour*(64 - t)) / 64. Inside the clipped area
// |dx| <= rx and |dy| <= ry, so the numerator stays below 128*(rx*ry)^2; radii whose product
// exceeds 2^28 would overflow 64 bits and are not drawn (far beyond any screen).
void CBmp::SoftEllipse(int cx, int cy, int rx, int ry, uint32_t colour) {
    constexpr int64_t kMaxRadiiProduct = int64_t{1} << 28;
    if (!pixels || rx <= 0 || ry <= 0 || int64_t{rx} * ry > kMaxRadiiProduct)
        return;
    const int64_t left = std::max<int64_t>(0, int64_t{cx} - rx);
    const int64_t right = std::min<int64_t>(width, int64_t{cx} + rx);
    const int64_t top = std::max<int64_t>(0, int64_t{cy} - ry);
    const int64_t bottom = std::min<int64_t>(height, int64_t{cy} + ry);
    const uint64_t rx2 = uint64_t(rx) * uint64_t(rx);
    const uint64_t ry2 = uint64_t(ry) * uint64_t(ry);
    const uint64_t denominator = rx2 * ry2;
    const uint32_t lanes[4] = {colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF,
                               colour >> 24};
    for (int64_t y = top; y < bottom; ++y) {
        const uint64_t dy2 = uint64_t((y - cy) * (y - cy));
        for (int64_t x = left; x < right; ++x) {
            const uint64_t dx2 = uint64_t((x - cx) * (x - cx));
            const uint64_t t = (64 * dy2 * rx2 + 64 * dx2 * ry2) / denominator;
            if (t >= 64)
                continue;
            const uint32_t keep = static_cast<uint32_t>(t);
            uint8_t* p = PixelAt(pixels, width, static_cast<int>(x), static_cast<int>(y));
            for (int lane = 0; lane < 4; ++lane)
                p[lane] = static_cast<uint8_t>((p[lane] * keep + lanes[lane] * (64 - keep)) / 64);
        }
    }
}

// Two passes through a zeroed width x newHeight block: the rows (each byte lane of each
// column), then the columns (each byte lane of each row) into the final block.
void CBmp::Resize(int newWidth, int newHeight) {
    if (!pixels || newWidth <= 0 || newHeight <= 0 || (newWidth == width && newHeight == height))
        return;
    uint8_t* middle = AllocateBlock(ByteSizeOf(width, newHeight));
    uint8_t* target = AllocateBlock(ByteSizeOf(newWidth, newHeight));
    if (!middle || !target) {
        delete[] middle;
        delete[] target;
        return;
    }
    const std::ptrdiff_t oldRow = std::ptrdiff_t{width} * kBytesPerPixel;
    for (std::ptrdiff_t lane = 0; lane < oldRow; ++lane)
        Resample({pixels + lane, oldRow, height, middle + lane, oldRow, newHeight}, false);
    const std::ptrdiff_t newRow = std::ptrdiff_t{newWidth} * kBytesPerPixel;
    for (std::ptrdiff_t y = 0; y < newHeight; ++y)
        for (int lane = 0; lane < kBytesPerPixel; ++lane)
            Resample({middle + y * oldRow + lane, kBytesPerPixel, width, target + y * newRow + lane,
                      kBytesPerPixel, newWidth},
                     true);
    delete[] middle;
    AdoptBlock(*this, target, newWidth, newHeight);
}

// A rectangle outside the bitmap, or a failed allocation, leaves it unchanged and gives false.
bool CBmp::Crop(int left, int top, int right, int bottom) {
    if (!pixels || !RectInside(*this, left, top, right, bottom))
        return false;
    uint8_t* block = CopyBlock(*this, left, top, right, bottom);
    if (!block)
        return false;
    AdoptBlock(*this, block, right - left, bottom - top);
    return true;
}

// False, and no change, also when the bounding box is already the whole bitmap.
bool CBmp::Trim() {
    if (!pixels)
        return false;
    int left = width, top = height, right = 0, bottom = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (PixelAt(pixels, width, x, y)[kAlphaByte] != 0) {
                left = std::min(left, x);
                right = std::max(right, x + 1);
                top = std::min(top, y);
                bottom = std::max(bottom, y + 1);
            }
    if (left >= right || (left == 0 && top == 0 && right == width && bottom == height))
        return false;
    return Crop(left, top, right, bottom);
}

// Each side is addressed with its own row stride, so bitmaps of different widths are safe.
void CBmp::CopyChannel(const CBmp& source, int from, int to) {
    if (!pixels || !source.pixels || from < 0 || from > 3 || to < 0 || to > 3)
        return;
    const int commonWidth = std::min(width, source.width);
    const int commonHeight = std::min(height, source.height);
    for (int y = 0; y < commonHeight; ++y)
        for (int x = 0; x < commonWidth; ++x)
            PixelAt(pixels, width, x, y)[to] = PixelAt(source.pixels, source.width, x, y)[from];
}

// Percentages are clamped to 0..100: 100 (or more) leaves every byte as it is.
void CBmp::ScaleAll(int percent) {
    const uint32_t factor = PixelMath::OpacityFactor(percent);
    if (!pixels || factor == 256)
        return;
    int32_t i = 0;
    static const bool avx2 = Avx2Blend::Avx2Available();
    if (avx2)
        i = Avx2Blend::ScaleBytes(pixels, byteSize, factor);
#if defined(__SSE2__)
    // 16 bytes at a time in 16-bit lanes: factor * byte <= 255 * 255 fits a lane. Zero
    // bytes stay zero, so an all-zero block is left as it is.
    const __m128i zero = _mm_setzero_si128();
    const __m128i scale = _mm_set1_epi16(static_cast<int16_t>(factor));
    for (; i + 16 <= byteSize; i += 16) {
        __m128i* block = reinterpret_cast<__m128i*>(pixels + i);
        const __m128i bytes = _mm_loadu_si128(block);
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, zero)) == 0xFFFF)
            continue;
        const __m128i low =
            _mm_srli_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(bytes, zero), scale), 8);
        const __m128i high =
            _mm_srli_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(bytes, zero), scale), 8);
        _mm_storeu_si128(block, _mm_packus_epi16(low, high));
    }
#endif
    for (; i < byteSize; ++i)
        pixels[i] = PixelMath::ScaleByFactor(factor, pixels[i]);
}

// Out-of-range coordinates read 0 and write nothing.
uint32_t CBmp::Pixel(int x, int y) const {
    if (!pixels || x < 0 || y < 0 || x >= width || y >= height)
        return 0;
    uint32_t word;
    std::memcpy(&word, PixelAt(pixels, width, x, y), sizeof word);
    return word;
}

void CBmp::SetPixel(int x, int y, uint32_t word) {
    if (!pixels || x < 0 || y < 0 || x >= width || y >= height)
        return;
    std::memcpy(PixelAt(pixels, width, x, y), &word, sizeof word);
}
