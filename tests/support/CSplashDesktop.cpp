#include "support/CSplashDesktop.h"

#include <algorithm>
#include <cstdlib>

CSplashDesktop::CSplashDesktop(int32_t width, int32_t height) : CHeadlessDesktop(width, height) {
    MakeTestSplash(&splash);
}

bool CSplashDesktop::LoadBitmapResource(int number, CBmp* bitmap) {
    bitmap->Free();
    if (number != 164 || !splash.pixels)
        return false;
    bitmap->Copy(splash);
    return bitmap->pixels != nullptr;
}

void MakeTestSplash(CBmp* splash) {
    splash->Create(64, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x) {
            const int across = 32 - std::abs(2 * x - 63) / 2; // 1 at the sides, 32 inside
            const int alpha =
                y <= 18 ? std::min(250, across * (y + 6) / 2) : std::max(0, across * (32 - y) / 3);
            const uint32_t a = static_cast<uint32_t>(std::clamp(alpha, 0, 250));
            splash->SetPixel(x, y, a << 24 | 0xFFFFFFu);
        }
}

void MakeFlatPicture(CBmp* picture, int32_t width, int32_t height, uint32_t word) {
    picture->Create(width, height);
    picture->Fill(word);
}
