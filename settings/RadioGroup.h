#pragma once

#include <windows.h>

#include <functional>

// The radio buttons of a group are the bound button and the sibling windows after it.

// The first checked window among `first` and its following siblings (no class or style
// test), and its position from 0; null and -1 when none is checked.
HWND FindCheckedSibling(HWND first, int* position);

// Checks each button of the group exactly when `checked` (position, button) says so. The
// group ends at the first sibling that is not a radio button: a class other than
// "Button" or a button style other than radio (4) or automatic radio (9).
void CheckRadioGroup(HWND first, const std::function<bool(int, HWND)>& checked);
