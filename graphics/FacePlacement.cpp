#include "graphics/FacePlacement.h"

#include "graphics/DpiScale.h"

#include <algorithm>

namespace {

int Scaled(int size, int numerator, int denominator) {
    return static_cast<int>((static_cast<long long>(size) * numerator + denominator / 2) /
                            denominator);
}

} // namespace

FaceRect PlaceFace(int clientWidth, int clientHeight, int faceWidth, int faceHeight, int dpi) {
    if (dpi == kDesignDpi || dpi <= 0 || faceWidth <= 0 || faceHeight <= 0)
        return FaceRect{0, 0, faceWidth, faceHeight};
    int width = Scaled(faceWidth, dpi, kDesignDpi);
    int height = Scaled(faceHeight, dpi, kDesignDpi);
    if (width > clientWidth) {
        height = Scaled(height, clientWidth, width);
        width = clientWidth;
    }
    if (height > clientHeight) {
        width = Scaled(width, clientHeight, height);
        height = clientHeight;
    }
    width = std::max(width, 1);
    height = std::max(height, 1);
    return FaceRect{(clientWidth - width) / 2, (clientHeight - height) / 2, width, height};
}
