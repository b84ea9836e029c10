#pragma once

#include "params/tstr.h"
#include "system/PauseRules.h"

#include <windows.h>

#include <cstddef>

// The notification-area icon of a window: identifier 0, one per window.

// The tip's length: 60 characters for the program's version, the most the icon's tip field
// holds for why the effect is paused, which may name a program.
constexpr std::size_t kTipLimit = 60;
constexpr std::size_t kPausedTipLimit = 127;
// "<title>\n<line>", cut to `limit` characters followed by "..." when longer. Texts are
// UTF-8.
tstr FormatTrayTip(const tstr& title, const tstr& line, std::size_t limit = kTipLimit);
// The tip's line of the version ("1.3.1 ver.") in the language of the texts.
tstr TipVersionLine(HINSTANCE module, const tstr& version);
// The tip's line of why the effect is paused ("paused: on battery"), in the language of
// the texts; empty for no reason.
tstr PauseNoteText(HINSTANCE module, const PauseNote& note);
// The file version of the running program's version resource; empty without one.
tstr ProgramVersion();
// Adds the icon with icon resource iconId of module loaded at 16 x 16, the callback
// message and the tip. Whether the icon was added (adding an existing icon fails, and so
// does adding one while there is no notification area).
bool AddTrayIcon(HWND window, UINT callbackMessage, HINSTANCE module, int iconId, const tstr& tip);
// Shows the text (at most 255 characters) as a balloon of the window's icon for 15 s;
// whether the notification area took it.
bool ShowTrayBalloon(HWND window, const tstr& text);
// Changes the tip of the window's icon; whether the notification area took it.
bool SetTrayTip(HWND window, const tstr& tip);
// Removes the window's icon; whether there was one.
bool DeleteTrayIcon(HWND window);
