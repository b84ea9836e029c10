#include "Compose.h"

#include "graphics/StraightBlend.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <vector>

void DrawOnto(const CBmp& layer, CBmp& canvas, int x, int y) {
    if (!layer.pixels || !canvas.pixels)
        return;
    const int left = x + layer.originX;
    const int top = y + layer.originY;
    std::vector<uint32_t> block(static_cast<std::size_t>(layer.width) * layer.height, 0);
    const auto each = [&](auto visit) {
        for (int row = 0; row < layer.height; ++row)
            for (int column = 0; column < layer.width; ++column) {
                const int cx = left + column, cy = top + row;
                if (cx >= 0 && cy >= 0 && cx < canvas.width && cy < canvas.height)
                    visit(block[static_cast<std::size_t>(row * layer.width + column)], cx, cy);
            }
    };
    each([&](uint32_t& word, int cx, int cy) { word = canvas.Pixel(cx, cy); });
    StraightBlend::Over(layer, reinterpret_cast<uint8_t*>(block.data()));
    each([&](uint32_t& word, int cx, int cy) { canvas.SetPixel(cx, cy, word); });
}

void DrawStackOnto(const CBmp& image, int stack, CBmp& canvas, int x, int y) {
    const CCollector<CBmp*>* layers = image.animations.GetAt(stack);
    if (!image.pixels || layers == nullptr)
        return;
    for (CBmp* layer : layers->Items())
        DrawOnto(*layer, canvas, x, y);
}

bool WriteCanvasPng(const CBmp& canvas, const char* path) {
    std::vector<uint8_t> rgb;
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x) {
            const uint32_t word = canvas.Pixel(x, y);
            rgb.push_back(static_cast<uint8_t>(word >> 16));
            rgb.push_back(static_cast<uint8_t>(word >> 8));
            rgb.push_back(static_cast<uint8_t>(word));
        }
    return stbi_write_png(path, canvas.width, canvas.height, 3, rgb.data(), canvas.width * 3) != 0;
}
