#pragma once

#include "CRaster.h"

// The main window's big buttons, each 96 x 96 with straight alpha. A button shows its
// texture inside the alpha of its picture and lays its highlight over it; the pictures'
// own colours show in the About box and, flattened, in the shadows of the hot and pressed
// faces.
enum class ButtonKind { Start, Stop, Settings };

CRaster MakeButtonPicture(ButtonKind kind);   // 136, 139, 149
CRaster MakeButtonHighlight(ButtonKind kind); // 141, 142, 150
// The program's flame at size x size, in full colour: the icon's pictures.
CRaster MakeFlamePicture(int size);
