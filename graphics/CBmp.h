#pragma once

#include "params/CCollector.h"
#include "params/tstr.h"

#include <cstddef>
#include <cstdint>

// The one raster type: 32-bit pixels in memory order blue, green, red, alpha (read as a
// little-endian word 0xAARRGGBB), rows top-down, stride exactly width * 4 bytes, so pixel
// (x, y) starts at byte (y * width + x) * 4. Colours are premultiplied by alpha in
// everything presented. Owned pixel memory is one zero-initialised block of byteSize
// bytes; a borrowed bitmap (Wrap) views foreign memory and never releases it.
class CBmp {
public:
    CBmp();
    ~CBmp();
    CBmp(const CBmp&) = delete;
    CBmp& operator=(const CBmp&) = delete;

    void Free();
    void Create(int width, int height);
    void Copy(const CBmp& source);
    void CopyRect(const CBmp& source, int left, int top, int right, int bottom);
    void Wrap(void* memory, int offset, int width, int height);
    void Fill(uint32_t word);
    void ScaleAlpha(uint32_t multiplier, uint32_t addend);
    void SoftEllipse(int cx, int cy, int rx, int ry, uint32_t colour);
    void Resize(int newWidth, int newHeight);
    bool Crop(int left, int top, int right, int bottom);
    bool Trim();
    void CopyChannel(const CBmp& source, int from, int to);
    void ScaleAll(int percent);

    // Layer stacks, kept in the animations list and addressed by the order they were added.
    void AddStack(const tstr& text);
    bool HasStack(int index) const;
    bool StackHasLayers(int index) const;
    CBmp* AddLayerCopy(int index);
    CBmp* ExtractChannel(int channel) const;

    // Loads bitmap resource `number` of `module` (null: the program's own module) as
    // 32-bit top-down pixels; empty when it cannot be loaded. Windows build only.
    void LoadBitmapResource(void* module, int number);
    // Decodes the bytes of a BMP file with the same rules as LoadBitmapResource; empty
    // when the bytes are not a picture it can read.
    void LoadBmpBytes(const uint8_t* data, std::size_t size);

    // Pixel word at (x, y); callers keep the coordinates inside the bitmap.
    uint32_t Pixel(int x, int y) const;
    void SetPixel(int x, int y, uint32_t word);

    uint8_t* pixels = nullptr; // null when the bitmap is empty
    int32_t byteSize = 0;      // width * height * 4
    int32_t width = 0;
    int32_t height = 0;
    tstr name;
    int32_t originX = 0; // added to the target position when drawn onto a device context
    int32_t originY = 0;
    int32_t hasAlpha = 0; // a loaded image carried a non-zero alpha byte somewhere
    int32_t borrowed = 0; // the pixel memory belongs to someone else
    CCollector<CCollector<CBmp*>*> animations; // owned frame lists; never copied
};
