#pragma once

#include "effects/engine/IDesktop.h"

#include <cstdint>

// The screen edge a taskbar sits on, judged from its rectangle against the integer
// halves of the screen size, in this order: wholly above the middle row (Top), wholly
// below it (Bottom), wholly left of the middle column (Left), wholly right of it (Right).
enum class TaskbarSide { Top, Bottom, Left, Right, Unknown };

TaskbarSide ClassifyTaskbar(const DesktopRect& taskbar, int32_t screenW, int32_t screenH);

// The band along the taskbar's edge that the fire and the water use: on top of a bottom
// taskbar, at the bottom of the screen for a top or right taskbar (or none at all), and
// right of a left taskbar. Moves the overlay and returns the destination point through
// `x` and `y`; false (nothing moved) when the taskbar is hidden or on no edge.
bool PlaceBandOnTaskbar(IDesktop& desktop, int32_t* x, int32_t* y);
