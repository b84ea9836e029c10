#include "graphics/DpiScale.h"

int ScaleToDpi(int pixels, int dpi) {
    if (dpi <= 0 || dpi == kDesignDpi)
        return pixels;
    return static_cast<int>((static_cast<long long>(pixels) * dpi + kDesignDpi / 2) / kDesignDpi);
}
