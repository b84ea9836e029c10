#include "ui/ScaledStack.h"

namespace {

int ScaledBy(int value, int numerator, int denominator) {
    return static_cast<int>((static_cast<long long>(value) * numerator + denominator / 2) /
                            denominator);
}

void DrawLayerScaled(HDC dc, const CBmp& image, const CBmp& layer, const RECT& place) {
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    const int left = place.left + ScaledBy(layer.originX, width, image.width);
    const int top = place.top + ScaledBy(layer.originY, height, image.height);
    layer.DrawScaled(dc, left - layer.originX, top - layer.originY,
                     ScaledBy(layer.width, width, image.width),
                     ScaledBy(layer.height, height, image.height));
}

} // namespace

void DrawStackScaled(HDC dc, const CBmp& image, int stack, const RECT& place) {
    if (!image.pixels || image.width <= 0 || image.height <= 0)
        return;
    const CCollector<CBmp*>* layers = stack >= 0 ? image.animations.GetAt(stack) : nullptr;
    if (!layers) {
        DrawLayerScaled(dc, image, image, place);
        return;
    }
    for (int i = 0; i < layers->Count(); ++i)
        DrawLayerScaled(dc, image, *layers->GetAt(i), place);
}
