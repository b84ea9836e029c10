#include "ButtonFaceRecipe.h"

#include <memory>

namespace {

constexpr int kAlpha = 3;

// The texture inside the mask's alpha.
void TextureInside(CBmp& layer, int texture, const CBmp& mask) {
    layer.LoadBitmapResource(nullptr, texture);
    layer.ScaleAlpha(0, 0);
    layer.CopyChannel(mask, kAlpha, kAlpha);
}

void SetOrigin(CBmp& layer, int x, int y) {
    layer.originX = x;
    layer.originY = y;
}

void BuildNormal(CBmp& image, const CBmp& mask, int texture, int highlight) {
    TextureInside(*image.AddLayerCopy(0), texture, mask);
    CBmp* gloss = image.AddLayerCopy(0);
    gloss->LoadBitmapResource(nullptr, highlight);
    gloss->ScaleAlpha(192, 0);
}

void BuildHot(CBmp& image, const CBmp& mask, int texture, int highlight) {
    const int origins[2][2] = {{7, 5}, {0, 12}};
    const uint32_t alphas[2] = {64, 32};
    for (int i = 0; i < 2; ++i) {
        CBmp* shadow = image.AddLayerCopy(1);
        shadow->Resize(102, 102);
        shadow->Shift(-3, -3);
        SetOrigin(*shadow, origins[i][0], origins[i][1]);
        shadow->BrightnessContrast(-80, -128);
        shadow->ScaleAlpha(alphas[i], 0);
    }
    CBmp grown;
    grown.Copy(mask);
    grown.Resize(102, 102);
    grown.Shift(-3, -3);
    CBmp* inside = image.AddLayerCopy(1);
    TextureInside(*inside, texture, grown);
    inside->BrightnessContrast(32, 0);
    CBmp* gloss = image.AddLayerCopy(1);
    gloss->LoadBitmapResource(nullptr, highlight);
    gloss->Resize(104, 104);
    gloss->Shift(-3, -3);
}

void BuildPressed(CBmp& image, const CBmp& mask, int texture, int highlight) {
    CBmp* dark = image.AddLayerCopy(2);
    SetOrigin(*dark, -1, -2);
    dark->BrightnessContrast(-256, -128);
    dark->ScaleAlpha(128, 0);
    CBmp* light = image.AddLayerCopy(2);
    SetOrigin(*light, 2, 3);
    light->BrightnessContrast(256, -128);
    light->ScaleAlpha(128, 0);
    CBmp* inside = image.AddLayerCopy(2);
    TextureInside(*inside, texture, mask);
    SetOrigin(*inside, 0, 1);
    inside->BrightnessContrast(-48, 0);
    CBmp* gloss = image.AddLayerCopy(2);
    gloss->LoadBitmapResource(nullptr, highlight);
    gloss->BrightnessContrast(-32, 0);
    SetOrigin(*gloss, 0, 1);
    gloss->ScaleAlpha(96, 0);
}

} // namespace

bool BuildButtonFaceFromResources(CBmp& image, int texture, int highlight) {
    if (!image.pixels)
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
