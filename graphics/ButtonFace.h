#pragma once

#include "resources/resource.h"

#include <functional>

class CBmp;

// Loads bitmap `number` of the artwork into a bitmap, replacing what it held: the program
// takes its module's resources, a host tool the same bytes embedded (LoadArtworkBitmap).
using BitmapLoader = std::function<void(CBmp& bitmap, int number)>;

// The faces of a big picture button, built on its loaded base picture: stack 0 "nrm"
// (normal), stack 1 "hot" and stack 2 "prs" (pressed), each a stack of layers that start
// as copies of the base picture. The artwork fills the base picture's outline, the
// highlight lies over it; the hot face adds two soft shadows and grows by a few pixels,
// the pressed face is embossed and moved down by one pixel. False, with the stacks made
// but no layers, when the base picture has no pixels.
bool BuildButtonFace(CBmp& image, const BitmapLoader& load, int artwork, int highlight);

// The stacks of a button face, in the order BuildButtonFace adds them.
constexpr int kNormalFace = 0;
constexpr int kHotFace = 1;
constexpr int kPressedFace = 2;

// The bitmaps of each button's face: base picture, artwork, highlight.
struct ButtonFaceBitmaps {
    int image;
    int artwork;
    int highlight;
};
constexpr ButtonFaceBitmaps kStartFace{IDB_START, IDB_EMBER_TEXTURE, IDB_START_HIGHLIGHT};
constexpr ButtonFaceBitmaps kStopFace{IDB_STOP, IDB_STOP_TEXTURE, IDB_STOP_HIGHLIGHT};
constexpr ButtonFaceBitmaps kSettingsFace{IDB_SETTINGS, IDB_EMBER_TEXTURE, IDB_SETTINGS_HIGHLIGHT};
