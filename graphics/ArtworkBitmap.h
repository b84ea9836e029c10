#pragma once

class CBmp;

// Decodes embedded artwork bitmap `number` into the bitmap as LoadBitmapResource would; false,
// with the bitmap left as it was, when there is no such bitmap, and false with the bitmap
// empty when its bytes cannot be decoded.
bool LoadArtworkBitmap(int number, CBmp& bitmap);
