#pragma once

#include <windows.h>

// Runs the system colour dialog owned by `owner`, fully open, any colour allowed,
// starting at `colour` (0x00BBGGRR), with the program's custom colours. True and the
// chosen colour when the user confirms; false and `colour` unchanged otherwise.
bool PickColour(HWND owner, COLORREF& colour);
