#include "support/CArtDesktop.h"

const TestFrameSize kTestFrameSizes[20] = {
    {38, 64}, {13, 64}, {13, 64}, {16, 57}, {16, 58}, {14, 50}, {16, 45},
    {13, 33}, {12, 28}, {10, 20}, {8, 15},  {9, 12},  {9, 9},   {6, 7},
    {6, 6},   {5, 5},   {4, 7},   {4, 6},   {4, 5},   {3, 4},
};

CArtDesktop::CArtDesktop(int32_t width, int32_t height) : CHeadlessDesktop(width, height) {
    MakeTestSheet(&sheet);
    MakeTestStrip(&strip);
}

bool CArtDesktop::LoadBitmapResource(int number, CBmp* bitmap) {
    if (shipped)
        return CHeadlessDesktop::LoadBitmapResource(number, bitmap);
    const CBmp* source = number == 135 ? &sheet : number == 144 ? &strip : nullptr;
    bitmap->Free();
    if (source && source->pixels)
        bitmap->Copy(*source);
    return bitmap->pixels != nullptr;
}

uint32_t TestSheetBlue(int32_t f, int32_t u, int32_t v, int32_t h) {
    return static_cast<uint32_t>(30 + (v + 1) * 180 / h + (u * 37 + v * 11 + f * 7) % 40);
}

void MakeTestSheet(CBmp* sheet) {
    sheet->Create(256, 64);
    int32_t left = 0;
    for (int32_t f = 0; f < 20; ++f) {
        const TestFrameSize size = kTestFrameSizes[f];
        for (int32_t v = 0; v < size.height; ++v)
            for (int32_t u = 0; u < size.width; ++u)
                sheet->SetPixel(left + u, 64 - size.height + v,
                                0xFF000000u | TestSheetBlue(f, u, v, size.height));
        left += size.width + 1;
    }
}

void MakeTestStrip(CBmp* strip) {
    strip->Create(256, 1);
    for (uint32_t a = 0; a < 256; ++a)
        strip->SetPixel(static_cast<int>(a), 0, 0xFF000000u | (255 - a) << 16 | (a / 2) << 8 | a);
}
