#pragma once

class CBmp;

// The alpha rule of every picture loader: when some pixel carries a non-zero alpha byte
// the alpha is kept and has alpha becomes 1; otherwise every alpha byte becomes 255, so a
// picture without alpha is opaque.
void SettleLoadedAlpha(CBmp& bitmap);
