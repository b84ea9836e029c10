#pragma once

// The DPI the interface's sizes and pictures are designed for (Windows' own default).
constexpr int kDesignDpi = 96;

// A size scaled to `dpi`: pixels * dpi / kDesignDpi, rounded to the nearest pixel; unchanged
// at the design DPI and when the DPI is unknown (0 or less).
int ScaleToDpi(int pixels, int dpi);
