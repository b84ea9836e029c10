#include "graphics/ButtonFace.h"

#include "graphics/CBmp.h"

#include <memory>

namespace {

constexpr int kHotSize = 102;
constexpr int kHotHighlightSize = 104;

void SetOrigin(CBmp* layer, int x, int y) {
    layer->originX = x;
    layer->originY = y;
}

// The artwork cut to an outline: every alpha taken from `outline`.
CBmp* AddArtworkLayer(CBmp& image, int stack, const BitmapLoader& load, int artwork,
                      const CBmp& outline) {
    CBmp* layer = image.AddLayerCopy(stack);
    load(*layer, artwork);
    layer->ScaleAlpha(0, 0);
    layer->CopyChannel(outline, kAlphaByte, kAlphaByte);
    return layer;
}

void BuildNormal(CBmp& image, const BitmapLoader& load, int artwork, int highlight,
                 const CBmp& outline) {
    AddArtworkLayer(image, kNormalFace, load, artwork, outline);
    CBmp* shine = image.AddLayerCopy(kNormalFace);
    load(*shine, highlight);
    shine->ScaleAlpha(192, 0);
}

// A darkened copy of the picture grown to the hot size, moved by the origin.
void AddShadow(CBmp& image, int x, int y, uint32_t alpha) {
    CBmp* shadow = image.AddLayerCopy(kHotFace);
    shadow->Resize(kHotSize, kHotSize);
    shadow->Shift(-3, -3);
    SetOrigin(shadow, x, y);
    shadow->BrightnessContrast(-80, -128);
    shadow->ScaleAlpha(alpha, 0);
}

void BuildHot(CBmp& image, const BitmapLoader& load, int artwork, int highlight,
              const CBmp& outline) {
    AddShadow(image, 7, 5, 64);
    AddShadow(image, 0, 12, 32);
    CBmp grown;
    grown.Copy(outline);
    grown.Resize(kHotSize, kHotSize);
    grown.Shift(-3, -3);
    AddArtworkLayer(image, kHotFace, load, artwork, grown)->BrightnessContrast(32, 0);
    CBmp* shine = image.AddLayerCopy(kHotFace);
    load(*shine, highlight);
    shine->Resize(kHotHighlightSize, kHotHighlightSize);
    shine->Shift(-3, -3);
}

// One side of the emboss: the picture flattened to black or white, half transparent.
void AddEmboss(CBmp& image, int x, int y, int brightness) {
    CBmp* edge = image.AddLayerCopy(kPressedFace);
    SetOrigin(edge, x, y);
    edge->BrightnessContrast(brightness, -128);
    edge->ScaleAlpha(128, 0);
}

void BuildPressed(CBmp& image, const BitmapLoader& load, int artwork, int highlight,
                  const CBmp& outline) {
    AddEmboss(image, -1, -2, -256);
    AddEmboss(image, 2, 3, 256);
    CBmp* art = AddArtworkLayer(image, kPressedFace, load, artwork, outline);
    SetOrigin(art, 0, 1);
    art->BrightnessContrast(-48, 0);
    CBmp* shine = image.AddLayerCopy(kPressedFace);
    load(*shine, highlight);
    shine->BrightnessContrast(-32, 0);
    SetOrigin(shine, 0, 1);
    shine->ScaleAlpha(96, 0);
}

} // namespace

bool BuildButtonFace(CBmp& image, const BitmapLoader& load, int artwork, int highlight) {
    static const char* const kStackNames[] = {"nrm", "hot", "prs"};
    for (int stack = kNormalFace; stack <= kPressedFace; ++stack) {
        if (!image.HasStack(stack))
            image.AddStack(kStackNames[stack]);
    }
    const std::unique_ptr<CBmp> outline(image.ExtractChannel(kAlphaByte));
    if (!outline)
        return false;
    BuildNormal(image, load, artwork, highlight, *outline);
    BuildHot(image, load, artwork, highlight, *outline);
    BuildPressed(image, load, artwork, highlight, *outline);
    return true;
}
