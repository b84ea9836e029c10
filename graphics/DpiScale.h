#pragma once

// Sizes in the interface are designed for 96 DPI. A size scaled to `dpi`: pixels * dpi / 96,
// rounded to the nearest pixel; unchanged at 96 DPI and when the DPI is unknown (0 or less).
int ScaleToDpi(int pixels, int dpi);
