#pragma once

#include <windows.h>

// The pictures the navigation pane draws without a bitmap.

// A double chevron in a centred square of three quarters of the cell's shorter side,
// pointing up or down, in the button shadow colour with a highlight below; nothing when
// that square is smaller than 2 pixels.
void DrawDoubleChevron(HDC dc, const RECT& cell, bool up);
// A sunken bar 2 pixels wide, 2 pixels in from the cell's top and bottom and 1 from its left.
void DrawSeparatorBar(HDC dc, const RECT& cell);
