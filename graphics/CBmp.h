#pragma once

#include "params/CCollector.h"
#include "params/tstr.h"

#include <cstddef>
#include <cstdint>

// A point of a colour gradient, in pixel coordinates of the bitmap.
struct GradientPoint {
    int32_t x;
    int32_t y;
};

// The pixel format below: four bytes a pixel, alpha the last of them.
constexpr int kBytesPerPixel = 4;
constexpr int kAlphaByte = 3;

// The one raster type: 32-bit pixels in memory order blue, green, red, alpha (read as a
// little-endian word 0xAARRGGBB), rows top-down, stride exactly width * kBytesPerPixel
// bytes, so pixel (x, y) starts at byte (y * width + x) * kBytesPerPixel. Colours are
// premultiplied by alpha in everything presented. Owned pixel memory is one
// zero-initialised block of byteSize bytes; a borrowed bitmap (Wrap) views foreign memory
// and never releases it.
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

    // Image operations of the interface; colour channels only unless said otherwise.
    // x' = offset + (contrast + 127) * (x - 127) / 127 + 127, clamped; the offset is read
    // as a signed 16-bit number.
    void BrightnessContrast(int offset, int contrast);
    // Moves the colours toward grey (factor below 128) or away from it (above); 128 keeps them.
    void Saturation(int factor);
    // Moves the whole pixel block by (dx + dy * width) pixels, linearly in memory; what is
    // uncovered becomes transparent.
    void Shift(int dx, int dy);
    // Rotates the colours cyclically by (dx mod width, dy mod height); every alpha stays put.
    void Roll(int dx, int dy);
    // Multi-stop linear gradient through count points; colours are 0xAABBGGRR (red in the
    // low byte). fillBefore and fillAfter extend the first and last colour past the ends.
    void GradientFill(const GradientPoint* points, const uint32_t* colours, int count,
                      bool fillBefore, bool fillAfter);

    // Blends onto a device context (HDC) with straight alpha at (x + originX, y + originY),
    // reading back and writing only the covered rectangle. Windows build only.
    void DrawTo(void* dc, int x, int y) const;
    // Blends stretched to width x height, the borders of borderX columns and borderY rows
    // kept at their size; nothing is drawn when the rectangle or the bitmap is smaller than
    // twice the borders plus two in either direction. Windows build only.
    void DrawStretched(void* dc, int x, int y, int width, int height, int borderX,
                       int borderY) const;
    // Blends scaled to width x height without borders, as DrawStretched, except that fully
    // transparent pixels leave the target as it is: a picture scaled for the screen's DPI
    // shows no square where it is transparent. Windows build only.
    void DrawScaled(void* dc, int x, int y, int width, int height) const;
    // DrawTo or DrawStretched of every layer of a stack, first layer at the bottom; nothing
    // when the index is not that of a stack. Windows build only.
    void DrawStack(void* dc, int x, int y, int stack) const;
    void DrawStackStretched(void* dc, int x, int y, int width, int height, int borderX, int borderY,
                            int stack) const;

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
    // Decodes the side x side 32-bit picture of the bytes of an .ico file, colours as stored
    // and the alpha rule of LoadBitmapResource; empty when the file holds no such picture.
    void LoadIconBytes(const uint8_t* data, std::size_t size, int side);

    // Pixel word at (x, y); callers keep the coordinates inside the bitmap.
    uint32_t Pixel(int x, int y) const;
    void SetPixel(int x, int y, uint32_t word);

    uint8_t* pixels = nullptr; // null when the bitmap is empty
    int32_t byteSize = 0;      // width * height * kBytesPerPixel
    int32_t width = 0;
    int32_t height = 0;
    tstr name;
    int32_t originX = 0; // added to the target position when drawn onto a device context
    int32_t originY = 0;
    int32_t hasAlpha = 0; // a loaded image carried a non-zero alpha byte somewhere
    int32_t borrowed = 0; // the pixel memory belongs to someone else
    CCollector<CCollector<CBmp*>*> animations; // owned frame lists; never copied
};
