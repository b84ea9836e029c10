#pragma once

#include "CRaster.h"

// The main window's big buttons, each 96 x 96 with straight alpha. A button shows its
// texture inside the alpha of its picture and lays its highlight over it; the pictures'
// own colours show in the About box and, flattened, in the shadows of the hot and pressed
// faces.
enum class ButtonKind { Start, Stop, Settings };

// IDB_START, IDB_STOP, IDB_SETTINGS.
CRaster MakeButtonPicture(ButtonKind kind);
// IDB_START_HIGHLIGHT, IDB_STOP_HIGHLIGHT, IDB_SETTINGS_HIGHLIGHT.
CRaster MakeButtonHighlight(ButtonKind kind);
// The program's flame at size x size, in full colour: the icon's pictures.
CRaster MakeFlamePicture(int size);
