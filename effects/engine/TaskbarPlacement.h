#pragma once

#include "effects/engine/IDesktop.h"

#include <cstdint>

// The screen edge a taskbar sits on: the one encoding of it in every layer. The numbers are
// fixed: they are what the window helpers' GetTaskbarEdge reports (0 top, 1 bottom, 2 left,
// 3 right, -1 on no edge or unclear).
enum class TaskbarSide : int32_t { Unknown = -1, Top = 0, Bottom = 1, Left = 2, Right = 3 };

// The edge of a taskbar judged from its rectangle against the integer halves of the screen
// size, in this order: wholly above the middle row (Top), wholly below it (Bottom), wholly
// left of the middle column (Left), wholly right of it (Right); Unknown otherwise.
TaskbarSide ClassifyTaskbar(const DesktopRect& taskbar, int32_t screenW, int32_t screenH);

// The visible part of an auto-hidden taskbar: a strip this thick along its edge.
constexpr int32_t kAutoHiddenStrip = 2;

// A monitor's taskbar as the user sees it: Visible only when more than an auto-hidden
// taskbar's strip of it lies on the monitor (`rect` then filled in, in the monitor's own
// coordinates: its top-left corner is (0, 0)); a visible taskbar that shows no more
// counts as Hidden.
TaskbarState ShownTaskbar(const MonitorArea& monitor, DesktopRect* rect);

// The overlay band's height: every effect presents a band of the canvas's width and this
// many rows, and the band's position is chosen for it.
constexpr int32_t kOverlayBandRows = 200;

// The band along the taskbar's edge that the fire and the water use: on top of a bottom
// taskbar, right of a left taskbar, and at the bottom of the monitor for a top or right
// taskbar or when none shows (hidden, auto-hidden or none at all: where an auto-hidden
// taskbar lives). The band's top-left corner in the monitor's own coordinates; false when
// the taskbar is on no edge.
bool BandOnTaskbar(const MonitorArea& monitor, int32_t* x, int32_t* y);
