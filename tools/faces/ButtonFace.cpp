#include "ButtonFace.h"

#include "graphics/ArtworkBytes.h"

#include <memory>

namespace {

constexpr int kAlpha = 3;

// A layer that shows the texture inside the given mask's alpha.
void TextureInside(CBmp& layer, int texture, const CBmp& mask) {
    LoadArtworkBitmap(texture, layer);
    layer.ScaleAlpha(0, 0);
    layer.CopyChannel(mask, kAlpha, kAlpha);
}

void BuildNormal(CBmp& image, const CBmp& mask, int texture, int highlight) {
    TextureInside(*image.AddLayerCopy(0), texture, mask);
    CBmp* gloss = image.AddLayerCopy(0);
    LoadArtworkBitmap(highlight, *gloss);
    gloss->ScaleAlpha(192, 0);
}

void BuildHot(CBmp& image, const CBmp& mask, int texture, int highlight) {
    const int shadowOrigins[2][2] = {{7, 5}, {0, 12}};
    const uint32_t shadowAlphas[2] = {64, 32};
    for (int i = 0; i < 2; ++i) {
        CBmp* shadow = image.AddLayerCopy(1);
        shadow->Resize(102, 102);
        shadow->Shift(-3, -3);
        shadow->originX = shadowOrigins[i][0];
        shadow->originY = shadowOrigins[i][1];
        shadow->BrightnessContrast(-80, -128);
        shadow->ScaleAlpha(shadowAlphas[i], 0);
    }
    CBmp grownMask;
    grownMask.Copy(mask);
    grownMask.Resize(102, 102);
    grownMask.Shift(-3, -3);
    CBmp* inside = image.AddLayerCopy(1);
    TextureInside(*inside, texture, grownMask);
    inside->BrightnessContrast(32, 0);
    CBmp* gloss = image.AddLayerCopy(1);
    LoadArtworkBitmap(highlight, *gloss);
    gloss->Resize(104, 104);
    gloss->Shift(-3, -3);
}

void BuildPressed(CBmp& image, const CBmp& mask, int texture, int highlight) {
    CBmp* dark = image.AddLayerCopy(2);
    dark->originX = -1;
    dark->originY = -2;
    dark->BrightnessContrast(-256, -128);
    dark->ScaleAlpha(128, 0);
    CBmp* light = image.AddLayerCopy(2);
    light->originX = 2;
    light->originY = 3;
    light->BrightnessContrast(256, -128);
    light->ScaleAlpha(128, 0);
    CBmp* inside = image.AddLayerCopy(2);
    TextureInside(*inside, texture, mask);
    inside->originY = 1;
    inside->BrightnessContrast(-48, 0);
    CBmp* gloss = image.AddLayerCopy(2);
    LoadArtworkBitmap(highlight, *gloss);
    gloss->BrightnessContrast(-32, 0);
    gloss->originY = 1;
    gloss->ScaleAlpha(96, 0);
}

} // namespace

bool LoadArtworkBitmap(int number, CBmp& bitmap) {
    const uint8_t* data = nullptr;
    std::size_t size = 0;
    if (!FindArtworkBytes(number, &data, &size))
        return false;
    bitmap.LoadBmpBytes(data, size);
    return bitmap.pixels != nullptr;
}

bool BuildButtonFace(CBmp& image, int picture, int texture, int highlight) {
    if (!LoadArtworkBitmap(picture, image))
        return false;
    const char* names[] = {"nrm", "hot", "prs"};
    for (int k = 0; k < 3; ++k)
        if (!image.HasStack(k))
            image.AddStack(names[k]);
    const std::unique_ptr<CBmp> mask(image.ExtractChannel(kAlpha));
    if (!mask)
        return false;
    BuildNormal(image, *mask, texture, highlight);
    BuildHot(image, *mask, texture, highlight);
    BuildPressed(image, *mask, texture, highlight);
    return true;
}
