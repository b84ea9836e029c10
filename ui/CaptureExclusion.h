#pragma once

#include <windows.h>

// Hiding the overlays from screen sharing and screenshots (SetWindowDisplayAffinity with
// WDA_EXCLUDEFROMCAPTURE, Windows 10 2004 and later). Where the system refuses, or would
// apply another affinity instead (older systems take the value as WDA_MONITOR, which shows
// a black box in captures), the window is left shown to capture (WDA_NONE).

// Hides the window from capture (`exclude`) or shows it to capture again; whether the
// window now has the affinity asked for, as GetWindowDisplayAffinity reads it back.
bool ExcludeFromCapture(HWND window, bool exclude);
// Whether the system hides a window of the overlay's kind from capture: tried on a hidden
// one made for the question.
bool CaptureExclusionWorks();
